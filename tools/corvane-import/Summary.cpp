#include "corvane-import/Summary.h"

#include "boardfacts/HostLayers.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <iterator>
#include <sstream>

namespace corvane::cli {
namespace {

std::string Row(const char* kind, const KindCount& count) {
    std::ostringstream line;
    line << "  " << std::left << std::setw(8) << kind << std::right << " " << std::setw(8)
         << count.Free << " " << std::setw(14) << count.InComponents << "\n";
    return line.str();
}

std::string PlanesText(const std::vector<Plane>& planes, const BoardCounts& counts) {
    // A board of two or four layers: no plane is in use, which is no fault.
    if (counts.PlanesWithNet == 0) {
        return counts.Planes == 0 ? "none" : "none: no internal plane has a net";
    }
    std::string text = std::to_string(counts.PlanesWithNet) + " of " +
                       std::to_string(counts.Planes) + " internal planes with a net";
    std::string named;
    for (const Plane& plane : planes) {
        if (plane.Net) {
            named += (named.empty() ? "" : ", ") + plane.Layer + " " + *plane.Net;
        }
    }
    return named.empty() ? text : text + " (" + named + ")";
}

} // namespace

std::string OutcomeWords(const ImportOutcome& outcome) {
    if (!outcome.Completed) {
        return outcome.UserAborted ? "aborted by the user (objects read so far are on the board)"
                                   : "stopped before the end of the file";
    }
    if (outcome.Losses.empty() && outcome.OutputLosses.empty()) {
        return "complete";
    }
    const std::string kinds = outcome.Losses +
                              (outcome.Losses.empty() || outcome.OutputLosses.empty() ? "" : ", ") +
                              outcome.OutputLosses;
    // The report lists the import's; an output's are on its own line of the summary.
    return "data may have been lost (" + kinds + ")" +
           (outcome.Losses.empty() ? "" : ", see --report text");
}

std::size_t BoardCounter::Primitives() const {
    std::size_t total = 0;
    for (const KindCount& kind :
         {counts_.Tracks, counts_.Vias, counts_.Pads, counts_.Arcs, counts_.Fills, counts_.Texts}) {
        total += kind.Free + kind.InComponents;
    }
    return total;
}

void BoardCounter::OnPlanes(const std::vector<Plane>& planes) {
    planes_ = planes;
    counts_.Planes = planes.size();
    for (const Plane& plane : planes) {
        counts_.PlanesWithNet += plane.Net ? 1 : 0;
    }
}

void BoardCounter::OnComponentBegin(const Component& component) {
    ++counts_.Components;
    ++(OnBottomSide(component.Layer) ? counts_.BottomComponents : counts_.TopComponents);
}

void BoardCounter::OnNet(const Net& net) {
    ++counts_.Nets;
    counts_.NetPads += net.Pads.size();
}

std::string SummaryText(const ImportOutcome& outcome, const BoardCounter& board) {
    const BoardCounts& counts = board.Counts();
    std::ostringstream out;
    out << "File:        " << outcome.Path << "\n";
    out << "Version:     " << outcome.Version << " (PCB FILE " << outcome.Version << ")\n";
    out << "Import:      " << OutcomeWords(outcome) << "\n";
    for (const std::string& note : outcome.Notes) {
        out << "Note:        " << note << "\n";
    }
    out << "Objects:         free  in components\n";
    out << Row("tracks", counts.Tracks) << Row("vias", counts.Vias) << Row("pads", counts.Pads)
        << Row("arcs", counts.Arcs) << Row("fills", counts.Fills) << Row("texts", counts.Texts);
    out << "Components:  " << counts.Components << " (" << counts.TopComponents << " top, "
        << counts.BottomComponents << " bottom)\n";
    out << "Nets:        " << counts.Nets << " joining " << counts.NetPads << " pads\n";
    out << outcome.DocumentLines;
    out << "Planes:      " << PlanesText(board.Planes(), counts) << "\n";
    char seconds[32];
    std::snprintf(seconds, sizeof(seconds), "%.3f s", outcome.Seconds);
    out << "Time:        " << seconds << "\n";
    return out.str();
}

} // namespace corvane::cli
