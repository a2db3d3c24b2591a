#include "ResidentMemory.h"

#if defined(_WIN32)
#include <windows.h>
// psapi.h after windows.h: it uses the types windows.h declares.
#include <psapi.h>
#else
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace malformedtest {

#if defined(_WIN32)

namespace {
PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        return PROCESS_MEMORY_COUNTERS{};
    }
    return counters;
}
} // namespace

std::uint64_t CurrentResidentBytes() {
    return Counters().WorkingSetSize;
}
std::uint64_t PeakResidentBytes() {
    return Counters().PeakWorkingSetSize;
}

#else

std::uint64_t CurrentResidentBytes() {
    // The second number of statm: resident pages.
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return 0;
    }
    unsigned long long size = 0;
    unsigned long long resident = 0;
    const int read = std::fscanf(statm, "%llu %llu", &size, &resident);
    std::fclose(statm);
    if (read != 2) {
        return 0;
    }
    return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

std::uint64_t PeakResidentBytes() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024; // kilobytes on Linux
}

#endif

} // namespace malformedtest
