#pragma once
// Nets of the copper the import left without one. The import joins pads to nets; the tracks,
// arcs, vias and fills between them carry no net. KiCad checks every piece of copper against the
// others by net (never copper without a net against copper without one), so each piece without a
// net takes the net of the copper it touches, and copper that no net reaches gets a net of its own.

#include "boardmodel/BoardModel.h"
#include "kicadwriter/KicadLayers.h"

namespace corvane::cli::kicad {

/// The board's copper with nets, and how many of them were derived from the copper.
struct CopperNets {
    Board Copper;
    std::size_t Derived = 0;
};

/// The board with the net of each copper object that has none taken from the objects it is
/// joined to on a shared copper layer: tracks, arcs, vias, pads and fills, free or in components.
/// Two objects are joined when an end of a track or arc, the centre of a via or pad, or a corner
/// or the centre of a fill lies on the other, as KiCad joins them. A group that reaches pads of
/// two or more nets (a short on the board) or none gives its objects no net. Objects with a net
/// keep it; internal planes join nothing (they join pads by net).
/// With deriveNets, a group that reaches no net and joins a pad to other copper (another pad, a
/// track...) becomes a net of its own, named as KiCad names a net without a name after its first
/// pad in natural order: "Net-(R1-Pad1)" (a free pad's footprint is referred to by the pad's
/// name). A pad that touches nothing and copper that joins no pad stay without a net.
CopperNets WithCopperNets(const Board& board, const LayerMap& layers, bool deriveNets);

} // namespace corvane::cli::kicad
