#include "KicadArc.h"

#include "KicadUnits.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace halvex::cli::kicad {
namespace {

// Radii up to this many nanometres have their squares compared exactly in 64 bits.
constexpr std::int64_t ExactRadiusLimit = 2'000'000'000;

std::int64_t Clamped(std::int64_t value) {
    return std::clamp(value, -MaxNanometres, MaxNanometres);
}

// The lattice point within two nanometres of the given one whose distance from the centre is
// nearest the radius.
SheetPoint NearestToCircle(SheetPoint near, SheetPoint centre, std::int64_t radius) {
    if (radius > ExactRadiusLimit) {
        return near;
    }
    const std::int64_t radiusSquared = radius * radius;
    SheetPoint best = near;
    std::uint64_t bestError = UINT64_MAX;
    for (std::int64_t dy = -2; dy <= 2; ++dy) {
        for (std::int64_t dx = -2; dx <= 2; ++dx) {
            const SheetPoint p{near.X + dx, near.Y + dy};
            const std::int64_t ox = p.X - centre.X, oy = p.Y - centre.Y;
            if (std::abs(ox) > ExactRadiusLimit || std::abs(oy) > ExactRadiusLimit) {
                continue;
            }
            const std::int64_t squared = ox * ox + oy * oy; // below 2^63 by the limit above
            const std::uint64_t error = static_cast<std::uint64_t>(
                squared > radiusSquared ? squared - radiusSquared : radiusSquared - squared);
            if (error < bestError) {
                bestError = error;
                best = p;
            }
        }
    }
    return best;
}

} // namespace

SheetPoint PointOnCircle(SheetPoint centre, std::int32_t radius, double degrees) {
    const double angle = NormalisedDegrees(degrees);
    const std::int64_t r = Nanometres(radius);
    // Quarter turns exactly; y goes down on the sheet.
    if (angle == 0) {
        return {Clamped(centre.X + r), centre.Y};
    }
    if (angle == 90) {
        return {centre.X, Clamped(centre.Y - r)};
    }
    if (angle == 180) {
        return {Clamped(centre.X - r), centre.Y};
    }
    if (angle == 270) {
        return {centre.X, Clamped(centre.Y + r)};
    }
    const double radians = angle * std::numbers::pi / 180.0;
    const double length = static_cast<double>(radius) * 2.54;
    return {Clamped(centre.X + std::llround(length * std::cos(radians))),
            Clamped(centre.Y - std::llround(length * std::sin(radians)))};
}

SheetArc ArcOnSheet(const SheetPlacement& sheet, const Arc& arc) {
    SheetArc result;
    result.Centre = sheet.At(arc.X, arc.Y);
    if (arc.Radius <= 0) {
        result.Degenerate = true;
        result.FullCircle = true;
        result.Start = result.Mid = result.End = result.Centre;
        return result;
    }
    double sweep = std::isfinite(arc.EndAngle - arc.StartAngle)
                       ? std::fmod(arc.EndAngle - arc.StartAngle, 360.0)
                       : 0.0;
    if (sweep <= 0) {
        sweep += 360; // equal angles draw the whole circle
    }
    const double start = std::isfinite(arc.StartAngle) ? arc.StartAngle : 0.0;
    result.FullCircle = sweep >= 360;
    result.Start = PointOnCircle(result.Centre, arc.Radius, start);
    result.End = PointOnCircle(result.Centre, arc.Radius, start + sweep);
    const double middle = NormalisedDegrees(start + sweep / 2);
    result.Mid = PointOnCircle(result.Centre, arc.Radius, middle);
    if (std::fmod(middle, 90.0) != 0) {
        result.Mid = NearestToCircle(result.Mid, result.Centre, Nanometres(arc.Radius));
    }
    return result;
}

} // namespace halvex::cli::kicad
