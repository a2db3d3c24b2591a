#pragma once
// A test server module: exports every PcbApi_ entry the plug-in calls, records each call with
// its arguments, and answers through handlers a test installs. Its soname is libHalvex.so, so
// the plug-in's entry table finds and binds it by name like the real server.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#if defined(_WIN32)
#define RECORDING_API __declspec(dllexport)
#else
#define RECORDING_API __attribute__((visibility("default")))
#endif

namespace recording {

/// One argument as it arrived: a value, or an address with the width of what it points to.
struct Arg {
    std::uint64_t Value = 0; // the value, or the address for a pointer
    bool IsPointer = false;
    bool IsSigned = false;       // a value of a signed type (Value holds it sign-extended)
    std::size_t PointeeSize = 0; // width of the field behind the pointer
    /// The bytes behind a pointer as the call began (kept only after KeepPointeeBytes(true)); of a
    /// short string, its length byte and characters, all the server reads of it.
    std::vector<std::uint8_t> Bytes;
};

struct Call {
    std::string Name;
    std::vector<Arg> Args;
    bool HasResult = false; // the entry has a result and the call has returned
    std::int64_t Result = 0;

    template <typename T> T* Ptr(std::size_t i) const {
        return reinterpret_cast<T*>(static_cast<std::uintptr_t>(Args.at(i).Value));
    }
    std::uint64_t Value(std::size_t i) const { return Args.at(i).Value; }
    void* Address(std::size_t i) const { return Ptr<void>(i); }
};

/// Answers one call; the returned value becomes the entry's result (ignored for void entries).
using Handler = std::function<std::int64_t(const Call&)>;

/// Forgets every recorded call and every handler.
RECORDING_API void Reset();
/// All calls since the last Reset, in order.
RECORDING_API const std::vector<Call>& Calls();
/// Calls of one entry since the last Reset.
RECORDING_API std::vector<Call> CallsTo(const std::string& name);
RECORDING_API std::size_t CountOf(const std::string& name);
/// Handler for one entry (replaces an earlier one).
RECORDING_API void SetHandler(const std::string& name, Handler handler);
/// Handler for every entry without a handler of its own.
RECORDING_API void SetDefaultHandler(Handler handler);
/// Calls of this entry are answered but not kept (until the next Reset): for tests that make a
/// million of them.
RECORDING_API void Unrecorded(const std::string& name);
/// Keeps the bytes behind every pointer argument with each recorded call (until the next Reset).
RECORDING_API void KeepPointeeBytes(bool keep);
/// Entries without a handler of their own are answered by the entry of the same name that find
/// gives (nullptr: answered as before), so that a real server answers while every call is
/// recorded. Stays until the next Reset.
using EntryFinder = void* (*)(const char* name);
RECORDING_API void ForwardTo(EntryFinder find);

/// Fills the bytes behind every pointer argument with consecutive byte values starting at seed,
/// pointer by pointer; returns the next seed. Lets tests check that each field got exactly its
/// own bytes.
RECORDING_API std::uint8_t FillPointees(const Call& call, std::uint8_t seed);

namespace detail {
/// Who answers a call: its handler, else the entry forwarded to, else the default handler; 0 when
/// none does.
struct Answer {
    bool Recorded = false;
    const Handler* Answering = nullptr;
    void* Forwarded = nullptr;
};
/// Records the call (unless its entry is unrecorded) and finds who answers it.
RECORDING_API Answer Record(const Call& call);
RECORDING_API bool KeepingPointeeBytes();
/// Notes the result of the call recorded last.
RECORDING_API void NoteResult(std::int64_t result);

template <typename T> struct IsShortString : std::false_type {};
template <std::size_t N> struct IsShortString<corvane::ShortString<N>> : std::true_type {};

template <typename T> Arg Describe(T value) {
    Arg arg;
    if constexpr (std::is_pointer_v<T>) {
        arg.IsPointer = true;
        arg.Value = reinterpret_cast<std::uintptr_t>(value);
        using Pointee = std::remove_cv_t<std::remove_pointer_t<T>>;
        if constexpr (!std::is_void_v<Pointee>) {
            arg.PointeeSize = sizeof(Pointee);
            if (value != nullptr && KeepingPointeeBytes()) {
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(value);
                std::size_t size = sizeof(Pointee);
                if constexpr (IsShortString<Pointee>::value) {
                    size = 1 + value->View().size();
                }
                arg.Bytes.assign(bytes, bytes + size);
            }
        }
    } else if constexpr (std::is_signed_v<T>) {
        arg.IsSigned = true;
        arg.Value = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
    } else {
        arg.Value = static_cast<std::uint64_t>(value);
    }
    return arg;
}

template <typename Result> struct Recorder {
    const char* Name;
    template <typename... Args> Result operator()(Args... args) const {
        const Call call{Name, {Describe(args)...}};
        const Answer answer = Record(call);
        if (answer.Forwarded != nullptr) {
            using Entry = Result(PCBAPI_CALL*)(Args...);
            const auto entry = reinterpret_cast<Entry>(answer.Forwarded);
            if constexpr (std::is_void_v<Result>) {
                entry(args...);
                return;
            } else {
                const Result forwarded = entry(args...);
                if (answer.Recorded) {
                    NoteResult(static_cast<std::int64_t>(forwarded));
                }
                return forwarded;
            }
        }
        const std::int64_t result = answer.Answering != nullptr ? (*answer.Answering)(call) : 0;
        if constexpr (std::is_void_v<Result>) {
            (void)result;
        } else {
            if (answer.Recorded) {
                NoteResult(result);
            }
            return static_cast<Result>(result);
        }
    }
};
} // namespace detail

} // namespace recording

// Plain entry points for tests that load this module at run time and cannot link against it.
extern "C" {
/// Number of calls recorded since the last reset.
RECORDING_API std::uint32_t Recording_CallCount();
/// Forgets calls and handlers; every entry then answers value.
RECORDING_API void Recording_ResetAnswering(std::int64_t value);
}
