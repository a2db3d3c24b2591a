// The copper's joining gives the groups of testing every pair of pieces, on small generated piles:
// objects stacked on one spot, overlapping fills, a crossing grid, and dense and sparse mixes of
// every kind, shape, rotation and layer.

#include "kicadwriter/CopperJoin.h"
#include "kicadwriter/CopperPieces.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace corvane::cli::kicad {
namespace {

constexpr std::int32_t Mil = 10000; // host units

enum class PileKind {
    StackedTracks,
    StackedOnTwoLayers,
    StackedPads,
    ZeroWidthArcs,
    OverlappingFills,
    Grid,
    Mixed
};

struct PileCase {
    const char* Name;
    PileKind Kind;
    int Count;
    std::int32_t Spread; // mils: the side of the square the objects lie in
    std::size_t Groups;  // groups the pile makes by construction, or Some, or Any
    unsigned Seed = 1;
};

// More than one group and fewer than the pieces: something joined and something apart.
constexpr std::size_t Some = 0;
// Stacked arcs of width 0 join or not by the rounding of their ends: the same as every pair.
constexpr std::size_t Any = SIZE_MAX;

class Pile {
public:
    explicit Pile(unsigned seed) : random_(seed) {}

    std::int32_t Between(std::int32_t low, std::int32_t high) {
        return low + std::int32_t(random_() % std::uint32_t(high - low + 1));
    }

    std::string Layer() {
        static const char* const layers[] = {"TopLayer", "BottomLayer", "MidLayer1", "MultiLayer"};
        return layers[Between(0, 3)];
    }

    double Angle() {
        static const double angles[] = {0, 90, 45, 30, 180, 270, -60};
        return angles[Between(0, 6)];
    }

    // One object of a random kind, form and layer within the square.
    void AddAny(Primitives& p, std::int32_t spread, int index) {
        const std::int32_t x = Between(0, spread) * Mil, y = Between(0, spread) * Mil;
        const std::int32_t reach = std::max(spread / 4, 2);
        switch (Between(0, 4)) {
        case 0:
            p.Tracks.push_back({x,
                                y,
                                x + Between(-reach, reach) * Mil,
                                y + Between(-reach, reach) * Mil,
                                Between(0, 12) * Mil,
                                Layer(),
                                {}});
            break;
        case 1:
            p.Arcs.push_back({x,
                              y,
                              Between(0, reach) * Mil,
                              Angle(),
                              Angle(),
                              Between(0, 10) * Mil,
                              Layer(),
                              {}});
            break;
        case 2:
            p.Vias.push_back({x,
                              y,
                              Between(10, 60) * Mil,
                              20 * Mil,
                              "TopLayer",
                              Between(0, 1) == 0 ? "BottomLayer" : "MidLayer1",
                              {}});
            break;
        case 3: {
            Pad pad;
            pad.X = x, pad.Y = y;
            pad.Name = std::to_string(index);
            pad.ShapeCode = std::uint8_t(Between(1, 4));
            pad.XSize = Between(5, 80) * Mil, pad.YSize = Between(5, 80) * Mil;
            pad.Hole = Between(0, 1) * 10 * Mil;
            pad.Layer = Layer();
            pad.Rotation = Angle();
            pad.CornerPercent = std::uint8_t(Between(0, 100));
            p.Pads.push_back(pad);
            break;
        }
        default:
            p.Fills.push_back({x,
                               y,
                               x + Between(1, reach) * Mil,
                               y + Between(1, reach) * Mil,
                               Layer(),
                               Angle(),
                               {}});
        }
    }

private:
    std::mt19937 random_;
};

Board PileOf(const PileCase& c) {
    Board board;
    Primitives& p = board.Free;
    Pile pile(c.Seed);
    const std::int32_t side = c.Spread * Mil;
    for (int i = 0; i < c.Count; ++i) {
        switch (c.Kind) {
        case PileKind::StackedTracks:
            p.Tracks.push_back({0, 0, side, 0, 10 * Mil, "TopLayer", {}});
            break;
        case PileKind::StackedOnTwoLayers: // two stacks that never touch, in turns
            p.Tracks.push_back(
                {0, 0, side, 0, 10 * Mil, i % 2 == 0 ? "TopLayer" : "BottomLayer", {}});
            break;
        case PileKind::StackedPads: {
            Pad pad;
            pad.Name = std::to_string(i + 1);
            pad.ShapeCode = 1;
            pad.XSize = pad.YSize = 60 * Mil;
            pad.Hole = 30 * Mil;
            pad.Layer = "MultiLayer";
            p.Pads.push_back(pad);
            break;
        }
        case PileKind::ZeroWidthArcs:
            p.Arcs.push_back({0, 0, side, 30, 100, 0, "TopLayer", {}});
            break;
        case PileKind::OverlappingFills: {
            // Every fill holds the middle of the square.
            const std::int32_t x = pile.Between(0, c.Spread / 2) * Mil;
            const std::int32_t y = pile.Between(0, c.Spread / 2) * Mil;
            p.Fills.push_back({x,
                               y,
                               x + side / 2 + pile.Between(1, c.Spread) * Mil,
                               y + side / 2 + pile.Between(1, c.Spread) * Mil,
                               "TopLayer",
                               0,
                               {}});
            break;
        }
        case PileKind::Grid: {
            // Half across, half down, their ends beyond the others: they cross and never touch.
            const std::int32_t at = (2 * (i / 2) + 1) * side / c.Count;
            p.Tracks.push_back(i % 2 == 0 ? Track{0, at, side, at, 2 * Mil, "TopLayer", {}}
                                          : Track{at, 0, at, side, 2 * Mil, "TopLayer", {}});
            break;
        }
        case PileKind::Mixed:
            pile.AddAny(p, c.Spread, i);
            break;
        }
    }
    return board;
}

void PrintTo(const PileCase& c, std::ostream* out) {
    *out << c.Name;
}

class CopperJoin : public testing::TestWithParam<PileCase> {};

TEST_P(CopperJoin, GivesTheGroupsOfEveryPairTested) {
    const PileCase& c = GetParam();
    const BoardStore store = StoreOf(PileOf(c));
    CopperNets nets;
    const LayerMap layers = LayerMap::ForBoard(store);
    PadForms padForms(layers);
    const CopperPieces copper = CollectCopperPieces(store, layers, padForms, nets);
    const std::vector<CopperPiece>& pieces = copper.Pieces;
    UnionFind joined(pieces.size()), reference(pieces.size());
    JoinTouching(pieces, copper.LayerSets, joined);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const CopperOutline a = OutlineOf(pieces[i]);
        for (std::size_t j = i + 1; j < pieces.size(); ++j) {
            if ((copper.LayerSets[pieces[i].Layers] & copper.LayerSets[pieces[j].Layers]) != 0 &&
                CopperJoined(a, OutlineOf(pieces[j]))) {
                reference.Join(i, j);
            }
        }
    }
    std::vector<std::uint32_t> joinedRoots, referenceRoots;
    std::size_t groups = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        joinedRoots.push_back(joined.Root(i));
        referenceRoots.push_back(reference.Root(i));
        groups += referenceRoots.back() == i;
    }
    EXPECT_EQ(joinedRoots, referenceRoots);
    ASSERT_GE(pieces.size(), std::size_t(c.Count) / 2);
    if (c.Groups == Some) {
        EXPECT_GT(groups, 1U);
        EXPECT_LT(groups, pieces.size());
    } else if (c.Groups != Any) {
        EXPECT_EQ(groups, c.Groups);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Piles, CopperJoin,
    testing::Values(PileCase{"StackedTracks", PileKind::StackedTracks, 300, 50, 1},
                    PileCase{"StackedOnTwoLayers", PileKind::StackedOnTwoLayers, 300, 50, 2},
                    PileCase{"StackedPads", PileKind::StackedPads, 300, 0, 1},
                    PileCase{"ZeroWidthArcs", PileKind::ZeroWidthArcs, 50, 40, Any},
                    PileCase{"OverlappingFills", PileKind::OverlappingFills, 300, 400, 1},
                    PileCase{"CrossingGrid", PileKind::Grid, 120, 600, 120},
                    PileCase{"DenseMix", PileKind::Mixed, 400, 1000, Some, 1},
                    PileCase{"DenseMixAgain", PileKind::Mixed, 400, 700, Some, 7},
                    PileCase{"SparseMix", PileKind::Mixed, 600, 2000, Some, 3},
                    PileCase{"TightMix", PileKind::Mixed, 300, 400, Some, 11}),
    [](const testing::TestParamInfo<PileCase>& param) { return std::string(param.param.Name); });

} // namespace
} // namespace corvane::cli::kicad
