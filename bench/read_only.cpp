// read_only: one pass of the import's reading rules over a whole file, and nothing else: every
// line that starts with a number is read as numbers up to its end, every other line as text. It
// is the floor of an import that reads every byte of the file through the same rules.
//
//   read_only FILE [REPEATS]
//
// Prints the best wall and processor times of the repeats in seconds, with the lines and numbers
// read.

#include "importer/InputFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

struct PassCounts {
    std::uint64_t Lines = 0;
    std::uint64_t Numbers = 0;
    std::int64_t Checksum = 0; // keeps the values alive
};

bool StartsWithNumber(const std::string& head) {
    for (const char c : head) {
        if (static_cast<unsigned char>(c) > 32) {
            return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
        }
    }
    return false;
}

PassCounts ReadWholeFile(corvane::InputFile& input) {
    constexpr std::size_t LookAhead = 16;
    PassCounts counts;
    while (!input.AtEnd()) {
        ++counts.Lines;
        if (!StartsWithNumber(input.PeekLine(LookAhead))) {
            counts.Checksum += static_cast<std::int64_t>(
                input.ReadWholeLine(corvane::InputFile::KeywordLineLimit).size());
            continue;
        }
        do {
            counts.Checksum += input.ReadInteger();
            ++counts.Numbers;
        } while (!input.RestOfLineBlank());
        input.SkipLine();
    }
    return counts;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: read_only FILE [REPEATS]\n");
        return 2;
    }
    const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1;
    double best = 0.0;
    double bestCpu = 0.0;
    PassCounts counts;
    for (int run = 0; run < repeats; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        const auto input = corvane::InputFile::Open(argv[1]);
        if (input == nullptr) {
            std::fprintf(stderr, "read_only: cannot open %s\n", argv[1]);
            return 1;
        }
        counts = ReadWholeFile(*input);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpuSeconds =
            static_cast<double>(std::clock() - cpuStart) / static_cast<double>(CLOCKS_PER_SEC);
        best = run == 0 ? seconds : std::min(best, seconds);
        bestCpu = run == 0 ? cpuSeconds : std::min(bestCpu, cpuSeconds);
    }
    std::printf("seconds=%.6f cpu_seconds=%.6f lines=%llu numbers=%llu checksum=%lld\n", best,
                bestCpu, static_cast<unsigned long long>(counts.Lines),
                static_cast<unsigned long long>(counts.Numbers),
                static_cast<long long>(counts.Checksum));
    return 0;
}
