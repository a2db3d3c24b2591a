#include "TestDesktop.h"

#include "platform/posix/Desktop.h"

#include <map>
#include <memory>

namespace testdesktop {
namespace {

std::map<std::uintptr_t, std::vector<ReceivedMessage>>& Inboxes() {
    static std::map<std::uintptr_t, std::vector<ReceivedMessage>> inboxes;
    return inboxes;
}

std::map<std::uintptr_t, std::function<void(const ReceivedMessage&)>>& Reactions() {
    static std::map<std::uintptr_t, std::function<void(const ReceivedMessage&)>> reactions;
    return reactions;
}

std::vector<AskedBox>& Asked() {
    static std::vector<AskedBox> asked;
    return asked;
}

} // namespace

RecordingWindow::RecordingWindow() {
    handle_ = corvane::desktop::OpenWindow([](const corvane::platform::WindowMessage& message) {
        const ReceivedMessage received{message.Code, message.WParam};
        Inboxes()[message.Window].push_back(received);
        if (const auto reaction = Reactions().find(message.Window); reaction != Reactions().end()) {
            reaction->second(received);
        }
    });
    Inboxes()[handle_];
}

RecordingWindow::~RecordingWindow() {
    corvane::desktop::CloseWindow(handle_);
    Inboxes().erase(handle_);
    Reactions().erase(handle_);
}

void RecordingWindow::React(std::function<void(const ReceivedMessage&)> reaction) {
    Reactions()[handle_] = std::move(reaction);
}

const std::vector<ReceivedMessage>& RecordingWindow::Received() const {
    return Inboxes()[handle_];
}

void RecordingWindow::PostKeyDown(std::uintptr_t keyCode) {
    Post(corvane::platform::WM_KEYDOWN_CODE, keyCode);
}

void RecordingWindow::Post(std::uint32_t code, std::uintptr_t wParam) {
    corvane::desktop::PostToThreadQueue({handle_, code, wParam, 0});
}

void AnswerBoxes(bool yes) {
    Asked().clear();
    corvane::desktop::SetMessageBoxHandler(
        [yes](const std::string& text, const std::string& caption) {
            Asked().push_back({text, caption});
            return yes;
        });
}

std::vector<AskedBox> BoxesAsked() {
    return Asked();
}

void DrainQueue() {
    corvane::platform::WindowMessage message;
    while (corvane::platform::TakeThreadMessage(message)) {
    }
}

} // namespace testdesktop
