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

/// Runs program with the arguments, standard input empty, and waits at most timeoutSeconds.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         int timeoutSeconds = 120);

/// What a program wrote to a pseudo-terminal, with the answers a person typed.
struct TerminalSession {
    int ExitStatus = -1;
    std::string Screen; // everything written to the terminal (standard output and error)
};

/// One step of a scripted terminal: wait until the screen shows Expect, then type Keys. Steps
/// with an empty Expect at the start are typed ahead, before the program starts.
struct TerminalStep {
    std::string Expect;
    std::string Keys;
};

/// Runs the program on a new pseudo-terminal (as standard input, output and error), typing each
/// step's keys once its expected text has appeared.
TerminalSession RunOnTerminal(const std::string& program, const std::vector<std::string>& arguments,
                              const std::vector<TerminalStep>& steps, int timeoutSeconds = 120);

} // namespace clitest
