#include "Subprocess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace clitest {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// Waits for the child; after the deadline it is killed and reported as not ended normally.
int WaitForChild(pid_t child, Clock::time_point deadline) {
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (done < 0 && errno != EINTR) {
            return -1;
        }
        if (Clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        usleep(2000);
    }
}

bool ReadSome(int fd, std::string& into) {
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof(buffer));
    if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
    return n < 0 && (errno == EINTR || errno == EAGAIN);
}

} // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const RunSettings& settings) {
    ProcessResult result;
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        return result;
    }
    const auto argv = ArgumentVector(program, arguments);
    const pid_t child = fork();
    if (child == 0) {
        const int input =
            open(settings.StandardInput.empty() ? "/dev/null" : settings.StandardInput.c_str(),
                 O_RDONLY);
        dup2(input, STDIN_FILENO);
        const int output = settings.StandardOutput.empty()
                               ? out[1]
                               : open(settings.StandardOutput.c_str(), O_WRONLY | O_APPEND);
        dup2(output, STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        if (settings.IgnoreFileSizeSignal) {
            std::signal(SIGXFSZ, SIG_IGN);
        }
        for (const auto& [resource, limit] : {std::pair{RLIMIT_FSIZE, settings.FileSizeLimit},
                                              std::pair{RLIMIT_DATA, settings.DataLimit}}) {
            if (limit >= 0) {
                const struct rlimit bound {
                    static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)
                };
                setrlimit(resource, &bound);
            }
        }
        close(out[0]);
        close(err[0]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    const auto deadline = Clock::now() + std::chrono::seconds(settings.TimeoutSeconds);
    bool outOpen = true;
    bool errOpen = true;
    while ((outOpen || errOpen) && Clock::now() < deadline) {
        struct pollfd fds[2] = {{outOpen ? out[0] : -1, POLLIN, 0},
                                {errOpen ? err[0] : -1, POLLIN, 0}};
        if (poll(fds, 2, 100) <= 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            outOpen = ReadSome(out[0], result.Out);
        }
        if (fds[1].revents != 0) {
            errOpen = ReadSome(err[0], result.Err);
        }
    }
    close(out[0]);
    close(err[0]);
    result.ExitStatus = WaitForChild(child, deadline);
    return result;
}

TerminalSession RunOnTerminal(const std::string& program, const std::vector<std::string>& arguments,
                              const std::vector<TerminalStep>& steps, int timeoutSeconds) {
    TerminalSession session;
    const auto argv = ArgumentVector(program, arguments);
    // The child waits on this pipe until the keys typed ahead are in the terminal's input.
    int startSignal[2];
    if (pipe(startSignal) != 0) {
        return session;
    }
    int master = -1;
    struct winsize size {};
    size.ws_col = 100;
    size.ws_row = 30;
    const pid_t child = forkpty(&master, nullptr, nullptr, &size);
    if (child < 0) {
        return session;
    }
    if (child == 0) {
        close(startSignal[1]);
        char go = 0;
        while (read(startSignal[0], &go, 1) < 0 && errno == EINTR) {
        }
        close(startSignal[0]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(startSignal[0]);
    std::size_t next = 0;
    for (; next < steps.size() && steps[next].Expect.empty(); ++next) {
        const std::string& keys = steps[next].Keys;
        if (write(master, keys.data(), keys.size()) < 0) {
            break;
        }
    }
    if (write(startSignal[1], "g", 1) < 0) {
        kill(child, SIGKILL);
    }
    close(startSignal[1]);
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    std::size_t searchFrom = 0;
    bool open = true;
    while (open && Clock::now() < deadline) {
        // Type the keys of every step whose text has appeared (in order).
        while (next < steps.size()) {
            const auto found = steps[next].Expect.empty()
                                   ? searchFrom
                                   : session.Screen.find(steps[next].Expect, searchFrom);
            if (found == std::string::npos) {
                break;
            }
            searchFrom = found + steps[next].Expect.size();
            const std::string& keys = steps[next].Keys;
            if (steps[next].Signal != 0) {
                kill(child, steps[next].Signal);
            } else if (write(master, keys.data(), keys.size()) < 0) {
                break;
            }
            ++next;
        }
        struct pollfd fd {
            master, POLLIN, 0
        };
        if (poll(&fd, 1, 100) > 0) {
            // A pseudo-terminal whose other side is gone reads as an error (EIO): the end.
            open = ReadSome(master, session.Screen);
        }
    }
    close(master);
    session.ExitStatus = WaitForChild(child, deadline);
    return session;
}

} // namespace clitest
