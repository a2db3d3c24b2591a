#pragma once
// What an assembly house asks for besides the board: the bill of materials and the placement of
// every component, as CSV (RFC 4180: CR LF line ends, fields quoted where they need it; the
// board's 8-bit text taken as ISO 8859-1 and written as UTF-8).

#include "boardmodel/BoardStore.h"

#include <string>
#include <vector>

namespace corvane::cli {

/// One line per kind of part, components grouped by comment and pattern:
/// Comment,Pattern,Quantity,Designators (the designators in natural order, "R2" before "R10",
/// joined by commas). Lines in the natural order of their first designator.
std::string BoardToBom(const BoardStore& board);

/// One line per component, in the natural order of the designators: Designator,Comment,Pattern,
/// Mid X (mm),Mid Y (mm),Rotation (degrees),Layer,Rotation rule. Mid X and Mid Y are the
/// centre of the component's pads (PartPlacement.h) from the board's origin, y up, in millimetres
/// to the nanometre, x negated on the bottom (seen from the bottom, as KiCad's placement file
/// gives it); Rotation is the KiCad footprint's, in degrees counter-clockwise; Layer is "top" or
/// "bottom"; the rule says how the rotation was inferred, or "not inferred".
std::string BoardToPositions(const BoardStore& board);

/// The designators of the components whose rotation the pads do not give ("not inferred" in the
/// placement), in the placement's order.
std::vector<std::string> PartsWithoutInferredRotation(const BoardStore& board);

/// Both at once, each component's pads read once.
struct PlacementFile {
    std::string Text;
    std::vector<std::string> WithoutInferredRotation;
};
PlacementFile BoardToPlacementFile(const BoardStore& board);

} // namespace corvane::cli
