#include "RecordingServer.h"

#include "contract/PcbApiEntries.h"

#include <cstring>
#include <set>

namespace recording {
namespace {

struct State {
    std::vector<Call> Calls;
    std::map<std::string, Handler> Handlers;
    Handler DefaultHandler;
    std::set<std::string> Unrecorded;
    bool KeepBytes = false;
    EntryFinder Find = nullptr;
    std::map<std::string, void*, std::less<>> Found; // forwarded entries found so far
};

State& TheState() {
    static State state;
    return state;
}

} // namespace

void Reset() {
    auto& state = TheState();
    state.Calls.clear();
    state.Handlers.clear();
    state.DefaultHandler = nullptr;
    state.Unrecorded.clear();
    state.KeepBytes = false;
    state.Find = nullptr;
    state.Found.clear();
}

const std::vector<Call>& Calls() {
    return TheState().Calls;
}

std::vector<Call> CallsTo(const std::string& name) {
    std::vector<Call> found;
    for (const auto& call : TheState().Calls) {
        if (call.Name == name) {
            found.push_back(call);
        }
    }
    return found;
}

std::size_t CountOf(const std::string& name) {
    return CallsTo(name).size();
}

void SetHandler(const std::string& name, Handler handler) {
    TheState().Handlers[name] = std::move(handler);
}

void SetDefaultHandler(Handler handler) {
    TheState().DefaultHandler = std::move(handler);
}

void Unrecorded(const std::string& name) {
    TheState().Unrecorded.insert(name);
}

void KeepPointeeBytes(bool keep) {
    TheState().KeepBytes = keep;
}

void ForwardTo(EntryFinder find) {
    TheState().Find = find;
    TheState().Found.clear();
}

std::uint8_t FillPointees(const Call& call, std::uint8_t seed) {
    for (std::size_t i = 0; i < call.Args.size(); ++i) {
        const Arg& arg = call.Args[i];
        if (!arg.IsPointer || arg.Value == 0) {
            continue;
        }
        auto* bytes = call.Ptr<std::uint8_t>(i);
        for (std::size_t b = 0; b < arg.PointeeSize; ++b) {
            bytes[b] = seed++;
        }
    }
    return seed;
}

namespace detail {

bool KeepingPointeeBytes() {
    return TheState().KeepBytes;
}

Answer Record(const Call& call) {
    auto& state = TheState();
    Answer answer;
    if (state.Unrecorded.empty() || state.Unrecorded.count(call.Name) == 0) {
        state.Calls.push_back(call);
        answer.Recorded = true;
    }
    const auto found = state.Handlers.find(call.Name);
    if (found != state.Handlers.end() && found->second) {
        answer.Answering = &found->second;
    } else if (state.Find != nullptr) {
        auto known = state.Found.find(call.Name);
        if (known == state.Found.end()) {
            known = state.Found.emplace(call.Name, state.Find(call.Name.c_str())).first;
        }
        answer.Forwarded = known->second;
    } else if (state.DefaultHandler) {
        answer.Answering = &state.DefaultHandler;
    }
    return answer;
}

void NoteResult(std::int64_t result) {
    Call& call = TheState().Calls.back();
    call.HasResult = true;
    call.Result = result;
}

} // namespace detail
} // namespace recording

extern "C" RECORDING_API std::uint32_t Recording_CallCount() {
    return static_cast<std::uint32_t>(recording::Calls().size());
}

extern "C" RECORDING_API void Recording_ResetAnswering(std::int64_t value) {
    recording::Reset();
    recording::SetDefaultHandler([value](const recording::Call&) { return value; });
}

// Every entry point, recorded and answered by the handlers.
#define RECORDING_DEFINE_ENTRY(kind, result, name, unbound, params, args)                          \
    extern "C" RECORDING_API result PCBAPI_CALL name params {                                      \
        return recording::detail::Recorder<result>{#name} args;                                    \
    }
CORVANE_PCBAPI_ENTRIES(RECORDING_DEFINE_ENTRY)
#undef RECORDING_DEFINE_ENTRY
