// The assembly files made from a board built by hand: parts in natural order, exact text.

#include "assemblywriter/AssemblyFiles.h"
#include "textformat/NaturalOrder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace corvane::cli {
namespace {

constexpr std::int32_t Mil = 10000; // host units

TEST(AssemblyFiles, PartsGroupInNaturalOrderAndFieldsAreQuotedWhereNeeded) {
    EXPECT_TRUE(NaturalLess("R2", "R10"));
    EXPECT_TRUE(NaturalLess("C9", "R1"));
    EXPECT_TRUE(NaturalLess("U1", "U1A"));
    EXPECT_NE(NaturalLess("R010", "R10"), NaturalLess("R10", "R010"));
    EXPECT_TRUE(NaturalLess("R010", "R011"));

    Board board;
    const auto part = [](const char* designator, const char* comment, const char* pattern,
                         std::int32_t x, const char* side) {
        Component c;
        c.Designator = designator, c.Comment = comment, c.Pattern = pattern;
        c.X = x * Mil;
        c.Y = -x * Mil;
        c.Layer = side;
        return c;
    };
    board.Components = {part("R10", "10K", "0805", 100, "TopLayer"),
                        part("C1", "1u, 16V", "0603", 1, "BottomLayer"),
                        part("R2", "10K", "0805", 2000, "TopLayer")};
    EXPECT_EQ(BoardToBom(StoreOf(board)), "Comment,Pattern,Quantity,Designators\r\n"
                                          "\"1u, 16V\",0603,1,C1\r\n"
                                          "10K,0805,2,\"R2,R10\"\r\n");
    // C1's pads: pin 1 below pin 2, seen from the top; R2 has none (its reference point).
    for (const auto& [name, y] : {std::pair{"1", 0}, std::pair{"2", 200}}) {
        Pad pad;
        pad.Name = name;
        pad.X = 100 * Mil, pad.Y = y * Mil;
        pad.XSize = pad.YSize = 50 * Mil;
        board.Components[1].Children.Pads.push_back(pad);
    }
    EXPECT_EQ(BoardToPositions(StoreOf(board)),
              "Designator,Comment,Pattern,Mid X (mm),Mid Y (mm),Rotation "
              "(degrees),Layer,Rotation rule\r\n"
              "C1,\"1u, 16V\",0603,-2.54,2.54,90,bottom,two pads\r\n"
              "R2,10K,0805,50.8,-50.8,0,top,not inferred\r\n"
              "R10,10K,0805,2.54,-2.54,0,top,not inferred\r\n");
}

} // namespace
} // namespace corvane::cli
