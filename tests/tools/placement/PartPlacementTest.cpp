// The placement of a part: its rotation inferred from its pads, one table of layouts on both
// sides, and the centre of its pads.

#include "placement/PartPlacement.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace corvane::cli {
namespace {

constexpr std::int32_t Mil = 10000; // host units

// Pads by name at whole mils.
std::vector<Pad> Pads(const std::vector<std::tuple<const char*, int, int>>& layout) {
    std::vector<Pad> pads;
    for (const auto& [name, x, y] : layout) {
        Pad pad;
        pad.Name = name;
        pad.X = x * Mil;
        pad.Y = y * Mil;
        pad.XSize = pad.YSize = 60 * Mil;
        pads.push_back(pad);
    }
    return pads;
}

TEST(PartPlacement, RotationsFollowTheLibraryConventionsOnBothSides) {
    const struct {
        const char* Layout;
        std::vector<std::tuple<const char*, int, int>> Pads;
        bool Bottom;
        double Degrees;
        RotationRule Rule;
    } cases[] = {
        {"two pads, pin 1 left", {{"1", 0, 0}, {"2", 100, 0}}, false, 0, RotationRule::TwoPads},
        {"two pads, pin 1 below", {{"1", 0, 0}, {"2", 0, 100}}, false, 90, RotationRule::TwoPads},
        {"two pads, pin 1 right", {{"2", 0, 0}, {"1", 100, 0}}, false, 180, RotationRule::TwoPads},
        {"two pads, pin 1 above", {{"1", 0, 100}, {"2", 0, 0}}, false, 270, RotationRule::TwoPads},
        // KiCad flips a footprint top to bottom: left and right stay, up and down swap.
        {"bottom, pin 1 left", {{"1", 0, 0}, {"2", 100, 0}}, true, 0, RotationRule::TwoPads},
        {"bottom, pin 1 below", {{"1", 0, 0}, {"2", 0, 100}}, true, 90, RotationRule::TwoPads},
        {"row running down",
         {{"1", 0, 200}, {"2", 0, 100}, {"3", 0, 0}},
         false,
         0,
         RotationRule::OneRow},
        {"row running left",
         {{"3", 0, 0}, {"2", 100, 0}, {"1", 200, 0}},
         false,
         270,
         RotationRule::OneRow},
        {"bottom row running up",
         {{"1", 0, 0}, {"2", 0, 100}, {"3", 0, 200}},
         true,
         0,
         RotationRule::OneRow},
        {"pad 1 inside the row",
         {{"2", 0, 200}, {"1", 0, 100}, {"3", 0, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"DIP-4, pin 1 top left",
         {{"1", 0, 100}, {"2", 0, 0}, {"3", 300, 0}, {"4", 300, 100}},
         false,
         0,
         RotationRule::TwoRows},
        {"DIP-4, pins along the bottom",
         {{"1", 0, 0}, {"2", 100, 0}, {"3", 100, 300}, {"4", 0, 300}},
         false,
         90,
         RotationRule::TwoRows},
        {"DIP-4, pin 1 bottom right",
         {{"1", 300, 0}, {"2", 300, 100}, {"3", 0, 100}, {"4", 0, 0}},
         false,
         180,
         RotationRule::TwoRows},
        {"SOT-23", {{"1", 0, 100}, {"2", 0, 0}, {"3", 200, 50}}, false, 0, RotationRule::TwoRows},
        {"DIP-4 on the bottom, pin 1 bottom left",
         {{"1", 0, 0}, {"2", 0, 100}, {"3", 300, 100}, {"4", 300, 0}},
         true,
         0,
         RotationRule::TwoRows},
        {"DIP-4 numbered clockwise",
         {{"1", 0, 100}, {"2", 0, 0}, {"3", -300, 0}, {"4", -300, 100}},
         false,
         0,
         RotationRule::NotInferred},
        {"pin header 2x2",
         {{"1", 0, 100}, {"2", 100, 100}, {"3", 0, 0}, {"4", 100, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"three columns",
         {{"1", 0, 100}, {"2", 0, 0}, {"3", 100, 0}, {"4", 200, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"diagonal pair", {{"1", 0, 0}, {"2", 100, 100}}, false, 0, RotationRule::NotInferred},
        {"triangle",
         {{"1", 0, 0}, {"2", 50, 50}, {"3", 100, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"anode and cathode", {{"A", 0, 0}, {"K", 100, 0}}, false, 0, RotationRule::NotInferred},
        {"two pads named 1",
         {{"1", 0, 0}, {"1", 100, 0}, {"2", 200, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"pin 1 on two layers",
         {{"1", 0, 0}, {"1", 0, 0}, {"2", 100, 0}},
         false,
         0,
         RotationRule::TwoPads},
        {"no pads", {}, false, 0, RotationRule::NotInferred},
    };
    for (const auto& c : cases) {
        const InferredRotation inferred = InferRotation(Pads(c.Pads), c.Bottom);
        EXPECT_EQ(inferred.Degrees, c.Degrees) << c.Layout;
        EXPECT_EQ(inferred.Rule, c.Rule) << c.Layout;
    }
}

TEST(PartPlacement, TheCentreIsThatOfThePadsBoundingBox) {
    Component part;
    part.X = 7 * Mil, part.Y = 9 * Mil;
    EXPECT_EQ(PlacementOf(part).X, 7 * Mil); // without pads: the reference point
    part.Children.Pads = Pads({{"1", 0, 0}, {"2", 200, 0}});
    part.Children.Pads[1].XSize = 100 * Mil;
    part.Children.Pads[1].YSize = 20 * Mil;
    part.Children.Pads[1].Rotation = 90; // turned: 10 mil left and right, 50 up and down
    const PartPlacement placement = PlacementOf(part);
    EXPECT_EQ(placement.X, 90 * Mil); // from -30 to 210
    EXPECT_EQ(placement.Y, 0);        // from -50 to 50
    EXPECT_EQ(placement.Rotation.Rule, RotationRule::TwoPads);
}

// A pad far from the rest of the board (a damaged value) does not move its part's centre.
TEST(PartPlacement, APadFarFromTheBoardIsLeftOutOfTheCentre) {
    Board board;
    Component part;
    part.Children.Pads = Pads({{"1", 0, 0}, {"2", 100, 0}, {"3", 200, 0}});
    board.Components.push_back(part);
    part.Children.Pads[2].X = 214748 * Mil; // the host's limit
    board.Components.push_back(part);
    const std::optional<BoardBulk> bulk = PadBulk(board);
    EXPECT_EQ(PlacementOf(board.Components[0], bulk).X, 100 * Mil);
    EXPECT_EQ(PlacementOf(board.Components[1], bulk).X, 50 * Mil);     // pads 1 and 2
    EXPECT_EQ(PlacementOf(board.Components[1]).X, (214748 / 2) * Mil); // without the bulk
}

} // namespace
} // namespace corvane::cli
