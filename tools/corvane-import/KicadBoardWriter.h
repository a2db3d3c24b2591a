#pragma once
// The board as a KiCad board file (s-expressions, format 20211014, KiCad 6 and later), written
// from the same read-back of the host board as the JSON. docs/kicad-export.md gives the mapping.

#include "BoardModel.h"

#include <string>

namespace corvane::cli {

struct KicadBoard {
    std::string Text;
    std::size_t DerivedNets = 0; // nets made for copper that no net of the board reaches
};

/// The KiCad board file of the board. edgeLayer is the host layer whose closed outlines become
/// the board's edge ("KeepOutLayer" by default; a name without objects gives the rectangle
/// around everything). deriveNets: copper that no net reaches gets nets from how it connects
/// (CopperNets.h). The same board always gives the same bytes.
KicadBoard BoardToKicad(const Board& board, const std::string& edgeLayer, bool deriveNets);

} // namespace corvane::cli
