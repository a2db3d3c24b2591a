#include "boardfacts/HostLayers.h"
#include "boardfacts/QuarterTurn.h"
#include "boardfacts/TextExtent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvane::cli {
namespace {

TEST(HostLayers, NamesFamiliesAndSides) {
    for (const char* name : {"TopLayer", "MidLayer30", "InternalPlane16", "Mechanical16",
                             "KeepOutLayer", "ViaHoleLayer"}) {
        EXPECT_TRUE(IsHostLayerName(name)) << name;
    }
    for (const char* name : {"MidLayer31", "MidLayer01", "Mechanical0", "keepoutlayer", "F.Cu"}) {
        EXPECT_FALSE(IsHostLayerName(name)) << name;
    }
    EXPECT_EQ(HostLayerNameInAnyCase("keepoutlayer"), "KeepOutLayer");
    EXPECT_EQ(HostLayerNameInAnyCase("MIDLAYER7"), "MidLayer7");
    EXPECT_EQ(HostLayerNameInAnyCase("midlayer31"), "");
    EXPECT_EQ(LayerNameIn(InternalPlanes, LayerNumberIn(InternalPlanes, "InternalPlane9")),
              "InternalPlane9");
    EXPECT_EQ(SideOfLayer("BottomLayer"), BoardSide::Bottom);
    for (const char* name : {"TopLayer", "BottomOverlay", "MultiLayer", ""}) {
        EXPECT_EQ(SideOfLayer(name), BoardSide::Top) << name;
    }
}

// Quarter turns land exactly, whatever the turn count or sign; other angles as the library
// gives them; what is no angle is no turn.
TEST(QuarterTurns, AreExactAtEveryMultipleOfNinetyDegrees) {
    struct Case {
        double Degrees, Cos, Sin;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Case& c : {Case{0, 1, 0}, Case{90, 0, 1}, Case{180, -1, 0}, Case{270, 0, -1},
                          Case{-90, 0, -1}, Case{450, 0, 1}, Case{-720, 1, 0}, Case{nan, 1, 0},
                          Case{std::numeric_limits<double>::infinity(), 1, 0}}) {
        const CosSin turn = CosSinOfDegrees(c.Degrees);
        EXPECT_EQ(turn.Cos, c.Cos) << c.Degrees;
        EXPECT_EQ(turn.Sin, c.Sin) << c.Degrees;
    }
    const CosSin eighth = CosSinOfDegrees(-315);
    EXPECT_NEAR(eighth.Cos, std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(eighth.Sin, std::sqrt(0.5), 1e-15);
}

TEST(TextExtents, TheBoxTurnsAndMirrorsAboutTheAnchor) {
    // Four characters of height 10: 30 wide.
    const auto plain = TextBoxCorners(-10, 4, 0, false);
    EXPECT_EQ(plain[3].X, 30);
    EXPECT_EQ(plain[3].Y, 10);
    const auto turned = TextBoxCorners(10, 4, 90, false);
    EXPECT_EQ(turned[1].X, 0);
    EXPECT_EQ(turned[1].Y, 30);
    EXPECT_EQ(turned[2].X, -10);
    const auto mirrored = TextBoxCorners(10, 4, 0, true);
    EXPECT_EQ(mirrored[1].X, -30);
}

} // namespace
} // namespace corvane::cli
