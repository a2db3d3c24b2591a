// Which closed outlines lie inside another, found through the index of their extents, against
// every pair tested: nested, equal, stacked and scattered squares, triangles and circles.

#include "kicadwriter/OutlineLoops.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace corvane::cli::kicad {
namespace {

enum class LoopsKind { Concentric, Stacked, Scattered, GridInFrame };

struct LoopsCase {
    const char* Name;
    LoopsKind Kind;
    int Count;
    std::int64_t Spread; // the side of the square they lie in
    std::size_t Outer;   // loops inside no other, by construction; 0: whatever every pair gives
    unsigned Seed = 1;
};

OutlineLoop Polygon(std::vector<SheetPoint> points) {
    OutlineLoop loop;
    loop.Points = std::move(points);
    for (const SheetPoint p : loop.Points) {
        loop.Take(p);
    }
    return loop;
}

OutlineLoop Square(std::int64_t x, std::int64_t y, std::int64_t side) {
    return Polygon({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}});
}

OutlineLoop Circle(std::int64_t x, std::int64_t y, std::int64_t radius) {
    OutlineLoop loop;
    loop.Circle = true;
    loop.Centre = {x, y};
    loop.Radius = radius;
    loop.Take({x - radius, y - radius});
    loop.Take({x + radius, y + radius});
    return loop;
}

std::vector<OutlineLoop> LoopsOf(const LoopsCase& c) {
    std::mt19937 random(c.Seed);
    const auto between = [&](std::int64_t low, std::int64_t high) {
        return low + std::int64_t(random() % std::uint64_t(high - low + 1));
    };
    std::vector<OutlineLoop> loops;
    for (int i = 0; i < c.Count; ++i) {
        switch (c.Kind) {
        case LoopsKind::Concentric:
            loops.push_back(Square(i, i, c.Spread - 2 * i));
            break;
        case LoopsKind::Stacked:
            loops.push_back(Square(0, 0, c.Spread));
            break;
        case LoopsKind::Scattered: {
            const std::int64_t x = between(0, c.Spread), y = between(0, c.Spread);
            const std::int64_t size = between(1, c.Spread / 3);
            switch (between(0, 3)) {
            case 0:
                loops.push_back(Square(x, y, size));
                break;
            case 1:
                loops.push_back(Circle(x, y, size));
                break;
            case 2:
                loops.push_back(Polygon({{x, y}, {x + size, y}, {x, y + size}}));
                break;
            default: // a square and a copy of it: neither is inside the other
                loops.push_back(Square(x, y, size));
                loops.push_back(Square(x, y, size));
            }
            break;
        }
        case LoopsKind::GridInFrame:
            if (i == 0) {
                loops.push_back(Square(0, 0, c.Spread));
            } else {
                loops.push_back(Square(1 + (i % 30) * 3, 1 + (i / 30) * 3, 2));
            }
            break;
        }
    }
    return loops;
}

void PrintTo(const LoopsCase& c, std::ostream* out) {
    *out << c.Name;
}

class OutlineNesting : public testing::TestWithParam<LoopsCase> {};

TEST_P(OutlineNesting, FindsTheLoopsInsideAnotherAsEveryPairDoes) {
    const LoopsCase& c = GetParam();
    const std::vector<OutlineLoop> loops = LoopsOf(c);
    std::vector<bool> reference(loops.size(), false);
    for (std::size_t i = 0; i < loops.size(); ++i) {
        for (std::size_t j = 0; j < loops.size(); ++j) {
            reference[i] = reference[i] || (i != j && loops[i].Inside(loops[j]));
        }
    }
    EXPECT_EQ(InnerLoops(loops), reference);
    const auto outer = std::size_t(std::count(reference.begin(), reference.end(), false));
    if (c.Outer != 0) {
        EXPECT_EQ(outer, c.Outer);
    } else { // loops inside others, and loops inside none
        EXPECT_GT(outer, 1U);
        EXPECT_LT(outer, loops.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loops, OutlineNesting,
    testing::Values(LoopsCase{"Concentric", LoopsKind::Concentric, 200, 1000, 1},
                    LoopsCase{"StackedEqual", LoopsKind::Stacked, 200, 100, 200},
                    LoopsCase{"Scattered", LoopsKind::Scattered, 400, 3000, 0, 1},
                    LoopsCase{"ScatteredDense", LoopsKind::Scattered, 400, 300, 0, 5},
                    LoopsCase{"GridInFrame", LoopsKind::GridInFrame, 600, 100, 1}),
    [](const testing::TestParamInfo<LoopsCase>& param) { return std::string(param.param.Name); });

} // namespace
} // namespace corvane::cli::kicad
