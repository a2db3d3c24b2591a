#pragma once
// The terminal around an import: whether there is one, how wide it is, and watching it for the
// Escape key that asks the plug-in to abort.

#include <functional>

namespace corvane::cli {

/// True when standard error is a terminal (the progress bar is drawn only then).
bool StandardErrorIsTerminal();

/// The terminal's width in columns (80 when unknown).
int TerminalColumns();

/// While it lives, and only when standard input is a terminal in the foreground: keys are read
/// without waiting and without echo, an Escape key-down is posted to the calling thread's message
/// queue (where the plug-in's abort check finds it), and the plug-in's Yes/No confirmation is
/// asked on the terminal. The terminal's settings come back when it goes, and also when the
/// program is ended by a signal (through the signal cleanup).
class TerminalAbort {
public:
    /// beforePrompt runs before the confirmation is written (to clear the progress bar).
    explicit TerminalAbort(std::function<void()> beforePrompt);
    ~TerminalAbort();
    TerminalAbort(const TerminalAbort&) = delete;
    TerminalAbort& operator=(const TerminalAbort&) = delete;

    /// True when the terminal is being watched.
    bool Active() const { return active_; }

    /// Reads the keys pressed since the last poll; call it often, on the importing thread.
    void Poll();

    /// True when Escape was pressed during the import.
    bool EscapePressed() const { return escapePressed_; }

    /// True when the user answered Yes to a confirmation. Where the system asks the question
    /// itself (Windows), an Escape counts as confirmed if the import then stopped early.
    bool AbortConfirmed() const { return abortConfirmed_; }

private:
    bool Ask(const char* text, const char* caption);

    std::function<void()> beforePrompt_;
    bool active_ = false;
    bool escapePressed_ = false;
    bool abortConfirmed_ = false;
};

} // namespace corvane::cli
