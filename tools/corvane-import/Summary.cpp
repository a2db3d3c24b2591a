#include "Summary.h"

#include <cstdio>
#include <iomanip>
#include <sstream>

namespace halvex::cli {
namespace {

void AddChildren(BoardCounts& counts, const Primitives& children) {
    counts.Tracks.InComponents += children.Tracks.size();
    counts.Vias.InComponents += children.Vias.size();
    counts.Pads.InComponents += children.Pads.size();
    counts.Arcs.InComponents += children.Arcs.size();
    counts.Fills.InComponents += children.Fills.size();
    counts.Texts.InComponents += children.Texts.size();
}

std::string Row(const char* kind, const KindCount& count) {
    std::ostringstream line;
    line << "  " << std::left << std::setw(8) << kind << std::right << " " << std::setw(8)
         << count.Free << " " << std::setw(14) << count.InComponents << "\n";
    return line.str();
}

std::string StatusText(const ImportOutcome& outcome) {
    if (outcome.Completed) {
        return "complete";
    }
    return outcome.UserAborted ? "aborted by the user (objects read so far are on the board)"
                               : "stopped before the end of the file";
}

std::string PlanesText(const Board& board, const BoardCounts& counts) {
    std::string text = std::to_string(counts.PlanesWithNet) + " of " +
                       std::to_string(counts.Planes) + " internal planes with a net";
    std::string named;
    for (const Plane& plane : board.Planes) {
        if (plane.Net) {
            named += (named.empty() ? "" : ", ") + plane.Layer + " " + *plane.Net;
        }
    }
    return named.empty() ? text : text + " (" + named + ")";
}

} // namespace

BoardCounts CountBoard(const Board& board) {
    BoardCounts counts;
    counts.Tracks.Free = board.Free.Tracks.size();
    counts.Vias.Free = board.Free.Vias.size();
    counts.Pads.Free = board.Free.Pads.size();
    counts.Arcs.Free = board.Free.Arcs.size();
    counts.Fills.Free = board.Free.Fills.size();
    counts.Texts.Free = board.Free.Texts.size();
    counts.Components = board.Components.size();
    for (const Component& component : board.Components) {
        AddChildren(counts, component.Children);
        if (component.Layer == "BottomLayer") {
            ++counts.BottomComponents;
        } else {
            ++counts.TopComponents;
        }
    }
    counts.Nets = board.Nets.size();
    for (const Net& net : board.Nets) {
        counts.NetPads += net.Pads.size();
    }
    counts.Planes = board.Planes.size();
    for (const Plane& plane : board.Planes) {
        counts.PlanesWithNet += plane.Net ? 1 : 0;
    }
    return counts;
}

std::string SummaryText(const ImportOutcome& outcome, const Board& board) {
    const BoardCounts counts = CountBoard(board);
    std::ostringstream out;
    out << "File:        " << outcome.Path << "\n";
    out << "Version:     " << outcome.Version << " (PCB FILE " << outcome.Version << ")\n";
    out << "Import:      " << StatusText(outcome) << "\n";
    out << "Objects:         free  in components\n";
    out << Row("tracks", counts.Tracks) << Row("vias", counts.Vias) << Row("pads", counts.Pads)
        << Row("arcs", counts.Arcs) << Row("fills", counts.Fills) << Row("texts", counts.Texts);
    out << "Components:  " << counts.Components << " (" << counts.TopComponents << " top, "
        << counts.BottomComponents << " bottom)\n";
    out << "Nets:        " << counts.Nets << " joining " << counts.NetPads << " pads\n";
    out << "Planes:      " << PlanesText(board, counts) << "\n";
    char seconds[32];
    std::snprintf(seconds, sizeof(seconds), "%.3f s", outcome.Seconds);
    out << "Time:        " << seconds << "\n";
    return out.str();
}

} // namespace halvex::cli
