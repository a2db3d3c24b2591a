// measure_process: runs a program and prints its wall time and peak resident memory.
//
//   measure_process COMMAND [ARGUMENTS...]
//
// The program's own output goes to /dev/null. Prints "seconds=S cpu_seconds=C maxrss_kb=K
// status=N": wall time, processor time (user and system), peak resident memory, exit status.

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: measure_process COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("measure_process: fork");
        return 1;
    }
    if (child == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            close(quiet);
        }
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("measure_process: wait4");
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const auto cpuSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    std::printf("seconds=%.6f cpu_seconds=%.6f maxrss_kb=%ld status=%d\n", seconds,
                cpuSeconds(usage.ru_utime) + cpuSeconds(usage.ru_stime), usage.ru_maxrss,
                exitStatus);
    return 0;
}
