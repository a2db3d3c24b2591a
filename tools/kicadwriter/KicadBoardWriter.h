#pragma once
// The board as a KiCad board file (s-expressions, KicadBoardFormatVersion), written
// from the same read-back of the host board as the JSON. docs/kicad-export.md gives the mapping.

#include "boardmodel/BoardModel.h"
#include "kicadwriter/KicadLayers.h"

#include <string>

namespace corvane::cli {

/// The version of KiCad's board file format written (KiCad 6 and later read it).
inline constexpr const char* KicadBoardFormatVersion = "20211014";

/// What the KiCad board is made with besides the board.
struct KicadBoardSettings {
    /// The host layer whose closed outlines become the board's edge; a name without objects gives
    /// the rectangle around everything.
    std::string EdgeLayer = kicad::DefaultEdgeLayer;
    /// Copper that no net reaches gets nets from how it connects (CopperNets.h).
    bool DeriveNets = true;
};

struct KicadBoard {
    std::string Text;
    std::size_t DerivedNets = 0; // nets made for copper that no net of the board reaches
};

/// The KiCad board file of the board. The same board always gives the same bytes.
KicadBoard BoardToKicad(const Board& board, const KicadBoardSettings& settings);

/// Whether the edge layer holds a closed outline for the KiCad board's edge; false when the edge
/// is the rectangle around everything, which no drawing of the board gave.
bool HasEdgeOutline(const Board& board, const KicadBoardSettings& settings);

} // namespace corvane::cli
