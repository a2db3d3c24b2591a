#pragma once
// The board read back from the server, kept compactly for the documents made from all of it: each
// object a record of numbers, its strings kept once each in a pool. A record is given back as the
// model's value when asked (StoredPrimitives), and read as it is where that costs too much.
// At 10^6 records the board as the model's values needs about as much memory as the server's own;
// kept so, about a fifth of it.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardVisitor.h"
#include "boardmodel/StringPool.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>
#include <vector>

namespace corvane::cli {

namespace stored {

using StringId = StringPool::Id;
/// The net of an object without one.
inline constexpr StringId NoNet = UINT32_MAX;

struct TrackRecord {
    std::int32_t X1, Y1, X2, Y2, Width;
    StringId Layer, Net;
    std::uint32_t Line;
};

struct ViaRecord {
    std::int32_t X, Y, Size, Hole;
    StringId StartLayer, EndLayer, Net;
    std::uint32_t Line;
};

struct PadRecord {
    double Rotation;
    std::int32_t X, Y, XSize, YSize, Hole;
    StringId Name, Layer, Net;
    std::uint32_t Line;
    std::uint8_t ShapeCode, CornerPercent;
};

struct ArcRecord {
    double StartAngle, EndAngle;
    std::int32_t X, Y, Radius, Width;
    StringId Layer, Net;
    std::uint32_t Line;
};

struct FillRecord {
    double Rotation;
    std::int32_t X1, Y1, X2, Y2;
    StringId Layer, Net;
    std::uint32_t Line;
};

struct TextRecord {
    double Rotation;
    std::int32_t X, Y, Height, Width;
    StringId Content, Layer;
    std::uint32_t Line;
    bool Mirror;
};

/// The records of each kind, in the order the objects came; a deque, so that a growing store
/// never holds a kind twice while it moves.
struct Records {
    std::deque<TrackRecord> Tracks;
    std::deque<ViaRecord> Vias;
    std::deque<PadRecord> Pads;
    std::deque<ArcRecord> Arcs;
    std::deque<FillRecord> Fills;
    std::deque<TextRecord> Texts;
};

/// Where a container's objects of each kind start in Records.
struct RecordStarts {
    std::uint32_t Tracks = 0, Vias = 0, Pads = 0, Arcs = 0, Fills = 0, Texts = 0;
};

struct ComponentRecord {
    StringId Designator, Comment, Pattern, Layer;
    std::int32_t X, Y;
    double Rotation;
    std::uint32_t Line;
    bool HasDesignatorText, HasCommentText;
    TextRecord DesignatorText, CommentText;
    RecordStarts Children; // into the children's records; the next component's are the end
};

struct NetRecord {
    StringId Name;
    std::uint32_t FirstNode; // into the nodes; the next net's is the end
};

struct NodeRecord {
    StringId Component, Pad;
};

} // namespace stored

class BoardStore;

/// What an object of a store is, where it lies apart from the kinds of primitives: a component's
/// own place, and its two texts.
enum class StoredKind : std::uint8_t {
    Track,
    Via,
    Pad,
    Arc,
    Fill,
    Text,
    Component,
    DesignatorText,
    CommentText
};

/// An object of a store: its container (0 the board, i + 1 the i-th component), its kind, its
/// index among the container's objects of that kind (0 for a component and its texts), and the
/// file line it came from (0: not known). Objects compare by where they are.
struct StoredObject {
    std::uint32_t Container = 0;
    StoredKind Kind = StoredKind::Track;
    std::uint32_t Index = 0;
    std::uint32_t Line = 0;

    friend bool operator==(const StoredObject& a, const StoredObject& b) {
        return a.Container == b.Container && a.Kind == b.Kind && a.Index == b.Index;
    }
    friend bool operator<(const StoredObject& a, const StoredObject& b) {
        return a.Container != b.Container ? a.Container < b.Container
               : a.Kind != b.Kind         ? a.Kind < b.Kind
                                          : a.Index < b.Index;
    }
};

/// The objects of one kind of one container, given back as the model's values.
template <typename Value, typename Record> class StoredColumn {
public:
    StoredColumn(const BoardStore& store, const std::deque<Record>& records, std::size_t begin,
                 std::size_t end)
        : store_(&store), records_(&records), begin_(begin), end_(end) {}

    std::size_t size() const { return end_ - begin_; }
    bool empty() const { return begin_ == end_; }
    Value operator[](std::size_t i) const;
    const Record& RecordAt(std::size_t i) const { return (*records_)[begin_ + i]; }
    /// Where the column starts among its container's records (FreeRecords or ChildRecords).
    std::size_t Start() const { return begin_; }

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Value;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Value;

        Iterator(const StoredColumn& column, std::size_t i) : column_(&column), i_(i) {}
        Value operator*() const { return (*column_)[i_]; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++i_;
            return before;
        }
        bool operator==(const Iterator& other) const { return i_ == other.i_; }

    private:
        const StoredColumn* column_;
        std::size_t i_;
    };
    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, size()); }

private:
    const BoardStore* store_;
    const std::deque<Record>* records_;
    std::size_t begin_, end_;
};

/// A container's primitives, kind by kind as Primitives holds them.
struct StoredPrimitives {
    StoredColumn<Track, stored::TrackRecord> Tracks;
    StoredColumn<Via, stored::ViaRecord> Vias;
    StoredColumn<Pad, stored::PadRecord> Pads;
    StoredColumn<Arc, stored::ArcRecord> Arcs;
    StoredColumn<Fill, stored::FillRecord> Fills;
    StoredColumn<Text, stored::TextRecord> Texts;

    /// Every object, of every kind.
    std::size_t Count() const {
        return Tracks.size() + Vias.size() + Pads.size() + Arcs.size() + Fills.size() +
               Texts.size();
    }
};

/// The whole board, kept from everything it is shown: what the documents made from all of the
/// board at once read (the KiCad board, the BOM, the placement, the page's nets).
class BoardStore final : public BoardVisitor {
public:
    /// The header the walk began with.
    const DocumentHeader& Header() const { return header_; }

    void OnBoardBegin(const DocumentHeader& header) override { header_ = header; }
    void OnPlanes(const std::vector<Plane>& planes) override { planes_ = planes; }
    void OnTrack(const Track& track, Owner owner) override;
    void OnVia(const Via& via, Owner owner) override;
    void OnPad(const Pad& pad, Owner owner) override;
    void OnArc(const Arc& arc, Owner owner) override;
    void OnFill(const Fill& fill, Owner owner) override;
    void OnText(const Text& text, Owner owner) override;
    void OnComponentBegin(const Component& component) override;
    void OnNet(const Net& net) override;
    /// The documents made from the store take a net's pads from the pads themselves: the store
    /// keeps them when another visitor has the walk read them.
    bool NeedsNetPads() const override { return false; }

    const std::vector<Plane>& Planes() const { return planes_; }
    StoredPrimitives Free() const;

    std::size_t ComponentCount() const { return components_.size(); }
    /// A component's properties and texts; its Children are left empty.
    Component ComponentAt(std::size_t i) const;
    const stored::ComponentRecord& ComponentRecordAt(std::size_t i) const { return components_[i]; }
    StoredPrimitives ChildrenOf(std::size_t component) const;
    /// A component whole, with its children.
    Component WholeComponentAt(std::size_t i) const;

    std::size_t NetCount() const { return nets_.size(); }
    Net NetAt(std::size_t i) const;
    std::string_view NetNameAt(std::size_t i) const { return String(nets_[i].Name); }

    /// Every primitive, free or in a component.
    std::size_t PrimitiveCount() const;

    /// The records of the free objects, and of every component's children one after the other.
    const stored::Records& FreeRecords() const { return free_; }
    const stored::Records& ChildRecords() const { return children_; }

    std::string_view String(stored::StringId id) const { return strings_.View(id); }
    /// How many different strings there are: every StringId is below it.
    std::size_t StringCount() const { return strings_.Size(); }
    NetName NetOf(stored::StringId id) const {
        return id == stored::NoNet ? NetName() : NetName(std::string(String(id)));
    }

    Track Expand(const stored::TrackRecord& r) const;
    Via Expand(const stored::ViaRecord& r) const;
    Pad Expand(const stored::PadRecord& r) const;
    Arc Expand(const stored::ArcRecord& r) const;
    Fill Expand(const stored::FillRecord& r) const;
    Text Expand(const stored::TextRecord& r) const;

private:
    stored::StringId Intern(std::string_view text) { return strings_.Intern(text); }
    stored::StringId InternNet(const NetName& net) { return net ? Intern(*net) : stored::NoNet; }
    stored::TextRecord Record(const Text& text);
    stored::Records& Into(Owner owner) { return owner.InComponent() ? children_ : free_; }
    stored::RecordStarts Ends(std::size_t component) const;
    StoredPrimitives Range(const stored::Records& records, const stored::RecordStarts& begin,
                           const stored::RecordStarts& end) const;

    DocumentHeader header_;
    StringPool strings_;
    std::vector<Plane> planes_;
    stored::Records free_, children_;
    std::deque<stored::ComponentRecord> components_;
    std::deque<stored::NetRecord> nets_;
    std::deque<stored::NodeRecord> nodes_;
};

/// Shows a board to a visitor as a walk over the server would: its header, planes, the free
/// objects, each component with its primitives, the nets, the end. (The free objects come before
/// the components, kind by kind: a Board keeps no order across kinds.)
void VisitBoard(const Board& board, BoardVisitor& visitor);

/// The board kept in a store, with its whole header.
BoardStore StoreOf(const Board& board);

template <typename Value, typename Record>
Value StoredColumn<Value, Record>::operator[](std::size_t i) const {
    return store_->Expand((*records_)[begin_ + i]);
}

} // namespace corvane::cli
