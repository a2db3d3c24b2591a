#pragma once
// The board as a KiCad board file (s-expressions, KicadBoardFormatVersion), written
// from the same read-back of the host board as the JSON. docs/kicad-export.md gives the mapping.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"
#include "kicadwriter/KicadLayers.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

/// Where the KiCad board's text goes, a piece at a time, in file order.
using TextSink = std::function<void(std::string_view)>;
/// Told how many more objects have been written (see KicadBoardSteps).
using ProgressSteps = std::function<void(std::size_t)>;

/// The KiCad board file of the board. The same board always gives the same bytes.
KicadBoard BoardToKicad(const Board& board, const KicadBoardSettings& settings);

/// What writing the KiCad board found that the summary tells.
struct KicadBoardOutcome {
    std::size_t DerivedNets = 0; // nets made for copper that no net of the board reaches
    bool MadeUpEdge = false;     // the edge layer holds no closed outline: the edge is the
                                 // rectangle around everything, which no drawing of the board gave
    /// Objects with a point or size beyond KiCad's reach (about 1.5 m from the sheet's corner),
    /// which was clamped: KiCad does not have them as the board does. Every other object lies
    /// where the board has it, moved by the sheet's one offset. In the store's order.
    std::vector<StoredObject> Clamped;
    /// Objects far outside the rest of the board (boardmodel/BoardBulk.h) that are not clamped:
    /// placed as the board has them, but left out of the sheet's fitting and the made-up edge.
    std::vector<StoredObject> FarPlaced;
    /// The sheet's corner in host units: a host point (x, y) lies at (x - left, top - y) on it.
    std::int64_t SheetLeft = 0, SheetTop = 0;
    /// The host's origin lies beyond KiCad's reach from the sheet's corner (a board far from it):
    /// the auxiliary origin, from which manufacturing files measure, is clamped.
    bool OriginClamped = false;
    std::vector<std::string> UninferredParts; // the components whose rotation the pads do not
                                              // give (PartPlacement.h), in the board's order
};

/// The KiCad board file of the board written to the sink as it is made. Holds no more of the text
/// than a footprint and a chunk.
KicadBoardOutcome WriteKicadBoard(const BoardStore& board, const KicadBoardSettings& settings,
                                  const TextSink& sink, const ProgressSteps& progress);
KicadBoardOutcome WriteKicadBoard(const Board& board, const KicadBoardSettings& settings,
                                  const TextSink& sink, const ProgressSteps& progress);

/// The steps WriteKicadBoard reports for the board in all: each object once per section of the
/// file (the sections are written one after the other).
std::size_t KicadBoardSteps(const BoardStore& board);
std::size_t KicadBoardSteps(const Board& board);

} // namespace corvane::cli
