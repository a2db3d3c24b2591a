#include "kicadwriter/BoardOutline.h"

#include "boardfacts/TextExtent.h"
#include "boardmodel/BoardBulk.h"
#include "kicadwriter/KicadArc.h"
#include "kicadwriter/OutlineLoops.h"
#include "textformat/Units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>
#include <span>
#include <tuple>
#include <utility>

namespace corvane::cli::kicad {

using namespace units;
namespace {

constexpr std::int64_t FallbackMargin = 50 * HostUnitsPerMil;
constexpr std::int64_t EmptyBoardSide = 1000 * HostUnitsPerMil;

std::int64_t Half(std::int64_t size) {
    return std::abs(size) / 2 + 1;
}

// What one object covers, and the points that place it: the ends of a line or a fill, the
// centre of anything else, a text's own point. Read from the records: no object is expanded.
struct ObjectPlace {
    Extent Covers;
    std::array<BulkPoint, 2> Anchors{};
    std::size_t AnchorCount = 1;

    std::span<const BulkPoint> AnchorList() const { return {Anchors.data(), AnchorCount}; }
};

BulkPoint Anchor(std::int64_t x, std::int64_t y) {
    return {double(x), double(y)};
}

ObjectPlace PlaceOf(const stored::TrackRecord& t) {
    ObjectPlace place{{}, {Anchor(t.X1, t.Y1), Anchor(t.X2, t.Y2)}, 2};
    place.Covers.Add(t.X1, t.Y1, Half(t.Width));
    place.Covers.Add(t.X2, t.Y2, Half(t.Width));
    return place;
}

ObjectPlace PlaceOf(const stored::ViaRecord& v) {
    ObjectPlace place{{}, {Anchor(v.X, v.Y)}, 1};
    place.Covers.Add(v.X, v.Y, Half(v.Size));
    return place;
}

ObjectPlace PlaceOf(const stored::PadRecord& pad) {
    ObjectPlace place{{}, {Anchor(pad.X, pad.Y)}, 1};
    place.Covers.Add(pad.X, pad.Y, Half(pad.XSize) + Half(pad.YSize));
    return place;
}

ObjectPlace PlaceOf(const stored::ArcRecord& a) {
    ObjectPlace place{{}, {Anchor(a.X, a.Y)}, 1};
    place.Covers.Add(a.X, a.Y, std::max<std::int64_t>(a.Radius, 0) + Half(a.Width));
    return place;
}

ObjectPlace PlaceOf(const stored::FillRecord& f) {
    // Turned about its centre, the fill stays within its half diagonal.
    const std::int64_t cx = (std::int64_t{f.X1} + f.X2) / 2;
    const std::int64_t cy = (std::int64_t{f.Y1} + f.Y2) / 2;
    const std::int64_t w = std::abs(std::int64_t{f.X2} - f.X1);
    const std::int64_t h = std::abs(std::int64_t{f.Y2} - f.Y1);
    ObjectPlace place{{}, {Anchor(f.X1, f.Y1), Anchor(f.X2, f.Y2)}, 2};
    place.Covers.Add(cx, cy, w / 2 + h / 2 + 1);
    return place;
}

// A text of that many characters.
ObjectPlace PlaceOf(const stored::TextRecord& t, std::size_t length) {
    ObjectPlace place{{}, {Anchor(t.X, t.Y)}, 1};
    for (const TextCorner& corner :
         TextBoxCorners(double(t.Height), length, t.Rotation, t.Mirror)) {
        place.Covers.Add(t.X + std::llround(corner.X), t.Y + std::llround(corner.Y));
    }
    return place;
}

// Every object of a container with what it covers, kind by kind in the store's order.
template <typename Each>
void EachObjectOf(const StoredPrimitives& p, const BoardStore& board, std::uint32_t container,
                  const Each& each) {
    const auto kind = [&](const auto& column, StoredKind what, const auto& place) {
        for (std::size_t i = 0; i < column.size(); ++i) {
            const auto& record = column.RecordAt(i);
            each(place(record), StoredObject{container, what, std::uint32_t(i), record.Line});
        }
    };
    const auto plain = [](const auto& record) { return PlaceOf(record); };
    kind(p.Tracks, StoredKind::Track, plain);
    kind(p.Vias, StoredKind::Via, plain);
    kind(p.Pads, StoredKind::Pad, plain);
    kind(p.Arcs, StoredKind::Arc, plain);
    kind(p.Fills, StoredKind::Fill, plain);
    kind(p.Texts, StoredKind::Text,
         [&](const stored::TextRecord& t) { return PlaceOf(t, board.String(t.Content).size()); });
}

// Every object of the board that covers anything: the primitives and the components' texts (a
// component's own place is where its pads are, or its texts).
template <typename Each> void EachObject(const BoardStore& board, const Each& each) {
    EachObjectOf(board.Free(), board, 0, each);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        const auto container = std::uint32_t(i + 1);
        EachObjectOf(board.ChildrenOf(i), board, container, each);
        const stored::ComponentRecord& c = board.ComponentRecordAt(i);
        for (const auto& [has, text, kind] :
             {std::tuple{c.HasDesignatorText, &c.DesignatorText, StoredKind::DesignatorText},
              std::tuple{c.HasCommentText, &c.CommentText, StoredKind::CommentText}}) {
            if (has) {
                each(PlaceOf(*text, board.String(text->Content).size()),
                     StoredObject{container, kind, 0, text->Line});
            }
        }
    }
}

BulkBox BoxOf(const Extent& e) {
    return {double(e.MinX()), double(e.MinY()), double(e.MaxX()), double(e.MaxY())};
}

} // namespace

BoardExtent FindBoardExtent(const BoardStore& board) {
    BulkFinder finder;
    Extent all;
    EachObject(board, [&](const ObjectPlace& place, const StoredObject&) {
        finder.Add(BoxOf(place.Covers), place.AnchorList());
        all.Add(place.Covers);
    });
    BoardExtent extent;
    const std::optional<BoardBulk> bulk = finder.Bulk();
    extent.Near = bulk;
    if (!bulk) {
        return extent;
    }
    // The bulk's extent is made of objects' own ends, whole host units.
    extent.Bulk.Add(std::int64_t(bulk->Extent.MinX), std::int64_t(bulk->Extent.MinY));
    extent.Bulk.Add(std::int64_t(bulk->Extent.MaxX), std::int64_t(bulk->Extent.MaxY));
    if (bulk->IsNear(BoxOf(all))) {
        return extent; // nothing is far
    }
    EachObject(board, [&](const ObjectPlace& place, const StoredObject& object) {
        if (!bulk->IsNear(BoxOf(place.Covers))) {
            extent.Far.push_back(object);
        }
    });
    return extent;
}

Extent FallbackOutline(const Extent& board) {
    Extent outline;
    if (board.Empty()) {
        outline.Add(0, 0);
        outline.Add(EmptyBoardSide, EmptyBoardSide);
        return outline;
    }
    const auto down = [](std::int64_t v) {
        const std::int64_t q = v / HostUnitsPerMil - (v % HostUnitsPerMil < 0 ? 1 : 0);
        return q * HostUnitsPerMil;
    };
    const auto up = [&](std::int64_t v) { return -down(-v); };
    outline.Add(down(board.MinX() - FallbackMargin), down(board.MinY() - FallbackMargin));
    outline.Add(up(board.MaxX() + FallbackMargin), up(board.MaxY() + FallbackMargin));
    return outline;
}

EdgeOutline FindEdgeOutline(const Primitives& free, const std::string& edgeLayer,
                            const SheetPlacement& sheet) {
    Board board;
    board.Free = free;
    return FindEdgeOutline(StoreOf(board).Free(), edgeLayer, sheet);
}

EdgeOutline FindEdgeOutline(const StoredPrimitives& free, const std::string& edgeLayer,
                            const SheetPlacement& sheet) {
    EdgeOutline outline;
    outline.Tracks.assign(free.Tracks.size(), false);
    outline.Arcs.assign(free.Arcs.size(), false);
    std::vector<OutlineLink> links;
    std::vector<OutlineLoop> loops;
    for (std::size_t i = 0; i < free.Tracks.size(); ++i) {
        const Track& t = free.Tracks[i];
        const SheetPoint from = sheet.At(t.X1, t.Y1), to = sheet.At(t.X2, t.Y2);
        if (t.Layer == edgeLayer && from != to) {
            links.push_back({false, i, from, to, {}});
        }
    }
    for (std::size_t i = 0; i < free.Arcs.size(); ++i) {
        if (free.Arcs[i].Layer != edgeLayer) {
            continue;
        }
        const SheetArc arc = ArcOnSheet(sheet, free.Arcs[i]);
        if (arc.Degenerate) {
            continue;
        }
        if (arc.FullCircle) {
            OutlineLoop circle;
            circle.Circle = true;
            circle.Centre = arc.Centre;
            circle.Radius = Nanometres(free.Arcs[i].Radius);
            circle.Take({arc.Centre.X - circle.Radius, arc.Centre.Y - circle.Radius});
            circle.Take({arc.Centre.X + circle.Radius, arc.Centre.Y + circle.Radius});
            circle.Members.emplace_back(true, i);
            loops.push_back(std::move(circle));
        } else {
            links.push_back({true, i, arc.Start, arc.End, arc.Mid});
        }
    }
    for (OutlineLoop& loop : ClosedLoops(links)) {
        loops.push_back(std::move(loop));
    }
    const std::vector<bool> inner = InnerLoops(loops);
    for (std::size_t i = 0; i < loops.size(); ++i) {
        if (inner[i]) {
            continue;
        }
        outline.Found = true;
        for (const auto& [isArc, index] : loops[i].Members) {
            (isArc ? outline.Arcs : outline.Tracks)[index] = true;
        }
    }
    return outline;
}

} // namespace corvane::cli::kicad
