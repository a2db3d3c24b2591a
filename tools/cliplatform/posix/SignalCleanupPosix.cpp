// The cleanup's signal handlers on POSIX systems.

#include "cliplatform/SignalCleanup.h"

#include <array>
#include <csignal>
#include <unistd.h>

namespace corvane::cli {
namespace {

constexpr std::array<int, 10> CleanedUpSignals = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGPIPE,
                                                  SIGXFSZ, SIGABRT, SIGSEGV, SIGBUS,  SIGFPE};

// Cleans up, then lets the signal do what it would have done: it is raised again with its default
// action, and arrives as soon as this handler returns (it is blocked while the handler runs).
extern "C" void CleanUpAndReraise(int signalNumber) {
    RunCleanup();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void InstallSignalCleanup() {
    for (const int signalNumber : CleanedUpSignals) {
        struct sigaction current {};
        if (sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
            continue; // ignored by whoever started the program: it stays so
        }
        struct sigaction action {};
        action.sa_handler = CleanUpAndReraise;
        sigemptyset(&action.sa_mask);
        // Every cleaned-up signal waits while a handler runs, so that the cleanup runs once.
        for (const int other : CleanedUpSignals) {
            sigaddset(&action.sa_mask, other);
        }
        sigaction(signalNumber, &action, nullptr);
    }
}

void WriteToStandardErrorNow(const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = write(STDERR_FILENO, bytes, count);
        if (written <= 0) {
            return;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

void RemoveFileNow(const char* path) {
    unlink(path);
}

} // namespace corvane::cli
