#include "ClientState.h"

namespace halvex::client {
namespace {

std::size_t SlotOf(ClientCall call) {
    return static_cast<std::size_t>(call) - 1;
}

} // namespace

ClientState& ClientState::Instance() {
    static ClientState state;
    return state;
}

void ClientState::ForceNextStatus(ClientCall call, std::int32_t status) {
    forced_[SlotOf(call)] = status;
}

std::optional<std::int32_t> ClientState::TakeForcedStatus(ClientCall call) {
    std::optional<std::int32_t> status;
    status.swap(forced_[SlotOf(call)]);
    return status;
}

void ClientState::ResetHooks() {
    for (auto& forced : forced_) {
        forced.reset();
    }
    lastRequest_.reset();
}

} // namespace halvex::client
