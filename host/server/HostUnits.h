#pragma once
// The host's unit: coordinates and sizes are signed 32-bit counts of 1/10000 mil.

#include <cstdint>

namespace halvex {

inline constexpr std::int32_t UnitsPerMil = 10000;

/// Host units of a whole number of mils.
constexpr std::int32_t Mils(std::int32_t mils) {
    return mils * UnitsPerMil;
}

} // namespace halvex
