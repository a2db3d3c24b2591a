#pragma once
// Runs a program as a child process and collects what it printed and how it ended.

#include <string>
#include <vector>

namespace clitest {

struct ProcessResult {
    int ExitStatus = -1; // -1 when the program did not end normally (signal, timeout)
    std::string Out;
    std::string Err;
};

/// How the program is run, beyond its arguments.
struct RunSettings {
    std::string StandardInput;    // a file read as standard input; empty: an empty input
    std::string StandardOutput;   // a file standard output is appended to; empty: collected in Out
    long long FileSizeLimit = -1; // the largest file it may write, in bytes; -1: no limit
    long long DataLimit = -1;     // the most data memory it may have, in bytes; -1: no limit
    bool IgnoreFileSizeSignal = false; // a write past the limit fails instead of ending it
    int TimeoutSeconds = 120;
};

/// Runs program with the arguments and waits at most the timeout.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const RunSettings& settings = {});

/// What a program wrote to a pseudo-terminal, with the answers a person typed.
struct TerminalSession {
    int ExitStatus = -1;
    std::string Screen; // everything written to the terminal (standard output and error)
};

/// One step of a scripted terminal: wait until the screen shows Expect, then type Keys (or, when
/// Signal is not 0, send the program that signal). Steps with an empty Expect at the start are
/// typed ahead, before the program starts.
struct TerminalStep {
    std::string Expect;
    std::string Keys;
    int Signal = 0;
};

/// Runs the program on a new pseudo-terminal (as standard input, output and error), typing each
/// step's keys once its expected text has appeared.
TerminalSession RunOnTerminal(const std::string& program, const std::vector<std::string>& arguments,
                              const std::vector<TerminalStep>& steps, int timeoutSeconds = 120);

} // namespace clitest
