// The POSIX desktop stand-in: per-thread message queues, windows and the Yes/No box.

#include "platform/posix/Desktop.h"

#include <deque>
#include <map>
#include <mutex>

namespace corvane {
namespace {

struct DesktopState {
    std::mutex Lock;
    std::map<std::uintptr_t, desktop::WindowProcedure> Windows;
    std::uintptr_t NextWindow = 0x10000;
    desktop::MessageBoxHandler BoxHandler;
};

DesktopState& State() {
    static DesktopState state;
    return state;
}

std::deque<platform::WindowMessage>& ThreadQueue() {
    thread_local std::deque<platform::WindowMessage> queue;
    return queue;
}

} // namespace

namespace desktop {

std::uintptr_t OpenWindow(WindowProcedure procedure) {
    auto& state = State();
    std::lock_guard guard(state.Lock);
    const std::uintptr_t window = state.NextWindow++;
    state.Windows[window] = std::move(procedure);
    return window;
}

void CloseWindow(std::uintptr_t window) {
    auto& state = State();
    std::lock_guard guard(state.Lock);
    state.Windows.erase(window);
}

void PostToThreadQueue(const platform::WindowMessage& message) {
    ThreadQueue().push_back(message);
}

std::size_t PendingMessages() {
    return ThreadQueue().size();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    auto& state = State();
    std::lock_guard guard(state.Lock);
    state.BoxHandler = std::move(handler);
}

} // namespace desktop

namespace platform {

bool TakeThreadMessage(WindowMessage& message) {
    auto& queue = ThreadQueue();
    if (queue.empty()) {
        return false;
    }
    message = queue.front();
    queue.pop_front();
    return true;
}

void SendWindowMessage(const WindowMessage& message) {
    desktop::WindowProcedure procedure;
    {
        auto& state = State();
        std::lock_guard guard(state.Lock);
        const auto found = state.Windows.find(message.Window);
        if (found == state.Windows.end()) {
            return; // no such window: the message is lost, as with a null window
        }
        procedure = found->second;
    }
    procedure(message);
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    desktop::MessageBoxHandler handler;
    {
        auto& state = State();
        std::lock_guard guard(state.Lock);
        handler = state.BoxHandler;
    }
    return handler ? handler(text, caption) : false;
}

} // namespace platform
} // namespace corvane
