// generate_board: writes a synthetic Corvane board and prints what it holds.
//
//   generate_board [OPTIONS] OUTPUT
//     --records N        about N records (sets the counts below from one mix; later options
//                        override them)
//     --components N     --pins N        --nets N (0: nets over 80% of the pins)
//     --min-nodes N      --max-nodes N
//     --free-tracks N    --free-vias N   --free-pads N
//     --free-arcs N      --free-fills N  --free-strings N
//     --version 4|5      --seed N        --lf (LF line ends instead of CR LF)
//     --alternate        nets after each component, over its pins and earlier ones
//     --pile KIND N      a board of N piled objects alone: stacked-tracks, stacked-pads,
//                        overlapping-fills, keep-out-squares (N squares of four tracks) or
//                        crossing-grid (N tracks, half across and half down)
//
// The summary line on standard output: records, objects, components, nets, nodes, lines, bytes.

#include "BoardGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace {

using corvane::bench::BoardCounts;
using corvane::bench::BoardShape;

int Usage(const std::string& problem) {
    std::fprintf(stderr, "generate_board: %s\nusage: generate_board [OPTIONS] OUTPUT\n",
                 problem.c_str());
    return 2;
}

bool ParseCount(const std::string& text, std::uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 10);
    return !text.empty() && end != nullptr && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    BoardShape shape;
    std::string output;
    using Setter = std::function<void(std::uint64_t)>;
    const auto u32 = [](std::uint32_t& field) {
        return Setter([&field](std::uint64_t v) { field = static_cast<std::uint32_t>(v); });
    };
    const std::map<std::string, Setter> counted = {
        {"--records",
         [&shape](std::uint64_t v) {
             const BoardShape sized = corvane::bench::ShapeForRecords(v, shape.PinsPerComponent);
             shape.Components = sized.Components;
             shape.FreeTracks = sized.FreeTracks;
             shape.FreeVias = sized.FreeVias;
             shape.FreePads = sized.FreePads;
             shape.FreeArcs = sized.FreeArcs;
             shape.FreeFills = sized.FreeFills;
             shape.FreeStrings = sized.FreeStrings;
         }},
        {"--components", u32(shape.Components)},
        {"--pins", u32(shape.PinsPerComponent)},
        {"--nets", u32(shape.Nets)},
        {"--min-nodes", u32(shape.MinNodes)},
        {"--max-nodes", u32(shape.MaxNodes)},
        {"--free-tracks", u32(shape.FreeTracks)},
        {"--free-vias", u32(shape.FreeVias)},
        {"--free-pads", u32(shape.FreePads)},
        {"--free-arcs", u32(shape.FreeArcs)},
        {"--free-fills", u32(shape.FreeFills)},
        {"--free-strings", u32(shape.FreeStrings)},
        {"--seed", [&shape](std::uint64_t v) { shape.Seed = v; }},
        {"--version", [&shape](std::uint64_t v) { shape.Version = static_cast<int>(v); }},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--lf") {
            shape.CrLf = false;
            continue;
        }
        if (argument == "--alternate") {
            shape.AlternateNets = true;
            continue;
        }
        if (argument == "--pile") {
            const std::map<std::string, corvane::bench::Pile> piles = {
                {"stacked-tracks", corvane::bench::Pile::StackedTracks},
                {"stacked-pads", corvane::bench::Pile::StackedPads},
                {"overlapping-fills", corvane::bench::Pile::OverlappingFills},
                {"keep-out-squares", corvane::bench::Pile::KeepOutSquares},
                {"crossing-grid", corvane::bench::Pile::CrossingGrid}};
            std::uint64_t count = 0;
            if (i + 2 >= argc || piles.count(argv[i + 1]) == 0 || !ParseCount(argv[i + 2], count)) {
                return Usage("--pile needs a kind and a number");
            }
            shape.PileKind = piles.at(argv[i + 1]);
            shape.PileCount = static_cast<std::uint32_t>(count);
            i += 2;
            continue;
        }
        const auto option = counted.find(argument);
        if (option != counted.end()) {
            std::uint64_t value = 0;
            if (i + 1 >= argc || !ParseCount(argv[i + 1], value)) {
                return Usage(argument + " needs a number");
            }
            option->second(value);
            ++i;
            continue;
        }
        if (!argument.empty() && argument[0] == '-') {
            return Usage("unknown option " + argument);
        }
        if (!output.empty()) {
            return Usage("only one OUTPUT");
        }
        output = argument;
    }
    if (output.empty()) {
        return Usage("no OUTPUT");
    }
    if (shape.Version != 4 && shape.Version != 5) {
        return Usage("--version is 4 or 5");
    }
    if (shape.PinsPerComponent == 0 || shape.MinNodes == 0 || shape.MinNodes > shape.MaxNodes) {
        return Usage("pins and nodes per net must be at least 1, min-nodes at most max-nodes");
    }

    BoardCounts counts;
    const std::string text = corvane::bench::GenerateBoard(shape, &counts);
    std::FILE* file = std::fopen(output.c_str(), "wb");
    if (file == nullptr) {
        return Usage("cannot write " + output);
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        return Usage("cannot write " + output);
    }
    std::printf("records=%llu objects=%llu components=%llu nets=%llu nodes=%llu lines=%llu "
                "bytes=%llu\n",
                static_cast<unsigned long long>(counts.Records),
                static_cast<unsigned long long>(counts.Objects),
                static_cast<unsigned long long>(counts.Components),
                static_cast<unsigned long long>(counts.Nets),
                static_cast<unsigned long long>(counts.Nodes),
                static_cast<unsigned long long>(counts.Lines),
                static_cast<unsigned long long>(counts.Bytes));
    return 0;
}
