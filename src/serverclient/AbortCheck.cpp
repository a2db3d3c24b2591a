#include "serverclient/AbortCheck.h"

#include "platform/Platform.h"

namespace corvane {
namespace {

bool IsEscapeKeyDown(const platform::WindowMessage& message) {
    return (message.Code == platform::WM_KEYDOWN_CODE ||
            message.Code == platform::WM_SYSKEYDOWN_CODE) &&
           message.WParam == platform::VK_ESCAPE_CODE;
}

} // namespace

void CheckForAbort(bool& abortRequested) {
    if (abortRequested) {
        return;
    }
    platform::WindowMessage message;
    while (platform::TakeThreadMessage(message)) {
        if (IsEscapeKeyDown(message)) {
            // The Escape itself reaches no window, whatever the answer.
            if (ConfirmYesNo(AbortQuestion)) {
                abortRequested = true;
            }
            continue;
        }
        platform::SendWindowMessage(message);
    }
}

bool ConfirmYesNo(const std::string& message) {
    // A short string holds at most 255 characters.
    return platform::AskYesNo(message.substr(0, 255), "Confirm");
}

} // namespace corvane
