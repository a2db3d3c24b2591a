#pragma once
// The board's edge for KiCad: the closed outlines drawn on the host's edge layer, or a rectangle
// around everything.

#include "boardmodel/BoardBulk.h"
#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"
#include "kicadwriter/KicadSheet.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::cli::kicad {

/// Where the board lies, in host units: what its objects cover (lines and arcs with their widths,
/// pads and vias with their sizes, fills, texts with a box of their height and length), fitted
/// to its bulk (boardmodel/BoardBulk.h), which leaves out objects far from the rest.
struct BoardExtent {
    Extent Bulk;                   // empty for a board without objects
    std::optional<BoardBulk> Near; // what the bulk finder found, nothing without objects
    std::vector<StoredObject> Far; // the objects outside the bulk, in the store's order
};
BoardExtent FindBoardExtent(const BoardStore& board);

/// The rectangle drawn when the edge layer holds no closed outline: the bulk grown by 50 mil on
/// every side, its corners on whole mils (a 1000 mil square from the origin for an empty board).
Extent FallbackOutline(const Extent& board);

/// The free tracks and arcs of the edge layer that form the board's edge.
struct EdgeOutline {
    std::vector<bool> Tracks; // by index into the free tracks
    std::vector<bool> Arcs;   // by index into the free arcs
    bool Found = false;       // false: no closed outline, the fallback rectangle is the edge
};

/// Free tracks and arcs of the edge layer whose ends meet two by two at the same point on the
/// sheet form closed outlines, and a whole circle is one by itself. The outer outlines are the
/// edge; an outline inside another is not taken (on the keep-out layer such a loop fences an area
/// of the board), and neither are open lines.
EdgeOutline FindEdgeOutline(const StoredPrimitives& free, const std::string& edgeLayer,
                            const SheetPlacement& sheet);
EdgeOutline FindEdgeOutline(const Primitives& free, const std::string& edgeLayer,
                            const SheetPlacement& sheet);

} // namespace corvane::cli::kicad
