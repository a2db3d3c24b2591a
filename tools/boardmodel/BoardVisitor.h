#pragma once
// Receives what is on a board, one object at a time, in the order the board holds them: the
// document's header, the planes, then the board's members in the order they were added (a
// component followed by its own primitives), then the end. The summary's counts, the board store
// and the streamed JSON and SVG writers are visitors; one walk over the server's board serves
// them all. The walk says which container holds each primitive, so that no visitor keeps that
// state of its own.

#include "boardmodel/BoardModel.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace corvane::cli {

/// The container of a primitive: the board, or the component begun last and not yet ended.
/// Containers are numbered as StoredObject numbers them: 0 the board, i + 1 the i-th component.
struct Owner {
    std::uint32_t Container = 0;

    bool InComponent() const { return Container != 0; }
};

/// The board itself as a primitive's owner.
inline constexpr Owner BoardOwner{};

class BoardVisitor {
public:
    virtual ~BoardVisitor() = default;

    /// Before anything else: what the documents say about the import besides the board.
    virtual void OnBoardBegin(const DocumentHeader& header) { (void)header; }

    /// The board's internal planes, top to bottom, before any object.
    virtual void OnPlanes(const std::vector<Plane>& planes) { (void)planes; }

    /// A primitive and the container that holds it.
    virtual void OnTrack(const Track& track, Owner owner) { (void)track, (void)owner; }
    virtual void OnVia(const Via& via, Owner owner) { (void)via, (void)owner; }
    virtual void OnPad(const Pad& pad, Owner owner) { (void)pad, (void)owner; }
    virtual void OnArc(const Arc& arc, Owner owner) { (void)arc, (void)owner; }
    virtual void OnFill(const Fill& fill, Owner owner) { (void)fill, (void)owner; }
    virtual void OnText(const Text& text, Owner owner) { (void)text, (void)owner; }

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

    void OnBoardBegin(const DocumentHeader& header) override {
        Each([&](BoardVisitor& v) { v.OnBoardBegin(header); });
    }
    void OnPlanes(const std::vector<Plane>& planes) override {
        Each([&](BoardVisitor& v) { v.OnPlanes(planes); });
    }
    void OnTrack(const Track& track, Owner owner) override {
        Each([&](BoardVisitor& v) { v.OnTrack(track, owner); });
    }
    void OnVia(const Via& via, Owner owner) override {
        Each([&](BoardVisitor& v) { v.OnVia(via, owner); });
    }
    void OnPad(const Pad& pad, Owner owner) override {
        Each([&](BoardVisitor& v) { v.OnPad(pad, owner); });
    }
    void OnArc(const Arc& arc, Owner owner) override {
        Each([&](BoardVisitor& v) { v.OnArc(arc, owner); });
    }
    void OnFill(const Fill& fill, Owner owner) override {
        Each([&](BoardVisitor& v) { v.OnFill(fill, owner); });
    }
    void OnText(const Text& text, Owner owner) override {
        Each([&](BoardVisitor& v) { v.OnText(text, owner); });
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
