#pragma once
// The short report printed after an import: what was imported, how far, and what is on the board.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardVisitor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

/// How the import went, as the program saw it.
struct ImportOutcome {
    std::string Path; // the full path the board was opened for
    int Version = 4;
    bool Completed = false;   // the plug-in ran to the end of the file
    bool UserAborted = false; // the user confirmed an abort
    /// The report's kinds that may stand for lost data ("missing-endpcb, line-cut"); empty when
    /// nothing may have been lost.
    std::string Losses;
    /// What an output could not hold as the file has it (kicad-beyond-reach), in the same form.
    std::string OutputLosses;
    /// What the program did to the file before the plug-in read it, one line each.
    std::vector<std::string> Notes;
    double Seconds = 0;
    /// Nets the KiCad board derived from the copper, when one was written.
    std::optional<std::size_t> DerivedNets;
    /// The file lines of the objects the KiCad board clamped (beyond KiCad's reach), and of those
    /// far outside the rest of the board it placed as the file has them (0: line not known).
    std::vector<std::uint32_t> KicadClampedLines, KicadFarLines;
    /// The KiCad board's auxiliary origin (the host's origin) was clamped.
    bool KicadOriginClamped = false;
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

/// Counts what it is shown, and keeps the planes.
class BoardCounter final : public BoardVisitor {
public:
    const BoardCounts& Counts() const { return counts_; }
    const std::vector<Plane>& Planes() const { return planes_; }
    /// Every primitive, free or in a component.
    std::size_t Primitives() const;

    void OnPlanes(const std::vector<Plane>& planes) override;
    void OnTrack(const Track&) override { Count(counts_.Tracks); }
    void OnVia(const Via&) override { Count(counts_.Vias); }
    void OnPad(const Pad&) override { Count(counts_.Pads); }
    void OnArc(const Arc&) override { Count(counts_.Arcs); }
    void OnFill(const Fill&) override { Count(counts_.Fills); }
    void OnText(const Text&) override { Count(counts_.Texts); }
    void OnComponentBegin(const Component& component) override;
    void OnComponentEnd() override { inComponent_ = false; }
    void OnNet(const Net& net) override;

private:
    void Count(KindCount& count) { ++(inComponent_ ? count.InComponents : count.Free); }

    BoardCounts counts_;
    std::vector<Plane> planes_;
    bool inComponent_ = false;
};

/// How far the import went, in words: "complete" only when it ran to the end and nothing may
/// have been lost, by the import or by an output; otherwise why not.
std::string OutcomeWords(const ImportOutcome& outcome);

/// The summary text, several lines, each ending with a line end.
std::string SummaryText(const ImportOutcome& outcome, const BoardCounter& board);

/// The line that names the parts whose rotation the pads do not give, in natural order
/// ("Placement:   2 parts with no inferred rotation: A30, T1"); empty when there are none or no
/// placement was made.
std::string PlacementLine(const std::optional<std::vector<std::string>>& uninferred);

} // namespace corvane::cli
