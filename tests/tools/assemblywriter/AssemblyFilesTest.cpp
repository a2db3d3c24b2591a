// The assembly files made from a board built by hand: parts in natural order, exact text.

#include "assemblywriter/AssemblyFiles.h"

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
    EXPECT_EQ(BoardToBom(board), "Comment,Pattern,Quantity,Designators\r\n"
                                 "\"1u, 16V\",0603,1,C1\r\n"
                                 "10K,0805,2,\"R2,R10\"\r\n");
    EXPECT_EQ(BoardToPositions(board), "Designator,Comment,Pattern,X (mm),Y (mm),Side,Rotation\r\n"
                                       "C1,\"1u, 16V\",0603,0.0254,-0.0254,bottom,0\r\n"
                                       "R2,10K,0805,50.8,-50.8,top,0\r\n"
                                       "R10,10K,0805,2.54,-2.54,top,0\r\n");
}

} // namespace
} // namespace corvane::cli
