#pragma once
// Receives what is on a board, one object at a time, in the order the board holds them: the
// planes first, then the board's members in the order they were added (a component followed by
// its own primitives), then the end. The summary's counts, the snapshot and the streamed JSON and
// SVG writers are visitors; one walk over the server's board serves them all.

#include "boardmodel/BoardModel.h"

#include <algorithm>
#include <vector>

namespace corvane::cli {

class BoardVisitor {
public:
    virtual ~BoardVisitor() = default;

    /// The board's internal planes, top to bottom, before any object.
    virtual void OnPlanes(const std::vector<Plane>& planes) { (void)planes; }

    /// A primitive: a free one, or one of the component begun last and not yet ended.
    virtual void OnTrack(const Track& track) { (void)track; }
    virtual void OnVia(const Via& via) { (void)via; }
    virtual void OnPad(const Pad& pad) { (void)pad; }
    virtual void OnArc(const Arc& arc) { (void)arc; }
    virtual void OnFill(const Fill& fill) { (void)fill; }
    virtual void OnText(const Text& text) { (void)text; }

    /// A component's own properties and texts (its Children are empty): its primitives follow,
    /// then OnComponentEnd.
    virtual void OnComponentBegin(const Component& component) { (void)component; }
    virtual void OnComponentEnd() {}

    virtual void OnNet(const Net& net) { (void)net; }
    /// Whether OnNet needs the pads of the net: without, a walk need not read the net's members.
    virtual bool NeedsNetPads() const { return true; }

    /// After the last object.
    virtual void OnBoardEnd() {}
};

/// Hands everything to several visitors in turn.
class VisitorFanOut final : public BoardVisitor {
public:
    void Add(BoardVisitor& visitor) { visitors_.push_back(&visitor); }
    bool Empty() const { return visitors_.empty(); }

    void OnPlanes(const std::vector<Plane>& planes) override {
        Each([&](BoardVisitor& v) { v.OnPlanes(planes); });
    }
    void OnTrack(const Track& track) override {
        Each([&](BoardVisitor& v) { v.OnTrack(track); });
    }
    void OnVia(const Via& via) override {
        Each([&](BoardVisitor& v) { v.OnVia(via); });
    }
    void OnPad(const Pad& pad) override {
        Each([&](BoardVisitor& v) { v.OnPad(pad); });
    }
    void OnArc(const Arc& arc) override {
        Each([&](BoardVisitor& v) { v.OnArc(arc); });
    }
    void OnFill(const Fill& fill) override {
        Each([&](BoardVisitor& v) { v.OnFill(fill); });
    }
    void OnText(const Text& text) override {
        Each([&](BoardVisitor& v) { v.OnText(text); });
    }
    void OnComponentBegin(const Component& component) override {
        Each([&](BoardVisitor& v) { v.OnComponentBegin(component); });
    }
    void OnComponentEnd() override {
        Each([](BoardVisitor& v) { v.OnComponentEnd(); });
    }
    void OnNet(const Net& net) override {
        Each([&](BoardVisitor& v) { v.OnNet(net); });
    }
    bool NeedsNetPads() const override {
        return std::any_of(visitors_.begin(), visitors_.end(),
                           [](const BoardVisitor* v) { return v->NeedsNetPads(); });
    }
    void OnBoardEnd() override {
        Each([](BoardVisitor& v) { v.OnBoardEnd(); });
    }

private:
    template <typename Call> void Each(const Call& call) {
        for (BoardVisitor* visitor : visitors_) {
            call(*visitor);
        }
    }

    std::vector<BoardVisitor*> visitors_;
};

} // namespace corvane::cli
