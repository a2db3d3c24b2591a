#include "textformat/Units.h"

#include "textformat/JsonText.h"

#include <cmath>

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

std::string Millimetres(std::int64_t nanometres) {
    const bool negative = nanometres < 0;
    const std::uint64_t magnitude = negative
                                        ? std::uint64_t{0} - static_cast<std::uint64_t>(nanometres)
                                        : static_cast<std::uint64_t>(nanometres);
    std::string text = std::to_string(magnitude / 1'000'000);
    std::string fraction = std::to_string(magnitude % 1'000'000);
    fraction.insert(0, 6 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (!fraction.empty()) {
        text += "." + fraction;
    }
    return negative ? "-" + text : text;
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

std::string Degrees(double degrees) {
    return Decimal(NormalisedDegrees(degrees));
}

} // namespace corvane::cli::units
