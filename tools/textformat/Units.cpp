#include "textformat/Units.h"

#include "textformat/DecimalText.h"
#include "textformat/JsonText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace corvane::cli::units {

std::int64_t Nanometres(std::int64_t hostUnits) {
    // 2.54 nm per unit: units * 254 / 100, rounded without floating point.
    const std::int64_t hundredths = hostUnits * 254;
    const std::int64_t whole = hundredths / 100;
    const std::int64_t rest = hundredths % 100;
    if (rest >= 50) {
        return whole + 1;
    }
    if (rest <= -50) {
        return whole - 1;
    }
    return whole;
}

void AppendMillimetres(std::string& out, std::int64_t nanometres) {
    const bool negative = nanometres < 0;
    const std::uint64_t magnitude = negative
                                        ? std::uint64_t{0} - static_cast<std::uint64_t>(nanometres)
                                        : static_cast<std::uint64_t>(nanometres);
    // Sign, at most 14 whole digits, point and 6 decimals.
    std::array<char, 32> text{};
    char* end = text.data();
    if (negative) {
        *end++ = '-';
    }
    end = std::to_chars(end, text.data() + text.size(), magnitude / 1'000'000).ptr;
    std::uint64_t fraction = magnitude % 1'000'000;
    if (fraction != 0) {
        *end++ = '.';
        std::size_t digits = 6;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        for (std::size_t i = digits; i-- > 0; fraction /= 10) {
            end[i] = static_cast<char>('0' + fraction % 10);
        }
        end += digits;
    }
    out.append(text.data(), static_cast<std::size_t>(end - text.data()));
}

std::string Millimetres(std::int64_t nanometres) {
    std::string text;
    AppendMillimetres(text, nanometres);
    return text;
}

double NormalisedDegrees(double degrees) {
    if (!std::isfinite(degrees)) {
        return 0;
    }
    double angle = std::fmod(degrees, 360.0);
    if (angle < 0) {
        angle += 360.0;
    }
    return angle >= 360.0 ? 0.0 : angle;
}

std::string Decimal(double value) {
    return json::Number(value);
}

void AppendDecimal(std::string& out, double value) {
    json::AppendNumber(out, value);
}

void AppendHundredths(std::string& out, double value) {
    decimal::AppendHundredths(out, value);
}

std::string Hundredths(double value) {
    std::string text;
    AppendHundredths(text, value);
    return text;
}

std::string Degrees(double degrees) {
    return Decimal(NormalisedDegrees(degrees));
}

void AppendDegrees(std::string& out, double degrees) {
    AppendDecimal(out, NormalisedDegrees(degrees));
}

} // namespace corvane::cli::units
