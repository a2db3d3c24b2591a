#pragma once
// The short report printed after an import: what was imported, how far, and what is on the board.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardVisitor.h"

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
    /// What the documents tell after the board's nets, lines ending with a line end.
    std::string DocumentLines;
    /// What the program did to the file before the plug-in read it, one line each.
    std::vector<std::string> Notes;
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

/// Counts what it is shown, and keeps the planes.
class BoardCounter final : public BoardVisitor {
public:
    const BoardCounts& Counts() const { return counts_; }
    const std::vector<Plane>& Planes() const { return planes_; }
    /// Every primitive, free or in a component.
    std::size_t Primitives() const;

    void OnPlanes(const std::vector<Plane>& planes) override;
    void OnTrack(const Track&, Owner owner) override { Count(counts_.Tracks, owner); }
    void OnVia(const Via&, Owner owner) override { Count(counts_.Vias, owner); }
    void OnPad(const Pad&, Owner owner) override { Count(counts_.Pads, owner); }
    void OnArc(const Arc&, Owner owner) override { Count(counts_.Arcs, owner); }
    void OnFill(const Fill&, Owner owner) override { Count(counts_.Fills, owner); }
    void OnText(const Text&, Owner owner) override { Count(counts_.Texts, owner); }
    void OnComponentBegin(const Component& component) override;
    void OnNet(const Net& net) override;

private:
    static void Count(KindCount& count, Owner owner) {
        ++(owner.InComponent() ? count.InComponents : count.Free);
    }

    BoardCounts counts_;
    std::vector<Plane> planes_;
};

/// How far the import went, in words: "complete" only when it ran to the end and nothing may
/// have been lost, by the import or by an output; otherwise why not.
std::string OutcomeWords(const ImportOutcome& outcome);

/// The summary text, several lines, each ending with a line end.
std::string SummaryText(const ImportOutcome& outcome, const BoardCounter& board);

} // namespace corvane::cli
