#pragma once
// Joining the pieces of copper that touch, in time near the number of pieces however they pile up.

#include "kicadwriter/CopperShapes.h"
#include "kicadwriter/KicadLayers.h"
#include "kicadwriter/UnionFind.h"

#include <vector>

namespace corvane::cli::kicad {

/// Joins in groups every two pieces that share a copper layer and of which one's anchor lies on
/// the other (CopperJoined): the groups are those of testing every pair.
void JoinTouching(const std::vector<CopperPiece>& pieces, const std::vector<CopperMask>& layerSets,
                  UnionFind& groups);

} // namespace corvane::cli::kicad
