// The terminal on POSIX systems: raw, non-blocking key reads from standard input, and the desktop
// stand-in's message queue and Yes/No box.

#include "cliplatform/Terminal.h"

#include "cliplatform/SignalCleanup.h"
#include "platform/posix/Desktop.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace corvane::cli {
namespace {

constexpr unsigned char EscapeByte = 0x1B;

// What the signal cleanup needs to put the terminal back: the flag is set after the settings.
struct SavedTerminal {
    struct termios Settings {};
    volatile std::sig_atomic_t Saved = 0;
};

SavedTerminal& Saved() {
    static SavedTerminal saved;
    return saved;
}

// A cleanup step: safe in a signal handler.
void RestoreTerminal() {
    if (Saved().Saved != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &Saved().Settings);
    }
}

bool InForegroundTerminal() {
    return isatty(STDIN_FILENO) == 1 && tcgetpgrp(STDIN_FILENO) == getpgrp();
}

// Bytes waiting on standard input, without blocking (timeoutMs -1: wait for at least one).
std::string ReadAvailable(int timeoutMs) {
    std::string bytes;
    struct pollfd input {
        STDIN_FILENO, POLLIN, 0
    };
    for (;;) {
        const int ready = poll(&input, 1, bytes.empty() ? timeoutMs : 0);
        if (ready < 0 && errno == EINTR) {
            continue; // a window resize, say: keep waiting
        }
        if (ready <= 0 || (input.revents & POLLIN) == 0) {
            break;
        }
        char buffer[64];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof(buffer));
        if (n <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

// True when the bytes hold an Escape key of its own. Keys such as the arrows send sequences that
// start with Escape followed by '[' or 'O'; those are not Escape presses.
bool HoldsEscapeKey(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) != EscapeByte) {
            continue;
        }
        const bool sequence = i + 1 < bytes.size() && (bytes[i + 1] == '[' || bytes[i + 1] == 'O');
        if (!sequence) {
            return true;
        }
        // Skip the sequence up to its final byte (0x40..0x7E after the introducer).
        i += 2;
        while (i < bytes.size() && !(bytes[i] >= 0x40 && bytes[i] <= 0x7E)) {
            ++i;
        }
    }
    return false;
}

} // namespace

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

int TerminalColumns() {
    struct winsize size {};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

TerminalAbort::TerminalAbort(std::function<void()> beforePrompt)
    : beforePrompt_(std::move(beforePrompt)) {
    if (!InForegroundTerminal() || tcgetattr(STDIN_FILENO, &Saved().Settings) != 0) {
        return;
    }
    Saved().Saved = 1;
    AddCleanupStep(RestoreTerminal);
    struct termios raw = Saved().Settings;
    // Keys arrive one by one and unechoed; Ctrl-C still interrupts (ISIG stays on).
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) {
        return;
    }
    active_ = true;
    corvane::desktop::SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption) {
            return Ask(text.c_str(), caption.c_str());
        });
}

TerminalAbort::~TerminalAbort() {
    if (Saved().Saved == 0) {
        return;
    }
    corvane::desktop::SetMessageBoxHandler(nullptr);
    RestoreTerminal();
    Saved().Saved = 0;
}

void TerminalAbort::Poll() {
    if (!active_ || !HoldsEscapeKey(ReadAvailable(0))) {
        return;
    }
    escapePressed_ = true;
    corvane::desktop::PostToThreadQueue(
        {0, corvane::platform::WM_KEYDOWN_CODE, corvane::platform::VK_ESCAPE_CODE, 0});
}

bool TerminalAbort::Ask(const char* text, const char* caption) {
    if (beforePrompt_) {
        beforePrompt_();
    }
    std::fprintf(stderr, "%s: %s (y/n)? ", caption, text);
    std::fflush(stderr);
    for (;;) {
        const std::string keys = ReadAvailable(-1);
        if (keys.empty()) {
            std::fputs("no\n", stderr); // standard input closed: nobody can say yes
            return false;
        }
        for (const char key : keys) {
            if (key == 'y' || key == 'Y') {
                std::fputs("yes\n", stderr);
                abortConfirmed_ = true;
                return true;
            }
            if (key == 'n' || key == 'N' || key == '\n' || key == '\r' ||
                static_cast<unsigned char>(key) == EscapeByte) {
                std::fputs("no\n", stderr);
                return false;
            }
        }
    }
}

} // namespace corvane::cli
