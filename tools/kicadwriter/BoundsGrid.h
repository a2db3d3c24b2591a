#pragma once
// A spatial index of boxes: a square grid whose cells go into buckets by a hash. Each box is
// listed in the bucket of every cell it overlaps, so two boxes that overlap share a bucket, and a
// box that holds a point is in the bucket of the point's cell. Used to choose the pairs of copper
// pieces to test and the outlines that may hold another.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace corvane::cli::kicad {

/// A box in floats, rounded outwards from what it bounds: it only chooses what to test.
struct Bounds {
    float MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;

    bool Overlaps(const Bounds& o) const {
        return o.MinX <= MaxX && MinX <= o.MaxX && o.MinY <= MaxY && MinY <= o.MaxY;
    }
};

/// The nearest float at or below, at or above a value.
inline float FloatBelow(double value) {
    const auto f = static_cast<float>(value);
    return double(f) > value ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}

inline float FloatAbove(double value) {
    const auto f = static_cast<float>(value);
    return double(f) < value ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

class BoundsGrid {
public:
    /// Cells as large as the median box, larger while the boxes would lie in more than two cells
    /// each on average (both taken from a sample of the boxes): the cells hold a few boxes each
    /// and the boxes a few cells each. (At 10^6 records two cells a box took less time and memory
    /// than eight: fewer cell entries, and few more pairs to test.) Buckets: the power of two at
    /// or above the number of boxes.
    template <typename BoundsAt> BoundsGrid(std::size_t count, const BoundsAt& boundsAt) {
        if (count == 0) {
            starts_.assign(2, 0);
            return;
        }
        Size(count, boundsAt);
        while (bucketMask_ + 1 < count) {
            bucketMask_ = bucketMask_ * 2 + 1;
        }
        // Each box's buckets in the order of the boxes, then sorted by bucket a few bits at a
        // time: the buckets of the boxes lie anywhere, and a scatter into all of them at once
        // would wait on memory at every entry.
        std::vector<std::uint64_t> sorted;
        sorted.reserve(entries_);
        for (std::size_t i = 0; i < count; ++i) {
            EachBucket(boundsAt(i), [&](std::size_t bucket) {
                sorted.push_back(std::uint64_t(bucket) << 32 | std::uint64_t(i));
            });
        }
        SortByBucket(sorted);
        starts_.assign(bucketMask_ + 2, 0);
        members_.resize(sorted.size());
        for (std::size_t e = 0; e < sorted.size(); ++e) {
            ++starts_[std::size_t(sorted[e] >> 32) + 1];
            members_[e] = std::uint32_t(sorted[e]);
        }
        for (std::size_t b = 0; b <= bucketMask_; ++b) {
            starts_[b + 1] += starts_[b];
        }
    }

    std::size_t BucketCount() const { return starts_.size() - 1; }

    /// The boxes of a bucket, by their numbers; a box of two cells of one bucket is there twice.
    std::span<const std::uint32_t> Bucket(std::size_t bucket) const {
        return {members_.data() + starts_[bucket], members_.data() + starts_[bucket + 1]};
    }

    /// The bucket of the cell that holds a point.
    std::size_t BucketOf(float x, float y) const { return BucketOfCell(Column(x), Row(y)); }

private:
    // By the cell's inverse: the same value gives the same column whether a box or a point.
    std::int32_t Column(double x) const { return Floor((x - minX_) * perCell_); }
    std::int32_t Row(double y) const { return Floor((y - minY_) * perCell_); }

    // The cells are counted in 32 bits (below 2^30 from the lowest box): no call to the
    // library's floor, which is most of what finding a cell costs.
    static std::int32_t Floor(double v) {
        const auto t = static_cast<std::int64_t>(v);
        return std::int32_t(t - (v < double(t) ? 1 : 0));
    }

    double CellsOf(const Bounds& b) const {
        return double(Column(b.MaxX) - Column(b.MinX) + 1) * double(Row(b.MaxY) - Row(b.MinY) + 1);
    }

    std::size_t BucketOfCell(std::int32_t column, std::int32_t row) const {
        std::uint64_t key =
            std::uint64_t(std::uint32_t(column)) << 32 | std::uint64_t(std::uint32_t(row));
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return std::size_t(key & bucketMask_);
    }

    template <typename Take> void EachBucket(const Bounds& b, const Take& take) const {
        for (std::int32_t column = Column(b.MinX); column <= Column(b.MaxX); ++column) {
            for (std::int32_t row = Row(b.MinY); row <= Row(b.MaxY); ++row) {
                take(BucketOfCell(column, row));
            }
        }
    }

    template <typename BoundsAt> void Size(std::size_t count, const BoundsAt& boundsAt) {
        minX_ = minY_ = std::numeric_limits<double>::max();
        double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
        for (std::size_t i = 0; i < count; ++i) {
            const Bounds b = boundsAt(i);
            minX_ = std::min(minX_, double(b.MinX));
            minY_ = std::min(minY_, double(b.MinY));
            maxX = std::max(maxX, double(b.MaxX));
            maxY = std::max(maxY, double(b.MaxY));
        }
        // The cell's size is taken from a sample of the boxes, spread over all of them.
        const std::size_t step = std::max<std::size_t>(1, count / SampledBoxes);
        std::vector<Bounds> sample;
        for (std::size_t i = 0; i < count; i += step) {
            sample.push_back(boundsAt(i));
        }
        std::vector<double> extents;
        for (const Bounds& b : sample) {
            extents.push_back(std::max(double(b.MaxX) - b.MinX, double(b.MaxY) - b.MinY));
        }
        const auto middle = extents.begin() + std::ptrdiff_t(extents.size() / 2);
        std::nth_element(extents.begin(), middle, extents.end());
        SetCell(std::max(*middle, 1.0));
        // Columns and rows are kept in 32 bits.
        constexpr double MaxCells = 1 << 30;
        while ((maxX - minX_) / cell_ >= MaxCells || (maxY - minY_) / cell_ >= MaxCells) {
            SetCell(cell_ * 2);
        }
        constexpr double CellsPerBox = 2;
        const auto fits = [&](double cells, std::size_t boxes) {
            return cells <= CellsPerBox * double(boxes);
        };
        while (!fits(CellsOfAll(sample.size(), [&](std::size_t i) { return sample[i]; }),
                     sample.size())) {
            SetCell(cell_ * 2);
        }
        // Then for all of them: a box the sample missed may be larger than all it holds (one
        // fill over the whole board among a million pads).
        double all = CellsOfAll(count, boundsAt);
        while (!fits(all, count)) {
            SetCell(cell_ * 2);
            all = CellsOfAll(count, boundsAt);
        }
        entries_ = std::size_t(all);
    }

    template <typename BoundsAt>
    double CellsOfAll(std::size_t count, const BoundsAt& boundsAt) const {
        double cells = 0;
        for (std::size_t i = 0; i < count; ++i) {
            cells += CellsOf(boundsAt(i));
        }
        return cells;
    }

    // A sort by the bucket in the high half, stable, eleven bits a pass: each pass scatters into
    // at most 2048 places, which stay in the caches.
    void SortByBucket(std::vector<std::uint64_t>& entries) const {
        constexpr unsigned Bits = 11;
        std::vector<std::uint64_t> other(entries.size());
        for (unsigned shift = 32; shift < 64 && (bucketMask_ >> (shift - 32)) != 0; shift += Bits) {
            std::vector<std::size_t> places((1U << Bits) + 1, 0);
            for (const std::uint64_t e : entries) {
                ++places[((e >> shift) & ((1U << Bits) - 1)) + 1];
            }
            for (std::size_t d = 1; d < places.size(); ++d) {
                places[d] += places[d - 1];
            }
            for (const std::uint64_t e : entries) {
                other[places[(e >> shift) & ((1U << Bits) - 1)]++] = e;
            }
            entries.swap(other);
        }
    }

    void SetCell(double cell) {
        cell_ = cell;
        perCell_ = 1 / cell;
    }

    static constexpr std::size_t SampledBoxes = 1 << 16;

    double cell_ = 1, perCell_ = 1, minX_ = 0, minY_ = 0;
    std::size_t bucketMask_ = 0;
    std::size_t entries_ = 0;            // cells of all the boxes
    std::vector<std::uint32_t> starts_;  // first entry of each bucket, and the end
    std::vector<std::uint32_t> members_; // the boxes of the buckets, bucket after bucket
};

} // namespace corvane::cli::kicad
