#pragma once
// The short report printed after an import: what was imported, how far, and what is on the board.

#include "BoardModel.h"

#include <string>

namespace halvex::cli {

/// How the import went, as the program saw it.
struct ImportOutcome {
    std::string Path; // the full path the board was opened for
    int Version = 4;
    bool Completed = false;   // the plug-in ran to the end of the file
    bool UserAborted = false; // the user confirmed an abort
    double Seconds = 0;
};

/// Counts of one kind of object: free on the board and inside components.
struct KindCount {
    std::size_t Free = 0;
    std::size_t InComponents = 0;
};

struct BoardCounts {
    KindCount Tracks, Vias, Pads, Arcs, Fills, Texts;
    std::size_t Components = 0, TopComponents = 0, BottomComponents = 0;
    std::size_t Nets = 0, NetPads = 0;
    std::size_t Planes = 0, PlanesWithNet = 0;
};

BoardCounts CountBoard(const Board& board);

/// The summary text, several lines, each ending with a line end.
std::string SummaryText(const ImportOutcome& outcome, const Board& board);

} // namespace halvex::cli
