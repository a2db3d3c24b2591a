#include "kicadwriter/KicadArc.h"

#include "textformat/Units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace corvane::cli::kicad {

using namespace units;
namespace {

// Radii up to this many nanometres have their squares compared exactly in 64 bits.
constexpr std::int64_t ExactRadiusLimit = 2'000'000'000;

// Where the circle does not run along a diagonal of the grid, the grid points within this many
// nanometres of a point on it include one nearer the circle than a hundredth of a nanometre,
// which keeps KiCad's centre, worked out from three points, exact.
constexpr std::int64_t MidSearchReach = 200;

// The largest whole number whose square is at most the value.
std::int64_t FloorSqrt(std::int64_t value) {
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root > 0 && root * root > value) {
        --root;
    }
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return root;
}

// The lattice point near the given one, at most MidSearchReach away along the circle, whose
// distance from the centre is nearest the radius (compared exactly in whole numbers).
SheetPoint NearestToCircle(SheetPoint near, SheetPoint centre, std::int64_t radius) {
    if (radius > ExactRadiusLimit) {
        return near;
    }
    const std::int64_t radiusSquared = radius * radius;
    const std::int64_t nx = near.X - centre.X, ny = near.Y - centre.Y;
    // Step along the axis the circle runs along here; solve for the other coordinate.
    const bool stepX = std::abs(nx) <= std::abs(ny);
    const std::int64_t along = stepX ? nx : ny;
    const std::int64_t across = stepX ? ny : nx;
    SheetPoint best = near;
    std::uint64_t bestError = UINT64_MAX;
    // The root of the rest follows the steps: the circle rises at most about one step a step
    // here, so it is adjusted rather than worked out again.
    std::int64_t root = -1;
    for (std::int64_t a = along - MidSearchReach; a <= along + MidSearchReach; ++a) {
        const std::int64_t rest = radiusSquared - a * a;
        if (rest < 0) {
            continue;
        }
        if (root < 0) {
            root = FloorSqrt(rest);
        }
        while (root > 0 && root * root > rest) {
            --root;
        }
        while ((root + 1) * (root + 1) <= rest) {
            ++root;
        }
        for (const std::int64_t magnitude : {root, root + 1}) {
            const std::int64_t b = across < 0 ? -magnitude : magnitude;
            const std::int64_t squared = a * a + b * b;
            const std::uint64_t error = static_cast<std::uint64_t>(
                squared > radiusSquared ? squared - radiusSquared : radiusSquared - squared);
            if (error < bestError) {
                bestError = error;
                best = stepX ? SheetPoint{centre.X + a, centre.Y + b}
                             : SheetPoint{centre.X + b, centre.Y + a};
            }
        }
        if (bestError == 0) {
            break; // on the circle: nothing comes nearer
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
        return {centre.X + r, centre.Y};
    }
    if (angle == 90) {
        return {centre.X, centre.Y - r};
    }
    if (angle == 180) {
        return {centre.X - r, centre.Y};
    }
    if (angle == 270) {
        return {centre.X, centre.Y + r};
    }
    const double radians = angle * std::numbers::pi / 180.0;
    const double length = static_cast<double>(radius) * 2.54;
    return {centre.X + std::llround(length * std::cos(radians)),
            centre.Y - std::llround(length * std::sin(radians))};
}

SheetArc ArcOnSheet(const SheetPlacement& sheet, const Arc& arc) {
    SheetArc result;
    result.Centre = sheet.At(arc.X, arc.Y);
    // A negative radius of a damaged file is taken by its magnitude, as every other size is.
    const std::int32_t radius =
        arc.Radius == INT32_MIN ? INT32_MAX : static_cast<std::int32_t>(std::abs(arc.Radius));
    if (radius == 0) {
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
    result.Start = PointOnCircle(result.Centre, radius, start);
    result.End = PointOnCircle(result.Centre, radius, start + sweep);
    // KiCad's third point may lie anywhere on the arc. Two fifths along, rather than halfway,
    // the circle does not run along a diagonal of the nanometre grid for the usual quarter arcs,
    // so that grid points lie close to it (see NearestToCircle).
    const double middle = NormalisedDegrees(start + sweep * 0.4);
    result.Mid = PointOnCircle(result.Centre, radius, middle);
    if (std::fmod(middle, 90.0) != 0) {
        result.Mid = NearestToCircle(result.Mid, result.Centre, Nanometres(radius));
    }
    return result;
}

} // namespace corvane::cli::kicad
