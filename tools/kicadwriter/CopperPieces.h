#pragma once
// The copper of a board as the copper nets join it: a piece for every object that carries copper
// and can take a net, with the slot of its net.

#include "boardmodel/BoardStore.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/CopperShapes.h"
#include "kicadwriter/KicadLayers.h"
#include "kicadwriter/KicadPads.h"

#include <vector>

namespace corvane::cli::kicad {

struct CopperPieces {
    std::vector<CopperPiece> Pieces;
    /// The sets of copper layers the pieces name by number; 0 is the empty set.
    std::vector<CopperMask> LayerSets;
};

/// Gives every object of the board that can carry a net its slot in the nets (nets.Offsets and
/// nets.Ids, with the net it has), and every one of them with copper a piece: free objects first,
/// then each component's, each container's tracks, arcs, vias, pads and fills in turn. The pads'
/// forms come from padForms.
CopperPieces CollectCopperPieces(const BoardStore& board, const LayerMap& layers,
                                 PadForms& padForms, CopperNets& nets);

} // namespace corvane::cli::kicad
