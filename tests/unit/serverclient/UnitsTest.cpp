// Conversions of file and model values to host integers: rounding halves to even in extended
// precision, clamping to the signed 32-bit range, NaN to 0, and whole values taken as they are.

#include "serverclient/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane {
namespace {

constexpr std::int32_t Lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Highest = std::numeric_limits<std::int32_t>::max();

struct RoundingCase {
    long double Value;
    std::int32_t Expected;
};

class Rounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(Rounding, RoundsHalvesToEvenAndClampsToThe32BitRange) {
    EXPECT_EQ(RoundToInt32(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Rounding,
    ::testing::Values(RoundingCase{0.0L, 0}, RoundingCase{-0.0L, 0}, RoundingCase{12.0L, 12},
                      RoundingCase{-120000.0L, -120000}, RoundingCase{2.5L, 2},
                      RoundingCase{3.5L, 4}, RoundingCase{-2.5L, -2}, RoundingCase{-3.5L, -4},
                      RoundingCase{0.4999999L, 0}, RoundingCase{-0.5000001L, -1},
                      RoundingCase{2147483647.0L, Highest}, RoundingCase{2147483646.6L, Highest},
                      RoundingCase{2147483647.4L, Highest}, RoundingCase{1e12L, Highest},
                      RoundingCase{-2147483648.0L, Lowest}, RoundingCase{-2147483648.4L, Lowest},
                      RoundingCase{-1e12L, Lowest},
                      RoundingCase{std::numeric_limits<long double>::infinity(), Highest},
                      RoundingCase{-std::numeric_limits<long double>::infinity(), Lowest}));

TEST(RoundingNaN, NotANumberGivesZero) {
    EXPECT_EQ(RoundToInt32(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt32(-std::numeric_limits<long double>::quiet_NaN()), 0);
}

TEST(MilsToCoordinates, WholeAndFractionalMilsBecomeHostUnits) {
    EXPECT_EQ(MilsToCoord(12.0), 120000);
    EXPECT_EQ(MilsToCoord(-7.0), -70000);
    EXPECT_EQ(MilsToCoord(0.25), 2500);
    EXPECT_EQ(MilsToCoord(1.00004), 10000);
    EXPECT_EQ(MilsToCoord(-1.00006), -10001);
    EXPECT_EQ(MilsToCoord(1e9), Highest);
    EXPECT_EQ(MilsToCoord(-1e9), Lowest);
}

} // namespace
} // namespace corvane
