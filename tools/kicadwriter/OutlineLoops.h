#pragma once
// Closed outlines drawn with lines and arcs: the loops their ends make, and whether one lies
// inside another.

#include "kicadwriter/KicadSheet.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::cli::kicad {

/// A line or an arc between two points of the sheet (an arc with a point between).
struct OutlineLink {
    bool IsArc = false;
    std::size_t Index = 0; // into the free tracks or arcs
    SheetPoint From, To, Mid;
};

/// One closed outline: its links, its corner points in order, and its extent on the sheet; or a
/// whole circle.
struct OutlineLoop {
    std::vector<std::pair<bool, std::size_t>> Members; // (is an arc, index) of its tracks and arcs
    std::vector<SheetPoint> Points;
    bool Circle = false;
    SheetPoint Centre;
    std::int64_t Radius = 0;
    std::int64_t MinX = INT64_MAX, MinY = INT64_MAX, MaxX = INT64_MIN, MaxY = INT64_MIN;

    void Take(SheetPoint p);
    bool ContainsPoint(SheetPoint p) const;
    /// Within the other's extent, not the same extent, and a point of it inside the other.
    bool Inside(const OutlineLoop& outer) const;
};

/// The closed loops among the links: groups of links in which every point joins exactly two.
std::vector<OutlineLoop> ClosedLoops(const std::vector<OutlineLink>& links);

/// Which loops lie inside another (Inside), found through an index over their extents: as if
/// every pair were tested.
std::vector<bool> InnerLoops(const std::vector<OutlineLoop>& loops);

} // namespace corvane::cli::kicad
