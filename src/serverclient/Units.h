#pragma once
// Unit conversions shared by the importer and the model.

#include <cstdint>

namespace corvane {

/// One mil is 10000 host units.
inline constexpr std::int32_t HostUnitsPerMil = 10000;

/// Mils to host units (1/10000 mil), rounded to nearest, halves to even. Values beyond the
/// signed 32-bit range are clamped to it; NaN gives 0.
std::int32_t MilsToCoord(double mils);

/// Degrees to radians, computed in extended precision.
double DegreesToRadians(double degrees);

/// Rounds to the nearest integer, halves to even; clamps to the 32-bit range, NaN gives 0.
std::int32_t RoundToInt32(long double value);

/// A file value in mils times 10000, clamped to the signed 32-bit range.
std::int32_t ScaleMilsClamped(std::int32_t mils);

} // namespace corvane
