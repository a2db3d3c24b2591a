#pragma once
// Numbers as every document writes them: the host's lengths (1/10000 mil) as nanometres and
// millimetres, angles in degrees, and plain decimals, the same on every platform.

#include <cstdint>
#include <string>

namespace corvane::cli::units {

/// Host units per mil; a mil is 25400 nm, so one host unit is 2.54 nm.
inline constexpr std::int64_t HostUnitsPerMil = 10000;
inline constexpr std::int64_t NanometresPerMil = 25400;

/// The shortest decimal text that reads back as the same double ("90", "22.5"); -0 is "0"; NaN and
/// infinities are "null".
std::string Decimal(double value);
void AppendDecimal(std::string& out, double value);

/// A decimal rounded to the hundredth, without trailing zeros ("12.5", "-0.25", "3"): small and
/// the same on every platform, for the pictures. Zero, NaN and infinities are "0".
std::string Hundredths(double value);
void AppendHundredths(std::string& out, double value);

/// KiCad keeps coordinates in 32-bit nanometres and moves anything beyond about 1.52 m from the
/// sheet's corner back within that reach: the file's coordinates stay within 1.5 m.
inline constexpr std::int64_t MaxNanometres = 1'500'000'000;

/// A host length (1/10000 mil) in nanometres, rounded to the nearest, halves away from zero.
/// Whole mils are exact (1 mil = 25400 nm).
std::int64_t Nanometres(std::int64_t hostUnits);

/// A length in nanometres as millimetres, exact and without trailing zeros:
/// 12700000 -> "12.7", -254 -> "-0.000254", 0 -> "0".
std::string Millimetres(std::int64_t nanometres);
void AppendMillimetres(std::string& out, std::int64_t nanometres);

/// The same for a length in host units, given to the nanometre.
inline std::string HostMillimetres(std::int64_t hostUnits) {
    return Millimetres(Nanometres(hostUnits));
}

/// An angle in degrees brought into [0, 360) and written in its shortest form ("90", "22.5").
std::string Degrees(double degrees);
void AppendDegrees(std::string& out, double degrees);

/// The angle brought into [0, 360); NaN and infinities give 0.
double NormalisedDegrees(double degrees);

} // namespace corvane::cli::units
