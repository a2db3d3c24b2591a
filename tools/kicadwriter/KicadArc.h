#pragma once
// The host's arcs (centre, radius, start and end angle in degrees, counter-clockwise with y up)
// as KiCad's: three points on the sheet, or a circle.

#include "boardmodel/BoardModel.h"
#include "kicadwriter/KicadSheet.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

namespace corvane::cli::kicad {

/// An arc on the sheet (nanometres, y down). KiCad draws an arc through Start, Mid and End and
/// works its centre out from them.
struct SheetArc {
    /// The whole circle: equal angles, or a sweep of 360 degrees or more. Start is a point on it.
    bool FullCircle = false;
    /// A radius of 0: every point is the centre. A negative radius counts by its magnitude.
    bool Degenerate = false;
    SheetPoint Centre, Start, Mid, End;
};

/// Points at multiples of 90 degrees are exact. Mid is the point of the sheet's nanometre grid
/// nearest to the circle near two fifths along the arc, so that KiCad finds the exact centre.
SheetArc ArcOnSheet(const SheetPlacement& sheet, const Arc& arc);

/// ArcOnSheet for the many arcs of a board. The middle point of an arc lies where it does relative
/// to its centre by the arc's radius and angles alone: it is found once for arcs of the same radius
/// and angles (a board's arcs come in a few sizes), the same point ArcOnSheet finds.
class ArcsOnSheet {
public:
    explicit ArcsOnSheet(const SheetPlacement& sheet) : sheet_(sheet) {}

    SheetArc Of(const Arc& arc);

private:
    struct KeyHash {
        std::size_t operator()(const std::pair<std::int64_t, std::uint64_t>& key) const {
            return std::size_t(key.first * 0x9E3779B97F4A7C15ULL ^ key.second);
        }
    };

    const SheetPlacement& sheet_;
    // By radius and the middle's angle (its bits): the middle relative to the centre.
    std::unordered_map<std::pair<std::int64_t, std::uint64_t>, SheetPoint, KeyHash> middles_;
};

/// The point of a circle at an angle (degrees, counter-clockwise on the board) on the sheet.
/// Points are not brought within KiCad's reach (KicadSheet.h).
SheetPoint PointOnCircle(SheetPoint centre, std::int32_t radius, double degrees);

} // namespace corvane::cli::kicad
