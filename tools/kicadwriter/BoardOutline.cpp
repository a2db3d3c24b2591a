#include "kicadwriter/BoardOutline.h"

#include "kicadwriter/KicadArc.h"
#include "kicadwriter/OutlineLoops.h"
#include "textformat/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <numeric>
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

void AddText(const stored::TextRecord& t, std::size_t length, Extent& extent) {
    const double height = std::abs(double(t.Height));
    const double width = height * CharacterWidthPerHeight * double(length);
    const double radians =
        (std::isfinite(t.Rotation) ? t.Rotation : 0.0) * std::numbers::pi / 180.0;
    const double sign = t.Mirror ? -1 : 1;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{sign * width, 0.0},
                               std::pair{0.0, height}, std::pair{sign * width, height}}) {
        extent.Add(t.X + std::llround(x * std::cos(radians) - y * std::sin(radians)),
                   t.Y + std::llround(x * std::sin(radians) + y * std::cos(radians)));
    }
}

// A container's objects, read from their records.
void AddPrimitives(const StoredPrimitives& p, const BoardStore& board, Extent& extent) {
    for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
        const stored::TrackRecord& t = p.Tracks.RecordAt(i);
        extent.Add(t.X1, t.Y1, Half(t.Width));
        extent.Add(t.X2, t.Y2, Half(t.Width));
    }
    for (std::size_t i = 0; i < p.Vias.size(); ++i) {
        const stored::ViaRecord& v = p.Vias.RecordAt(i);
        extent.Add(v.X, v.Y, Half(v.Size));
    }
    for (std::size_t i = 0; i < p.Pads.size(); ++i) {
        const stored::PadRecord& pad = p.Pads.RecordAt(i);
        extent.Add(pad.X, pad.Y, Half(pad.XSize) + Half(pad.YSize));
    }
    for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
        const stored::ArcRecord& a = p.Arcs.RecordAt(i);
        extent.Add(a.X, a.Y, std::max<std::int64_t>(a.Radius, 0) + Half(a.Width));
    }
    for (std::size_t i = 0; i < p.Fills.size(); ++i) {
        const stored::FillRecord& f = p.Fills.RecordAt(i);
        // Turned about its centre, the fill stays within its half diagonal.
        const std::int64_t cx = (std::int64_t{f.X1} + f.X2) / 2;
        const std::int64_t cy = (std::int64_t{f.Y1} + f.Y2) / 2;
        const std::int64_t w = std::abs(std::int64_t{f.X2} - f.X1);
        const std::int64_t h = std::abs(std::int64_t{f.Y2} - f.Y1);
        extent.Add(cx, cy, w / 2 + h / 2 + 1);
    }
    for (std::size_t i = 0; i < p.Texts.size(); ++i) {
        const stored::TextRecord& t = p.Texts.RecordAt(i);
        AddText(t, board.String(t.Content).size(), extent);
    }
}

} // namespace

Extent BoardExtent(const BoardStore& board) {
    Extent extent;
    AddPrimitives(board.Free(), board, extent);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        AddPrimitives(board.ChildrenOf(i), board, extent);
        const stored::ComponentRecord& c = board.ComponentRecordAt(i);
        for (const auto& [has, text] : {std::pair{c.HasDesignatorText, &c.DesignatorText},
                                        std::pair{c.HasCommentText, &c.CommentText}}) {
            if (has) {
                AddText(*text, board.String(text->Content).size(), extent);
            }
        }
    }
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
