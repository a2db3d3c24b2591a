// The portable number text against the standard library's std::to_chars, where it has one.

#include "textformat/DecimalText.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace corvane::cli {
namespace {

std::string Shortest(double value) {
    std::string text;
    decimal::AppendShortest(text, value);
    return text;
}

std::string Hundredths(double value) {
    std::string text;
    decimal::AppendHundredths(text, value);
    return text;
}

std::string ToChars(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

// The values every document writes (whole and half degrees, ratios, tenths of a mil, powers of
// ten at the switch between fixed and scientific) and random doubles of every magnitude.
std::vector<double> Samples() {
    std::vector<double> values = {1e-7,
                                  1e-5,
                                  1e-4,
                                  0.001,
                                  123456.0,
                                  1e5,
                                  1e6,
                                  1e15,
                                  1e16,
                                  1e17,
                                  1e21,
                                  1e22,
                                  1e23,
                                  5e-324,
                                  1.7976931348623157e308,
                                  9007199254740992.0,
                                  9007199254740993.0,
                                  0.1 + 0.2,
                                  1.0 / 3};
    for (int i = -4000; i <= 4000; ++i) {
        values.push_back(i / 8.0);
        values.push_back(i / 10.0);
        values.push_back(i * 1e-4);
    }
    std::mt19937_64 random(38);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value)) {
            values.push_back(value);
        }
        values.push_back(std::ldexp(static_cast<double>(random() % 100000), i % 80 - 40));
    }
    return values;
}

TEST(DecimalText, ShortestIsWhatToCharsWrites) {
    for (const double value : Samples()) {
        ASSERT_EQ(Shortest(value), ToChars(value))
            << "bits " << std::bit_cast<std::uint64_t>(value);
        ASSERT_EQ(Shortest(-value), ToChars(-value));
    }
}

// Rounded to hundredths, then two fixed decimals of std::to_chars, trailing zeros cut.
std::string FixedToChars(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0 || !std::isfinite(rounded)) {
        return "0";
    }
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded,
                                      std::chars_format::fixed, 2);
    std::string text(buffer.data(), result.ptr);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

TEST(DecimalText, HundredthsAreWhatFixedToCharsWrites) {
    for (const double value : Samples()) {
        ASSERT_EQ(Hundredths(value), FixedToChars(value)) << value;
    }
}

TEST(DecimalText, HundredthsAreRoundedWithoutTrailingZeros) {
    EXPECT_EQ(Hundredths(1.005), "1");    // 1.005 is below 1.005 in binary
    EXPECT_EQ(Hundredths(0.125), "0.13"); // halves away from zero
    EXPECT_EQ(Hundredths(-0.004), "0");
    EXPECT_EQ(Hundredths(-12.5), "-12.5");
    EXPECT_EQ(Hundredths(0.07), "0.07");
    EXPECT_EQ(Hundredths(214748.3647), "214748.36");
    EXPECT_EQ(Hundredths(1e20), "100000000000000000000");
    EXPECT_EQ(Hundredths(-1e300).size(), 302u); // every digit, where a small buffer once failed
}

} // namespace
} // namespace corvane::cli
