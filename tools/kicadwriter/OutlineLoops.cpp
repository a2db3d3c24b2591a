#include "kicadwriter/OutlineLoops.h"

#include "kicadwriter/BoundsGrid.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <tuple>

namespace corvane::cli::kicad {
namespace {

struct PointLess {
    bool operator()(const SheetPoint& a, const SheetPoint& b) const {
        return a.X != b.X ? a.X < b.X : a.Y < b.Y;
    }
};

Bounds BoundsOf(const OutlineLoop& loop) {
    return {FloatBelow(double(loop.MinX)), FloatBelow(double(loop.MinY)),
            FloatAbove(double(loop.MaxX)), FloatAbove(double(loop.MaxY))};
}

auto ExtentOf(const OutlineLoop& loop) {
    return std::tie(loop.MinX, loop.MinY, loop.MaxX, loop.MaxY);
}

// Whether the inner loop's extent lies within the outer one's and is not the same.
bool Encloses(const OutlineLoop& outer, const OutlineLoop& inner) {
    return inner.MinX >= outer.MinX && inner.MaxX <= outer.MaxX && inner.MinY >= outer.MinY &&
           inner.MaxY <= outer.MaxY && ExtentOf(inner) != ExtentOf(outer);
}

} // namespace

void OutlineLoop::Take(SheetPoint p) {
    MinX = std::min(MinX, p.X), MaxX = std::max(MaxX, p.X);
    MinY = std::min(MinY, p.Y), MaxY = std::max(MaxY, p.Y);
}

bool OutlineLoop::ContainsPoint(SheetPoint p) const {
    if (Circle) {
        return std::hypot(double(p.X - Centre.X), double(p.Y - Centre.Y)) < double(Radius);
    }
    bool inside = false;
    for (std::size_t i = 0, j = Points.size() - 1; i < Points.size(); j = i++) {
        const SheetPoint a = Points[i], b = Points[j];
        if ((a.Y > p.Y) != (b.Y > p.Y) &&
            double(p.X) < double(b.X - a.X) * double(p.Y - a.Y) / double(b.Y - a.Y) + double(a.X)) {
            inside = !inside;
        }
    }
    return inside;
}

bool OutlineLoop::Inside(const OutlineLoop& outer) const {
    return MinX >= outer.MinX && MaxX <= outer.MaxX && MinY >= outer.MinY && MaxY <= outer.MaxY &&
           (MinX != outer.MinX || MaxX != outer.MaxX || MinY != outer.MinY || MaxY != outer.MaxY) &&
           outer.ContainsPoint(Circle ? SheetPoint{Centre.X + Radius, Centre.Y} : Points[0]);
}

std::vector<OutlineLoop> ClosedLoops(const std::vector<OutlineLink>& links) {
    std::map<SheetPoint, std::vector<std::size_t>, PointLess> ends;
    for (std::size_t i = 0; i < links.size(); ++i) {
        ends[links[i].From].push_back(i);
        ends[links[i].To].push_back(i);
    }
    std::vector<bool> used(links.size(), false);
    std::vector<OutlineLoop> loops;
    for (std::size_t first = 0; first < links.size(); ++first) {
        if (used[first]) {
            continue;
        }
        // Walk from link to link through points that join exactly two.
        OutlineLoop loop;
        std::size_t current = first;
        SheetPoint at = links[first].From;
        bool closed = false;
        std::vector<std::size_t> walked;
        while (true) {
            used[current] = true;
            walked.push_back(current);
            const OutlineLink& link = links[current];
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

std::vector<bool> InnerLoops(const std::vector<OutlineLoop>& loops) {
    std::vector<bool> inner(loops.size(), false);
    if (loops.size() < 2) {
        return inner;
    }
    // Loops of one extent are never inside each other: the index holds each extent once, with
    // its loops, so that a pile of equal loops costs what one does.
    std::vector<std::size_t> order(loops.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto ea = ExtentOf(loops[a]), eb = ExtentOf(loops[b]);
        return ea != eb ? ea < eb : a < b;
    });
    std::vector<std::size_t> firsts; // where each extent's loops start in the order, and the end
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || ExtentOf(loops[order[i]]) != ExtentOf(loops[order[i - 1]])) {
            firsts.push_back(i);
        }
    }
    firsts.push_back(order.size());
    const std::size_t extents = firsts.size() - 1;
    const auto loopAt = [&](std::size_t extent) -> const OutlineLoop& {
        return loops[order[firsts[extent]]];
    };
    const BoundsGrid grid(extents, [&](std::size_t e) { return BoundsOf(loopAt(e)); });
    // An outer loop holds the lowest corner of the inner one's extent: it is in that cell.
    for (std::size_t i = 0; i < loops.size(); ++i) {
        const Bounds box = BoundsOf(loops[i]);
        for (const std::uint32_t e : grid.Bucket(grid.BucketOf(box.MinX, box.MinY))) {
            if (!Encloses(loopAt(e), loops[i])) {
                continue;
            }
            for (std::size_t k = firsts[e]; k < firsts[e + 1] && !inner[i]; ++k) {
                inner[i] = loops[i].Inside(loops[order[k]]);
            }
            if (inner[i]) {
                break;
            }
        }
    }
    return inner;
}

} // namespace corvane::cli::kicad
