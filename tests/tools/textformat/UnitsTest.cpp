// Lengths and angles as the documents write them.

#include "textformat/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace corvane::cli::units {
namespace {

constexpr std::int32_t Mil = 10000; // host units

TEST(KicadUnits, HostUnitsBecomeNanometresAndExactMillimetres) {
    const struct {
        std::int64_t Units, Nanometres;
        const char* Millimetres;
    } cases[] = {
        {0, 0, "0"},
        {Mil, 25400, "0.0254"},         // whole mils are exact
        {-50 * Mil, -1270000, "-1.27"}, // negative lengths keep their sign
        {1, 3, "0.000003"},             // 2.54 nm rounds to 3
        {25, 64, "0.000064"},           // 63.5 nm: halves away from zero
        {-25, -64, "-0.000064"},        //
        {73333, 186266, "0.186266"},    // a text stroke of 7.3333 mil
        {2147483647, 5454608463, "5454.608463"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Nanometres(c.Units), c.Nanometres) << c.Units;
        EXPECT_EQ(HostMillimetres(c.Units), c.Millimetres) << c.Units;
    }
}

TEST(KicadUnits, MillimetresAppendToTheTextUpToTheWidestLengths) {
    std::string text = "x ";
    AppendMillimetres(text, std::numeric_limits<std::int64_t>::min());
    text += ' ';
    AppendMillimetres(text, std::numeric_limits<std::int64_t>::max());
    text += ' ';
    AppendMillimetres(text, 10);
    EXPECT_EQ(text, "x -9223372036854.775808 9223372036854.775807 0.00001");
}

TEST(KicadUnits, AnglesComeInto0To360InTheirShortestForm) {
    EXPECT_EQ(Degrees(0), "0");
    EXPECT_EQ(Degrees(-90), "270");
    EXPECT_EQ(Degrees(360), "0");
    EXPECT_EQ(Degrees(742.5), "22.5");
    EXPECT_EQ(Degrees(-0.0), "0");
    EXPECT_EQ(Degrees(std::numeric_limits<double>::quiet_NaN()), "0");
    std::string text = "a ";
    AppendDegrees(text, -45);
    EXPECT_EQ(text, "a 315");
}

} // namespace
} // namespace corvane::cli::units
