#include "kicadwriter/KicadArc.h"

#include "boardfacts/QuarterTurn.h"
#include "kicadwriter/DoubleBits.h"
#include "textformat/Units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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
    std::int64_t bestError = INT64_MAX;
    // The root of the rest follows the steps: the circle rises at most about one step a step
    // here, so it is adjusted rather than worked out again. With root² <= rest < (root + 1)², the
    // point at root lies rest - root² inside the circle (in squares) and the one at root + 1
    // 2 root + 1 - (rest - root²) outside: no square is formed for them.
    std::int64_t root = -1, rootSquared = 0;
    for (std::int64_t a = along - MidSearchReach; a <= along + MidSearchReach; ++a) {
        const std::int64_t rest = radiusSquared - a * a;
        if (rest < 0) {
            continue;
        }
        if (root < 0) {
            root = FloorSqrt(rest);
            rootSquared = root * root;
        }
        while (root > 0 && rootSquared > rest) {
            rootSquared -= 2 * root - 1;
            --root;
        }
        while (rootSquared + 2 * root + 1 <= rest) {
            rootSquared += 2 * root + 1;
            ++root;
        }
        const std::int64_t inside = rest - rootSquared, outside = 2 * root + 1 - inside;
        // The nearer of the two, the one at root when both are as near.
        if (inside < bestError || outside < bestError) {
            const bool atRoot = inside <= outside;
            bestError = atRoot ? inside : outside;
            const std::int64_t magnitude = atRoot ? root : root + 1;
            const std::int64_t b = across < 0 ? -magnitude : magnitude;
            best = stepX ? SheetPoint{centre.X + a, centre.Y + b}
                         : SheetPoint{centre.X + b, centre.Y + a};
        }
        if (bestError == 0) {
            break; // on the circle: nothing comes nearer
        }
    }
    return best;
}

} // namespace

SheetPoint PointOnCircle(SheetPoint centre, std::int32_t radius, double degrees) {
    const CosSin turn = CosSinOfDegrees(degrees);
    // y goes down on the sheet; at a quarter turn the point is the radius in whole nanometres.
    if (turn.Cos == 0 || turn.Sin == 0) {
        const std::int64_t r = Nanometres(radius);
        return {centre.X + r * std::int64_t(turn.Cos), centre.Y - r * std::int64_t(turn.Sin)};
    }
    const double length = static_cast<double>(radius) * 2.54;
    return {centre.X + std::llround(length * turn.Cos), centre.Y - std::llround(length * turn.Sin)};
}

namespace {

// The middles of arcs a cache keeps at most: a board's arcs come in a few sizes.
constexpr std::size_t MostMiddlesKept = 1 << 16;

// Where the middle of an arc is found, relative to its centre, when it is not at a quarter turn.
using MiddleFinder = SheetPoint (*)(void* context, SheetPoint centre, std::int32_t radius,
                                    double degrees);

SheetPoint NearestMiddle(SheetPoint centre, std::int32_t radius, double degrees) {
    return NearestToCircle(PointOnCircle(centre, radius, degrees), centre, Nanometres(radius));
}

SheetArc ArcThrough(const SheetPlacement& sheet, const Arc& arc, MiddleFinder finder,
                    void* context) {
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
    result.Mid = std::fmod(middle, 90.0) != 0 ? finder(context, result.Centre, radius, middle)
                                              : PointOnCircle(result.Centre, radius, middle);
    return result;
}

} // namespace

SheetArc ArcOnSheet(const SheetPlacement& sheet, const Arc& arc) {
    return ArcThrough(
        sheet, arc,
        [](void*, SheetPoint centre, std::int32_t radius, double degrees) {
            return NearestMiddle(centre, radius, degrees);
        },
        nullptr);
}

SheetArc ArcsOnSheet::Of(const Arc& arc) {
    return ArcThrough(
        sheet_, arc,
        [](void* context, SheetPoint centre, std::int32_t radius, double degrees) {
            auto& middles = static_cast<ArcsOnSheet*>(context)->middles_;
            // Far enough from the sheet's reach that no point of the circle is clamped, the
            // middle moves with the centre.
            const std::int64_t reach = Nanometres(radius) + 2;
            if (std::abs(centre.X) > MaxNanometres - reach ||
                std::abs(centre.Y) > MaxNanometres - reach) {
                return NearestMiddle(centre, radius, degrees);
            }
            const std::pair<std::int64_t, std::uint64_t> key{radius, DoubleBits(degrees)};
            if (const auto found = middles.find(key); found != middles.end()) {
                return SheetPoint{centre.X + found->second.X, centre.Y + found->second.Y};
            }
            if (middles.size() >= MostMiddlesKept) {
                middles.clear();
            }
            const SheetPoint mid = NearestMiddle(centre, radius, degrees);
            middles.emplace(key, SheetPoint{mid.X - centre.X, mid.Y - centre.Y});
            return mid;
        },
        this);
}

} // namespace corvane::cli::kicad
