#include "corvane-import/Summary.h"

#include "boardfacts/HostLayers.h"
#include "textformat/NaturalOrder.h"

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

// "N objects WHAT (lines ...)": the first five lines known, in file order.
std::string ObjectsLine(const std::vector<std::uint32_t>& lines, const std::string& what) {
    std::vector<std::uint32_t> known;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(known),
                 [](std::uint32_t line) { return line != 0; });
    std::sort(known.begin(), known.end());
    std::string text =
        std::to_string(lines.size()) + (lines.size() == 1 ? " object " : " objects ") + what;
    constexpr std::size_t shown = 5;
    for (std::size_t i = 0; i < known.size() && i < shown; ++i) {
        text += (i == 0 ? (known.size() == 1 ? " (line " : " (lines ") : ", ") +
                std::to_string(known[i]);
    }
    if (!known.empty()) {
        text += known.size() > shown ? ", ...)" : ")";
    }
    return text;
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
    inComponent_ = true;
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
    if (outcome.DerivedNets) {
        out << "KiCad nets:  " << *outcome.DerivedNets << " derived from the copper\n";
    }
    if (!outcome.KicadClampedLines.empty()) {
        out << "KiCad board: "
            << ObjectsLine(outcome.KicadClampedLines, "beyond KiCad's reach, clamped") << "\n";
    }
    if (outcome.KicadOriginClamped) {
        out << "KiCad board: the board's origin lies beyond KiCad's reach: the auxiliary origin, "
               "which manufacturing files measure from, is clamped\n";
    }
    if (!outcome.KicadFarLines.empty()) {
        out << "KiCad board: "
            << ObjectsLine(outcome.KicadFarLines,
                           "far outside the rest of the board, placed where the file says")
            << "\n";
    }
    out << "Planes:      " << PlanesText(board.Planes(), counts) << "\n";
    char seconds[32];
    std::snprintf(seconds, sizeof(seconds), "%.3f s", outcome.Seconds);
    out << "Time:        " << seconds << "\n";
    return out.str();
}

std::string PlacementLine(const std::optional<std::vector<std::string>>& uninferred) {
    if (!uninferred || uninferred->empty()) {
        return {};
    }
    std::vector<std::string> parts = *uninferred;
    std::stable_sort(parts.begin(), parts.end(), NaturalLess);
    std::string line = "Placement:   " + std::to_string(parts.size()) +
                       (parts.size() == 1 ? " part" : " parts") + " with no inferred rotation: ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        line += (i == 0 ? "" : ", ") + parts[i];
    }
    return line + "\n";
}

} // namespace corvane::cli
