#pragma once
// Where the board lies on KiCad's sheet. The host's y axis points up and KiCad's down, and KiCad
// draws its sheet from (0, 0) to the lower right: a host point (x, y) goes to
// (x - Left, Top - y) with the sheet's upper left corner (Left, Top) in host coordinates.

#include <cstdint>
#include <string>

namespace corvane::cli::kicad {

/// A rectangle in host units (1/10000 mil, y up) that grows as points are added; empty at first.
class Extent {
public:
    /// The point, grown by reach on every side.
    void Add(std::int64_t x, std::int64_t y, std::int64_t reach = 0);
    void Add(const Extent& other);
    bool Empty() const { return minX_ > maxX_; }
    std::int64_t MinX() const { return minX_; }
    std::int64_t MinY() const { return minY_; }
    std::int64_t MaxX() const { return maxX_; }
    std::int64_t MaxY() const { return maxY_; }

private:
    std::int64_t minX_ = INT64_MAX, minY_ = INT64_MAX;
    std::int64_t maxX_ = INT64_MIN, maxY_ = INT64_MIN;
};

/// A point on the sheet in nanometres, y down.
struct SheetPoint {
    std::int64_t X = 0, Y = 0;
    friend bool operator==(const SheetPoint&, const SheetPoint&) = default;
};

/// Whether KiCad holds the point as it is: each coordinate within MaxNanometres (Units.h).
bool InReach(SheetPoint p);
/// The point with each coordinate brought within KiCad's reach.
SheetPoint WithinReach(SheetPoint p);

/// A point of a footprint relative to the footprint's position, turned back by its orientation
/// (degrees, counter-clockwise): KiCad turns it by the orientation and adds the position when it
/// loads the board. Exact at quarter turns; not brought within KiCad's reach.
SheetPoint FootprintOffset(SheetPoint origin, double orientation, SheetPoint p);

class SheetPlacement {
public:
    /// The smallest landscape ISO sheet, A4 to A0, that holds the board with 10 mm to spare on
    /// every side (A0 for anything larger), with the board centred on it. The sheet's corner lies
    /// on the 100 mil grid of the host's coordinates, so a board drawn on a grid of the host stays
    /// on the same grid in KiCad. A board too large for KiCad's reach from the corner of its A0
    /// sheet has the corner at its centre instead, where that reach holds the most of it.
    static SheetPlacement Around(const Extent& board);

    /// A host point (host units) on the sheet (nanometres), whether in KiCad's reach or not.
    SheetPoint At(std::int64_t x, std::int64_t y) const;

    /// The paper's name: "A4", "A3", "A2", "A1" or "A0".
    const std::string& Paper() const { return paper_; }
    /// The sheet's upper left corner in host units.
    std::int64_t Left() const { return left_; }
    std::int64_t Top() const { return top_; }

private:
    SheetPlacement(std::string paper, std::int64_t left, std::int64_t top)
        : paper_(std::move(paper)), left_(left), top_(top) {}

    std::string paper_;
    std::int64_t left_ = 0, top_ = 0;
};

} // namespace corvane::cli::kicad
