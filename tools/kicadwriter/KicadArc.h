#pragma once
// The host's arcs (centre, radius, start and end angle in degrees, counter-clockwise with y up)
// as KiCad's: three points on the sheet, or a circle.

#include "boardmodel/BoardModel.h"
#include "kicadwriter/KicadSheet.h"

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

/// The point of a circle at an angle (degrees, counter-clockwise on the board) on the sheet.
/// Points are not brought within KiCad's reach (KicadSheet.h).
SheetPoint PointOnCircle(SheetPoint centre, std::int32_t radius, double degrees);

} // namespace corvane::cli::kicad
