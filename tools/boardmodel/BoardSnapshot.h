#pragma once
// The board read back from the server into plain values, for what needs all of it at once.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardVisitor.h"

#include <utility>
#include <vector>

namespace corvane::cli {

/// A visitor that collects everything it is shown into a Board, whose File, Version and Imported
/// come from the header. Several outputs can share one collector in one walk.
class BoardCollector final : public BoardVisitor {
public:
    explicit BoardCollector(const DocumentHeader& header = {}) {
        board_.File = header.File;
        board_.Version = header.Version;
        board_.Imported = header.Imported;
    }

    const Board& Collected() const { return board_; }
    Board Take() { return std::move(board_); }

    void OnPlanes(const std::vector<Plane>& planes) override { board_.Planes = planes; }
    void OnTrack(const Track& track) override { Into().Tracks.push_back(track); }
    void OnVia(const Via& via) override { Into().Vias.push_back(via); }
    void OnPad(const Pad& pad) override { Into().Pads.push_back(pad); }
    void OnArc(const Arc& arc) override { Into().Arcs.push_back(arc); }
    void OnFill(const Fill& fill) override { Into().Fills.push_back(fill); }
    void OnText(const Text& text) override { Into().Texts.push_back(text); }
    void OnComponentBegin(const Component& component) override {
        board_.Components.push_back(component);
        inComponent_ = true;
    }
    void OnComponentEnd() override { inComponent_ = false; }
    void OnNet(const Net& net) override { board_.Nets.push_back(net); }

private:
    Primitives& Into() { return inComponent_ ? board_.Components.back().Children : board_.Free; }

    Board board_;
    bool inComponent_ = false;
};

} // namespace corvane::cli
