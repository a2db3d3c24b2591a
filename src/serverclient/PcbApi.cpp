#include "serverclient/PcbApi.h"

#include "serverclient/EntryTable.h"

#include <type_traits>

namespace corvane {
namespace {

// Slot of each called entry in the name table, checked at compile time.
#define CORVANE_ENTRY_SLOT(kind, result, name, unbound, params, args)                              \
    constexpr std::size_t name##_slot = pcbapi::SlotOf(#name);                                     \
    static_assert(name##_slot < pcbapi::EntryCount, #name " is not in the entry table");
CORVANE_PCBAPI_ENTRIES(CORVANE_ENTRY_SLOT)
#undef CORVANE_ENTRY_SLOT

// The module's table, remembered from the first call on. A pad read alone makes 336 calls, so the
// usual road of a wrapper (server found) is two loads and two tests before the call itself; the
// rest (finding the table, binding again while the server is missing) stays off that road.
pcbapi::ServerEntryTable* boundTable = nullptr;

[[gnu::noinline]] void* BindAndFindSlot(std::size_t slot) {
    pcbapi::ServerEntryTable& table = pcbapi::ServerEntries();
    table.EnsureBound();
    boundTable = &table;
    return table.Slot(slot);
}

template <typename Fn> Fn BoundEntry(std::size_t slot) {
    const pcbapi::ServerEntryTable* const table = boundTable;
    void* const entry =
        table != nullptr && table->ServerFound() ? table->Slot(slot) : BindAndFindSlot(slot);
    return reinterpret_cast<Fn>(entry);
}

template <typename Result> Result UnboundResult(long long value) {
    if constexpr (std::is_void_v<Result>) {
        (void)value;
        return;
    } else {
        return static_cast<Result>(value);
    }
}

} // namespace

// Each wrapper is split in two: the usual road (table remembered, server found, entry bound)
// jumps straight to the entry, and everything else goes to a separate function, so that the
// usual road saves no registers and sets up no frame.
#define CORVANE_DEFINE_Plain(result, name, unbound, params, args)                                  \
    namespace {                                                                                    \
    [[gnu::noinline]] result name##_OffTheUsualRoad params {                                       \
        const auto entry = reinterpret_cast<pcbapi::name##_fn>(BindAndFindSlot(name##_slot));      \
        if (entry == nullptr) {                                                                    \
            return UnboundResult<result>(unbound);                                                 \
        }                                                                                          \
        return entry args;                                                                         \
    }                                                                                              \
    }                                                                                              \
    result name params {                                                                           \
        /* Slots are only ever filled from a found server: a filled slot is the whole test. */     \
        if (const pcbapi::ServerEntryTable* const table = boundTable) {                            \
            if (const auto entry =                                                                 \
                    reinterpret_cast<pcbapi::name##_fn>(table->Slot(name##_slot))) {               \
                return entry args;                                                                 \
            }                                                                                      \
        }                                                                                          \
        return name##_OffTheUsualRoad args;                                                        \
    }
#define CORVANE_DEFINE_Custom(result, name, unbound, params, args)
#define CORVANE_DEFINE_WRAPPER(kind, result, name, unbound, params, args)                          \
    CORVANE_DEFINE_##kind(result, name, unbound, params, args)
CORVANE_PCBAPI_ENTRIES(CORVANE_DEFINE_WRAPPER)
#undef CORVANE_DEFINE_WRAPPER
#undef CORVANE_DEFINE_Custom
#undef CORVANE_DEFINE_Plain

namespace pcbapi {

void* FoundEntry(std::size_t slot) {
    const ServerEntryTable* const table = boundTable;
    return table != nullptr && table->ServerFound() ? table->Slot(slot) : nullptr;
}

} // namespace pcbapi

// The wrappers that take short strings hand the server a private copy, valid during the call.

HostHandle PcbApi_GetBoardHandleFromFullFileName(const String255* fileName) {
    const auto entry = BoundEntry<pcbapi::PcbApi_GetBoardHandleFromFullFileName_fn>(
        PcbApi_GetBoardHandleFromFullFileName_slot);
    if (entry == nullptr) {
        return 0;
    }
    String255 copy;
    if (fileName != nullptr) {
        copy.AssignFrom(*fileName);
    }
    return entry(&copy);
}

void PcbApi_Percent_Init(const String255* caption, std::int32_t steps) {
    const auto entry = BoundEntry<pcbapi::PcbApi_Percent_Init_fn>(PcbApi_Percent_Init_slot);
    if (entry == nullptr) {
        return;
    }
    String255 copy;
    if (caption != nullptr) {
        copy.AssignFrom(*caption);
    }
    entry(&copy, steps);
}

std::int32_t PcbApi_AddMemberToClass(HostHandle handle, const String255* member) {
    const auto entry = BoundEntry<pcbapi::PcbApi_AddMemberToClass_fn>(PcbApi_AddMemberToClass_slot);
    if (entry == nullptr) {
        return 1;
    }
    String255 copy;
    if (member != nullptr) {
        copy.AssignFrom(*member);
    }
    return entry(handle, &copy);
}

// The caller's string is emptied first; the server's answer is cut to 254 characters.
void PcbApi_GetDesignatorDisplayString(String255* buffer, HostHandle textHandle) {
    if (buffer == nullptr) {
        return;
    }
    buffer->Clear();
    const auto entry = BoundEntry<pcbapi::PcbApi_GetDesignatorDisplayString_fn>(
        PcbApi_GetDesignatorDisplayString_slot);
    if (entry == nullptr) {
        return;
    }
    String255 answer;
    entry(&answer, textHandle);
    buffer->Assign(answer.View().substr(0, 254));
}

} // namespace corvane
