#include "boardmodel/BoardStore.h"

#include <stdexcept>

namespace corvane::cli {

using namespace stored;

namespace {

// Record numbers are kept in 32 bits.
std::uint32_t Start(std::size_t count) {
    if (count >= UINT32_MAX) {
        throw std::length_error("too many objects on the board to keep");
    }
    return std::uint32_t(count);
}

RecordStarts StartsOf(const Records& records) {
    return {Start(records.Tracks.size()), Start(records.Vias.size()),  Start(records.Pads.size()),
            Start(records.Arcs.size()),   Start(records.Fills.size()), Start(records.Texts.size())};
}

} // namespace

void BoardStore::OnTrack(const Track& t, Owner owner) {
    Into(owner).Tracks.push_back(
        {t.X1, t.Y1, t.X2, t.Y2, t.Width, Intern(t.Layer), InternNet(t.Net), t.Line});
}

void BoardStore::OnVia(const Via& v, Owner owner) {
    Into(owner).Vias.push_back({v.X, v.Y, v.Size, v.Hole, Intern(v.StartLayer), Intern(v.EndLayer),
                                InternNet(v.Net), v.Line});
}

void BoardStore::OnPad(const Pad& p, Owner owner) {
    Into(owner).Pads.push_back({p.Rotation, p.X, p.Y, p.XSize, p.YSize, p.Hole, Intern(p.Name),
                                Intern(p.Layer), InternNet(p.Net), p.Line, p.ShapeCode,
                                p.CornerPercent});
}

void BoardStore::OnArc(const Arc& a, Owner owner) {
    Into(owner).Arcs.push_back({a.StartAngle, a.EndAngle, a.X, a.Y, a.Radius, a.Width,
                                Intern(a.Layer), InternNet(a.Net), a.Line});
}

void BoardStore::OnFill(const Fill& f, Owner owner) {
    Into(owner).Fills.push_back(
        {f.Rotation, f.X1, f.Y1, f.X2, f.Y2, Intern(f.Layer), InternNet(f.Net), f.Line});
}

void BoardStore::OnText(const Text& t, Owner owner) {
    Into(owner).Texts.push_back(Record(t));
}

TextRecord BoardStore::Record(const Text& t) {
    return {t.Rotation,      t.X,    t.Y,     t.Height, t.Width, Intern(t.Content),
            Intern(t.Layer), t.Line, t.Mirror};
}

void BoardStore::OnComponentBegin(const Component& c) {
    ComponentRecord record{Intern(c.Designator),
                           Intern(c.Comment),
                           Intern(c.Pattern),
                           Intern(c.Layer),
                           c.X,
                           c.Y,
                           c.Rotation,
                           c.Line,
                           c.DesignatorText.has_value(),
                           c.CommentText.has_value(),
                           {},
                           {},
                           StartsOf(children_)};
    if (c.DesignatorText) {
        record.DesignatorText = Record(*c.DesignatorText);
    }
    if (c.CommentText) {
        record.CommentText = Record(*c.CommentText);
    }
    components_.push_back(record);
}

void BoardStore::OnNet(const Net& net) {
    nets_.push_back({Intern(net.Name), Start(nodes_.size())});
    for (const NetNode& node : net.Pads) {
        nodes_.push_back({Intern(node.Component), Intern(node.Pad)});
    }
}

StoredPrimitives BoardStore::Range(const Records& records, const RecordStarts& begin,
                                   const RecordStarts& end) const {
    return {{*this, records.Tracks, begin.Tracks, end.Tracks},
            {*this, records.Vias, begin.Vias, end.Vias},
            {*this, records.Pads, begin.Pads, end.Pads},
            {*this, records.Arcs, begin.Arcs, end.Arcs},
            {*this, records.Fills, begin.Fills, end.Fills},
            {*this, records.Texts, begin.Texts, end.Texts}};
}

StoredPrimitives BoardStore::Free() const {
    return Range(free_, {}, StartsOf(free_));
}

RecordStarts BoardStore::Ends(std::size_t component) const {
    return component + 1 < components_.size() ? components_[component + 1].Children
                                              : StartsOf(children_);
}

StoredPrimitives BoardStore::ChildrenOf(std::size_t component) const {
    return Range(children_, components_[component].Children, Ends(component));
}

Component BoardStore::ComponentAt(std::size_t i) const {
    const ComponentRecord& r = components_[i];
    Component c;
    c.Designator = String(r.Designator);
    c.Comment = String(r.Comment);
    c.Pattern = String(r.Pattern);
    c.X = r.X;
    c.Y = r.Y;
    c.Layer = String(r.Layer);
    c.Rotation = r.Rotation;
    c.Line = r.Line;
    if (r.HasDesignatorText) {
        c.DesignatorText = Expand(r.DesignatorText);
    }
    if (r.HasCommentText) {
        c.CommentText = Expand(r.CommentText);
    }
    return c;
}

Component BoardStore::WholeComponentAt(std::size_t i) const {
    Component c = ComponentAt(i);
    const StoredPrimitives children = ChildrenOf(i);
    c.Children.Tracks.assign(children.Tracks.begin(), children.Tracks.end());
    c.Children.Vias.assign(children.Vias.begin(), children.Vias.end());
    c.Children.Pads.assign(children.Pads.begin(), children.Pads.end());
    c.Children.Arcs.assign(children.Arcs.begin(), children.Arcs.end());
    c.Children.Fills.assign(children.Fills.begin(), children.Fills.end());
    c.Children.Texts.assign(children.Texts.begin(), children.Texts.end());
    return c;
}

Net BoardStore::NetAt(std::size_t i) const {
    const std::size_t end = i + 1 < nets_.size() ? nets_[i + 1].FirstNode : nodes_.size();
    Net net;
    net.Name = String(nets_[i].Name);
    for (std::size_t n = nets_[i].FirstNode; n < end; ++n) {
        net.Pads.push_back(
            {std::string(String(nodes_[n].Component)), std::string(String(nodes_[n].Pad))});
    }
    return net;
}

std::size_t BoardStore::PrimitiveCount() const {
    return Free().Count() + children_.Tracks.size() + children_.Vias.size() +
           children_.Pads.size() + children_.Arcs.size() + children_.Fills.size() +
           children_.Texts.size();
}

Track BoardStore::Expand(const TrackRecord& r) const {
    return {r.X1, r.Y1, r.X2, r.Y2, r.Width, std::string(String(r.Layer)), NetOf(r.Net), r.Line};
}

Via BoardStore::Expand(const ViaRecord& r) const {
    return {r.X,
            r.Y,
            r.Size,
            r.Hole,
            std::string(String(r.StartLayer)),
            std::string(String(r.EndLayer)),
            NetOf(r.Net),
            r.Line};
}

Pad BoardStore::Expand(const PadRecord& r) const {
    return {r.X,
            r.Y,
            std::string(String(r.Name)),
            r.ShapeCode,
            r.XSize,
            r.YSize,
            r.Hole,
            std::string(String(r.Layer)),
            r.Rotation,
            NetOf(r.Net),
            r.CornerPercent,
            r.Line};
}

Arc BoardStore::Expand(const ArcRecord& r) const {
    return {r.X,
            r.Y,
            r.Radius,
            r.StartAngle,
            r.EndAngle,
            r.Width,
            std::string(String(r.Layer)),
            NetOf(r.Net),
            r.Line};
}

Fill BoardStore::Expand(const FillRecord& r) const {
    return {r.X1, r.Y1, r.X2, r.Y2, std::string(String(r.Layer)), r.Rotation, NetOf(r.Net), r.Line};
}

Text BoardStore::Expand(const TextRecord& r) const {
    return {r.X,        r.Y,      std::string(String(r.Content)), r.Height, r.Width,
            r.Rotation, r.Mirror, std::string(String(r.Layer)),   r.Line};
}

void VisitBoard(const Board& board, BoardVisitor& visitor) {
    const auto primitives = [&](const Primitives& p, Owner owner) {
        for (const Track& t : p.Tracks) {
            visitor.OnTrack(t, owner);
        }
        for (const Via& v : p.Vias) {
            visitor.OnVia(v, owner);
        }
        for (const Pad& pad : p.Pads) {
            visitor.OnPad(pad, owner);
        }
        for (const Arc& a : p.Arcs) {
            visitor.OnArc(a, owner);
        }
        for (const Fill& f : p.Fills) {
            visitor.OnFill(f, owner);
        }
        for (const Text& t : p.Texts) {
            visitor.OnText(t, owner);
        }
    };
    visitor.OnBoardBegin(board.Header);
    visitor.OnPlanes(board.Planes);
    primitives(board.Free, BoardOwner);
    std::uint32_t container = 0;
    for (const Component& c : board.Components) {
        visitor.OnComponentBegin(c);
        primitives(c.Children, Owner{++container});
        visitor.OnComponentEnd();
    }
    for (const Net& net : board.Nets) {
        visitor.OnNet(net);
    }
    visitor.OnBoardEnd();
}

BoardStore StoreOf(const Board& board) {
    BoardStore store;
    VisitBoard(board, store);
    return store;
}

} // namespace corvane::cli
