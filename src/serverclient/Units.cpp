#include "serverclient/Units.h"

#include <cmath>
#include <limits>

namespace corvane {

std::int32_t RoundToInt32(long double value) {
    constexpr long double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr long double highest = std::numeric_limits<std::int32_t>::max();
    // Most values are whole already (whole mils times 10000): they need no rounding, which in
    // extended precision is slow. NaN fails the range test and takes the long road.
    if (value >= lowest && value <= highest) {
        const auto whole = static_cast<std::int32_t>(value);
        if (static_cast<long double>(whole) == value) {
            return whole;
        }
    }
    if (std::isnan(value)) {
        return 0;
    }
    // nearbyint rounds in the default mode: to nearest, halves to even.
    const long double rounded = std::nearbyint(value);
    if (rounded <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

std::int32_t MilsToCoord(double mils) {
    return RoundToInt32(static_cast<long double>(mils) * HostUnitsPerMil);
}

double DegreesToRadians(double degrees) {
    return static_cast<double>(static_cast<long double>(degrees) * 0.017453292519943295769L);
}

std::int32_t ScaleMilsClamped(std::int32_t mils) {
    const std::int64_t scaled = static_cast<std::int64_t>(mils) * HostUnitsPerMil;
    if (scaled > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (scaled < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(scaled);
}

} // namespace corvane
