#pragma once
// What the program undoes when it is ended from outside or by a crash, before it ends the way the
// signal ends it: the temporary files of unfinished outputs are removed, and the steps others
// added run (the terminal's settings come back, the progress bar's line is cleared).
//
// POSIX: SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ and the crash signals, except those
// that were ignored when the program started (a shell's background job, nohup, a test that wants
// the write error of a file-size limit rather than the signal). Windows: the console's Ctrl-C,
// Ctrl-Break and close events.

#include <string>

namespace corvane::cli {

/// A step that may run in a signal handler (or, on Windows, on the system's control thread): it
/// calls only functions that are safe there.
using CleanupStep = void (*)();

/// Sets the handlers up; called once, before anything that needs undoing.
void InstallSignalCleanup();

/// Adds a step; adding one twice adds it once. At most eight steps.
void AddCleanupStep(CleanupStep step);

/// Removes the registered temporary files, then runs the steps: what the handlers do.
void RunCleanup();

/// A temporary file that is removed if the program is ended before the file is released.
/// Registered before the file is made, so that no moment leaves it unguarded.
class GuardedTemporaryFile {
public:
    explicit GuardedTemporaryFile(const std::string& path);
    /// Stops guarding (the file has been renamed or removed).
    ~GuardedTemporaryFile();
    GuardedTemporaryFile(const GuardedTemporaryFile&) = delete;
    GuardedTemporaryFile& operator=(const GuardedTemporaryFile&) = delete;

    /// False when every slot was taken (the file is then not removed by a signal).
    bool Guarded() const { return slot_ >= 0; }

private:
    int slot_ = -1;
};

/// Writes to standard error from a cleanup step.
void WriteToStandardErrorNow(const char* bytes, std::size_t count);

/// Removes a file from a cleanup step.
void RemoveFileNow(const char* path);

} // namespace corvane::cli
