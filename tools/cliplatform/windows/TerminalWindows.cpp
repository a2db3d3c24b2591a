// The terminal on Windows: the console's input events, the thread's real message queue, and the
// system's own message box for the confirmation (shown by the plug-in).

#include "cliplatform/Terminal.h"

#include <cstdio>
#include <io.h>
#include <windows.h>

namespace corvane::cli {
namespace {

HANDLE ConsoleInput() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    return input != INVALID_HANDLE_VALUE && input != nullptr && GetConsoleMode(input, &mode)
               ? input
               : nullptr;
}

} // namespace

bool StandardErrorIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

int TerminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
        const int columns = info.srWindow.Right - info.srWindow.Left + 1;
        if (columns > 0) {
            return columns;
        }
    }
    return 80;
}

TerminalAbort::TerminalAbort(std::function<void()> beforePrompt)
    : beforePrompt_(std::move(beforePrompt)) {
    if (ConsoleInput() == nullptr) {
        return;
    }
    // A thread has a message queue only once it has asked for a message.
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    active_ = true;
}

TerminalAbort::~TerminalAbort() = default;

void TerminalAbort::Poll() {
    HANDLE input = active_ ? ConsoleInput() : nullptr;
    DWORD pending = 0;
    if (input == nullptr || !GetNumberOfConsoleInputEvents(input, &pending)) {
        return;
    }
    while (pending > 0) {
        INPUT_RECORD records[16];
        DWORD read = 0;
        if (!ReadConsoleInputA(input, records, 16, &read) || read == 0) {
            return;
        }
        pending = pending > read ? pending - read : 0;
        for (DWORD i = 0; i < read; ++i) {
            const INPUT_RECORD& record = records[i];
            if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
                record.Event.KeyEvent.wVirtualKeyCode == VK_ESCAPE) {
                escapePressed_ = true;
                // The system asks the question; an import that then stops early was aborted.
                abortConfirmed_ = true;
                if (beforePrompt_) {
                    beforePrompt_();
                }
                PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
            }
        }
    }
}

bool TerminalAbort::Ask(const char*, const char*) {
    return false;
}

} // namespace corvane::cli
