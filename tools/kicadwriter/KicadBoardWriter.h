#pragma once
// The board as a KiCad board file (s-expressions, format 20211014, KiCad 6 and later), written
// from the same read-back of the host board as the JSON. docs/kicad-export.md gives the mapping.

#include "BoardModel.h"

#include <string>

namespace corvane::cli {

/// The KiCad board file of the board. edgeLayer is the host layer whose closed outlines become
/// the board's edge ("KeepOutLayer" by default; a name without objects gives the rectangle
/// around everything). The same board always gives the same bytes.
std::string BoardToKicad(const Board& board, const std::string& edgeLayer);

} // namespace corvane::cli
