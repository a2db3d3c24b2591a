#pragma once
// The bulk of a board: where its objects lie together, leaving out a few far from the rest. One
// damaged value in a file can put an object metres away, and a sheet, frame or edge fitted around
// everything would then carry the whole board along; fitted around the bulk, only that object is
// off. docs/kicad-export.md describes the rule; in short, each axis on its own:
//
// - every object gives its anchor points (the ends of a line, the centre of a pad, ...) and its
//   extent (what it covers); the anchors fall into 4096 bins over the host's whole coordinate
//   range (about 0.1 inch each), and the bins they fill form runs parted by empty bins;
// - the bulk starts as the run that holds the median anchor and takes in the nearest run on
//   either side while the gap to it is at most the larger of 4 inches and the bulk's own length
//   (so that gaps inside a board are bridged, and a far object's are not);
// - an object is near when its extent lies within the bulk grown by that same gap on every side,
//   and far otherwise; the near objects' extents together are the board's extent.
//
// Anchors rather than extents find the bulk: a line from the board to a far point would
// otherwise bridge the gap it makes. Linear in the objects and in fixed memory (the bins keep
// the exact ends of the anchors and extents in them), so a writer that streams the board can use
// it as well as one that keeps it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace corvane::cli {

/// A point, in the unit the finder was made with.
struct BulkPoint {
    double X = 0, Y = 0;
};

/// A box in the unit the finder was made with (y up or down alike).
struct BulkBox {
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;

    bool Contains(const BulkBox& other) const {
        return other.MinX >= MinX && other.MaxX <= MaxX && other.MinY >= MinY && other.MaxY <= MaxY;
    }
    bool Contains(const BulkPoint& p) const {
        return p.X >= MinX && p.X <= MaxX && p.Y >= MinY && p.Y <= MaxY;
    }
    friend bool operator==(const BulkBox&, const BulkBox&) = default;
};

/// What the finder found.
struct BoardBulk {
    /// Where an object's extent must lie for the object to be near the rest.
    BulkBox Near;
    /// What the near objects cover: the board's own extent. Without a far object, what every
    /// object covers.
    BulkBox Extent;

    bool IsNear(const BulkBox& extent) const { return Near.Contains(extent); }
};

class BulkFinder {
public:
    /// unitsPerHostUnit: the unit of the points and boxes given, as a multiple of the host's
    /// (1/10000 mil): 1 for host units, 1e-4 for mils.
    explicit BulkFinder(double unitsPerHostUnit = 1);

    /// One object: what it covers (its corners in either order) and its anchor points.
    void Add(const BulkBox& extent, std::span<const BulkPoint> anchors);

    std::size_t Count() const { return count_; }

    /// Nothing without objects.
    std::optional<BoardBulk> Bulk() const;

private:
    // One axis: what the bins hold, and the bulk found from them.
    class Axis {
    public:
        explicit Axis(double unitsPerHostUnit);
        void AddAnchor(double value);
        void AddExtent(double low, double high);
        // The near range and the extent on the axis, given that objects were added.
        std::pair<std::pair<double, double>, std::pair<double, double>> Bulk() const;

    private:
        std::size_t Bin(double value) const;

        double origin_, binWidth_, minGap_;
        std::size_t anchors_ = 0;
        // Per bin: the anchors in it, the lowest and highest of them; the lowest start of the
        // extents that start in it, the highest end of those that end in it.
        std::vector<std::uint32_t> anchorCount_;
        std::vector<double> anchorLow_, anchorHigh_, extentLow_, extentHigh_;
    };

    std::size_t count_ = 0;
    Axis x_, y_;
};

} // namespace corvane::cli
