#pragma once
// The nets made for copper that no net of the board reaches, named as KiCad names a net without
// a name.

#include "boardmodel/BoardStore.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/CopperShapes.h"
#include "kicadwriter/UnionFind.h"

#include <cstddef>
#include <vector>

namespace corvane::cli::kicad {

/// Gives each group of the pieces that reaches no net and joins a pad to other copper a net of
/// its own, named after its first pad in natural order ("Net-(R1-Pad1)"; a free pad's footprint
/// is referred to by the pad's name), with a suffix where two groups would share a name (two
/// components of one designator); returns how many.
std::size_t DeriveNets(CopperNets& nets, const std::vector<CopperPiece>& pieces,
                       const BoardStore& board, UnionFind& groups);

} // namespace corvane::cli::kicad
