#pragma once
// Nets of the copper the import left without one. The import joins pads to nets; the tracks,
// arcs, vias and fills between them carry no net. KiCad checks every piece of copper against the
// others by net, so each piece without a net takes the net of the copper it touches.

#include "boardmodel/BoardModel.h"
#include "kicadwriter/KicadLayers.h"

namespace corvane::cli::kicad {

/// The board with the net of each copper object that has none taken from the objects it is
/// joined to on a shared copper layer: tracks, arcs, vias, pads and fills, free or in components.
/// Two objects are joined when an end of a track or arc, the centre of a via or pad, or a corner
/// or the centre of a fill lies on the other, as KiCad joins them. A group that reaches pads of
/// two or more nets (a short on the board) or none gives its objects no net. Objects with a net
/// keep it; internal planes join nothing (they join pads by net).
Board WithCopperNets(const Board& board, const LayerMap& layers);

} // namespace corvane::cli::kicad
