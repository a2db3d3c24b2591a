#include "kicadwriter/BoardOutline.h"

#include "boardmodel/BoardBulk.h"
#include "kicadwriter/KicadArc.h"
#include "textformat/Units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <numeric>
#include <span>
#include <utility>

namespace corvane::cli::kicad {

using namespace units;
namespace {

constexpr std::int64_t FallbackMargin = 50 * HostUnitsPerMil;
constexpr std::int64_t EmptyBoardSide = 1000 * HostUnitsPerMil;
// A character of a text is taken as this wide for its height.
constexpr double CharacterWidthPerHeight = 0.75;

std::int64_t Half(std::int64_t size) {
    return std::abs(size) / 2 + 1;
}

// What one object covers, and the points that place it: the ends of a line or a fill, the
// centre of anything else, a text's own point.
struct ObjectPlace {
    Extent Covers;
    std::array<BulkPoint, 2> Anchors{};
    std::size_t AnchorCount = 1;

    std::span<const BulkPoint> AnchorList() const { return {Anchors.data(), AnchorCount}; }
};

BulkPoint Anchor(std::int64_t x, std::int64_t y) {
    return {double(x), double(y)};
}

ObjectPlace PlaceOf(const Track& t) {
    ObjectPlace place{{}, {Anchor(t.X1, t.Y1), Anchor(t.X2, t.Y2)}, 2};
    place.Covers.Add(t.X1, t.Y1, Half(t.Width));
    place.Covers.Add(t.X2, t.Y2, Half(t.Width));
    return place;
}

ObjectPlace PlaceOf(const Via& v) {
    ObjectPlace place{{}, {Anchor(v.X, v.Y)}, 1};
    place.Covers.Add(v.X, v.Y, Half(v.Size));
    return place;
}

ObjectPlace PlaceOf(const Pad& pad) {
    ObjectPlace place{{}, {Anchor(pad.X, pad.Y)}, 1};
    place.Covers.Add(pad.X, pad.Y, Half(pad.XSize) + Half(pad.YSize));
    return place;
}

ObjectPlace PlaceOf(const Arc& a) {
    ObjectPlace place{{}, {Anchor(a.X, a.Y)}, 1};
    place.Covers.Add(a.X, a.Y, std::max<std::int64_t>(a.Radius, 0) + Half(a.Width));
    return place;
}

ObjectPlace PlaceOf(const Fill& f) {
    // Turned about its centre, the fill stays within its half diagonal.
    const std::int64_t cx = (std::int64_t{f.X1} + f.X2) / 2;
    const std::int64_t cy = (std::int64_t{f.Y1} + f.Y2) / 2;
    const std::int64_t w = std::abs(std::int64_t{f.X2} - f.X1);
    const std::int64_t h = std::abs(std::int64_t{f.Y2} - f.Y1);
    ObjectPlace place{{}, {Anchor(f.X1, f.Y1), Anchor(f.X2, f.Y2)}, 2};
    place.Covers.Add(cx, cy, w / 2 + h / 2 + 1);
    return place;
}

ObjectPlace PlaceOf(const Text& t) {
    ObjectPlace place{{}, {Anchor(t.X, t.Y)}, 1};
    const double height = std::abs(double(t.Height));
    const double width = height * CharacterWidthPerHeight * double(t.Content.size());
    const double radians =
        (std::isfinite(t.Rotation) ? t.Rotation : 0.0) * std::numbers::pi / 180.0;
    const double sign = t.Mirror ? -1 : 1;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{sign * width, 0.0},
                               std::pair{0.0, height}, std::pair{sign * width, height}}) {
        place.Covers.Add(t.X + std::llround(x * std::cos(radians) - y * std::sin(radians)),
                         t.Y + std::llround(x * std::sin(radians) + y * std::cos(radians)));
    }
    return place;
}

// Every object of a container with what it covers, kind by kind in the store's order.
template <typename Each>
void EachObjectOf(const StoredPrimitives& p, std::uint32_t container, const Each& each) {
    const auto kind = [&](const auto& column, StoredKind what) {
        for (std::size_t i = 0; i < column.size(); ++i) {
            const auto object = column[i];
            each(PlaceOf(object), StoredObject{container, what, std::uint32_t(i), object.Line});
        }
    };
    kind(p.Tracks, StoredKind::Track);
    kind(p.Vias, StoredKind::Via);
    kind(p.Pads, StoredKind::Pad);
    kind(p.Arcs, StoredKind::Arc);
    kind(p.Fills, StoredKind::Fill);
    kind(p.Texts, StoredKind::Text);
}

// Every object of the board that covers anything: the primitives and the components' texts (a
// component's own place is where its pads are, or its texts).
template <typename Each> void EachObject(const BoardStore& board, const Each& each) {
    EachObjectOf(board.Free(), 0, each);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        const auto container = std::uint32_t(i + 1);
        EachObjectOf(board.ChildrenOf(i), container, each);
        const stored::ComponentRecord& c = board.ComponentRecordAt(i);
        if (c.HasDesignatorText) {
            each(PlaceOf(board.Expand(c.DesignatorText)),
                 StoredObject{container, StoredKind::DesignatorText, 0, c.DesignatorText.Line});
        }
        if (c.HasCommentText) {
            each(PlaceOf(board.Expand(c.CommentText)),
                 StoredObject{container, StoredKind::CommentText, 0, c.CommentText.Line});
        }
    }
}

BulkBox BoxOf(const Extent& e) {
    return {double(e.MinX()), double(e.MinY()), double(e.MaxX()), double(e.MaxY())};
}

// An edge of the graph of line ends: a track or an arc, between two points of the sheet.
struct Link {
    bool IsArc = false;
    std::size_t Index = 0;
    SheetPoint From, To, Mid;
};

struct PointLess {
    bool operator()(const SheetPoint& a, const SheetPoint& b) const {
        return a.X != b.X ? a.X < b.X : a.Y < b.Y;
    }
};

// One closed outline: its links, its corner points in order, and its extent on the sheet.
struct Loop {
    std::vector<std::pair<bool, std::size_t>> Members; // (is an arc, index) of its tracks and arcs
    std::vector<SheetPoint> Points;
    bool Circle = false;
    SheetPoint Centre;
    std::int64_t Radius = 0;
    std::int64_t MinX = INT64_MAX, MinY = INT64_MAX, MaxX = INT64_MIN, MaxY = INT64_MIN;

    void Take(SheetPoint p) {
        MinX = std::min(MinX, p.X), MaxX = std::max(MaxX, p.X);
        MinY = std::min(MinY, p.Y), MaxY = std::max(MaxY, p.Y);
    }

    bool ContainsPoint(SheetPoint p) const {
        if (Circle) {
            return std::hypot(double(p.X - Centre.X), double(p.Y - Centre.Y)) < double(Radius);
        }
        bool inside = false;
        for (std::size_t i = 0, j = Points.size() - 1; i < Points.size(); j = i++) {
            const SheetPoint a = Points[i], b = Points[j];
            if ((a.Y > p.Y) != (b.Y > p.Y) &&
                double(p.X) <
                    double(b.X - a.X) * double(p.Y - a.Y) / double(b.Y - a.Y) + double(a.X)) {
                inside = !inside;
            }
        }
        return inside;
    }

    bool Inside(const Loop& outer) const {
        return MinX >= outer.MinX && MaxX <= outer.MaxX && MinY >= outer.MinY &&
               MaxY <= outer.MaxY &&
               (MinX != outer.MinX || MaxX != outer.MaxX || MinY != outer.MinY ||
                MaxY != outer.MaxY) &&
               outer.ContainsPoint(Circle ? SheetPoint{Centre.X + Radius, Centre.Y} : Points[0]);
    }
};

// The closed loops among the links: groups of links in which every point joins exactly two.
std::vector<Loop> ClosedLoops(const std::vector<Link>& links) {
    std::map<SheetPoint, std::vector<std::size_t>, PointLess> ends;
    for (std::size_t i = 0; i < links.size(); ++i) {
        ends[links[i].From].push_back(i);
        ends[links[i].To].push_back(i);
    }
    std::vector<bool> used(links.size(), false);
    std::vector<Loop> loops;
    for (std::size_t first = 0; first < links.size(); ++first) {
        if (used[first]) {
            continue;
        }
        // Walk from link to link through points that join exactly two.
        Loop loop;
        std::size_t current = first;
        SheetPoint at = links[first].From;
        bool closed = false;
        std::vector<std::size_t> walked;
        while (true) {
            used[current] = true;
            walked.push_back(current);
            const Link& link = links[current];
            const SheetPoint next = link.From == at ? link.To : link.From;
            loop.Points.push_back(at);
            if (link.IsArc) {
                loop.Points.push_back(link.Mid);
            }
            at = next;
            const std::vector<std::size_t>& here = ends[at];
            if (here.size() != 2) {
                break;
            }
            const std::size_t following = here[0] == current ? here[1] : here[0];
            if (following == first) {
                closed = true;
                break;
            }
            if (used[following]) {
                break;
            }
            current = following;
        }
        if (!closed || ends[links[first].From].size() != 2) {
            continue;
        }
        for (const std::size_t i : walked) {
            loop.Members.emplace_back(links[i].IsArc, links[i].Index);
        }
        for (const SheetPoint& p : loop.Points) {
            loop.Take(p);
        }
        loops.push_back(std::move(loop));
    }
    return loops;
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
    std::vector<Link> links;
    std::vector<Loop> loops;
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
            Loop circle;
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
    for (Loop& loop : ClosedLoops(links)) {
        loops.push_back(std::move(loop));
    }
    for (const Loop& loop : loops) {
        const bool inner = std::any_of(loops.begin(), loops.end(), [&](const Loop& other) {
            return &other != &loop && loop.Inside(other);
        });
        if (inner) {
            continue;
        }
        outline.Found = true;
        for (const auto& [isArc, index] : loop.Members) {
            (isArc ? outline.Arcs : outline.Tracks)[index] = true;
        }
    }
    return outline;
}

} // namespace corvane::cli::kicad
