#include "boardmodel/BoardBulk.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane::cli {
namespace {

// The host's coordinates are 32-bit: 2^32 host units, in bins of 2^20 (about 104.9 mil).
constexpr std::size_t BinCount = 4096;
constexpr double HostRange = 4294967296.0;
constexpr double HostLowest = -2147483648.0;
// A gap of up to this much (4 inches, in host units) is always bridged: boards of the format are
// rarely larger than a few of it, and a damaged value puts an object much farther away.
constexpr double SmallestFarGap = 4000.0 * 10000.0;
constexpr double Infinity = std::numeric_limits<double>::infinity();

struct Run {
    double Low = 0, High = 0;
};

// A value that is no number (no board holds one) counts as 0.
double Finite(double value) {
    return std::isnan(value) ? 0.0 : value;
}

} // namespace

BulkFinder::BulkFinder(double unitsPerHostUnit) : x_(unitsPerHostUnit), y_(unitsPerHostUnit) {}

void BulkFinder::Add(const BulkBox& extent, std::span<const BulkPoint> anchors) {
    x_.AddExtent(std::min(extent.MinX, extent.MaxX), std::max(extent.MinX, extent.MaxX));
    y_.AddExtent(std::min(extent.MinY, extent.MaxY), std::max(extent.MinY, extent.MaxY));
    for (const BulkPoint& p : anchors) {
        x_.AddAnchor(p.X);
        y_.AddAnchor(p.Y);
    }
    ++count_;
}

std::optional<BoardBulk> BulkFinder::Bulk() const {
    if (count_ == 0) {
        return std::nullopt;
    }
    const auto [nearX, extentX] = x_.Bulk();
    const auto [nearY, extentY] = y_.Bulk();
    return BoardBulk{{nearX.first, nearY.first, nearX.second, nearY.second},
                     {extentX.first, extentY.first, extentX.second, extentY.second}};
}

BulkFinder::Axis::Axis(double unitsPerHostUnit)
    : origin_(HostLowest * unitsPerHostUnit), binWidth_(HostRange * unitsPerHostUnit / BinCount),
      minGap_(SmallestFarGap * unitsPerHostUnit), anchorCount_(BinCount, 0),
      anchorLow_(BinCount, Infinity), anchorHigh_(BinCount, -Infinity),
      extentLow_(BinCount, Infinity), extentHigh_(BinCount, -Infinity) {}

std::size_t BulkFinder::Axis::Bin(double value) const {
    // Beyond the host's range (an extent grown by a width): the end bins.
    const double bin = std::floor((value - origin_) / binWidth_);
    if (!(bin >= 0)) {
        return 0;
    }
    return bin >= double(BinCount) ? BinCount - 1 : std::size_t(bin);
}

void BulkFinder::Axis::AddAnchor(double value) {
    value = Finite(value);
    const std::size_t bin = Bin(value);
    ++anchorCount_[bin];
    ++anchors_;
    anchorLow_[bin] = std::min(anchorLow_[bin], value);
    anchorHigh_[bin] = std::max(anchorHigh_[bin], value);
}

void BulkFinder::Axis::AddExtent(double low, double high) {
    low = Finite(low);
    high = Finite(high);
    const std::size_t first = Bin(low), last = Bin(high);
    extentLow_[first] = std::min(extentLow_[first], low);
    extentHigh_[last] = std::max(extentHigh_[last], high);
}

std::pair<std::pair<double, double>, std::pair<double, double>> BulkFinder::Axis::Bulk() const {
    // The runs of bins holding anchors, and the run of the median anchor.
    std::vector<Run> runs;
    std::size_t medianRun = 0;
    const std::size_t median = (anchors_ + 1) / 2;
    std::size_t anchorsSoFar = 0;
    for (std::size_t bin = 0; bin < BinCount; ++bin) {
        if (anchorCount_[bin] == 0) {
            continue;
        }
        if (bin == 0 || anchorCount_[bin - 1] == 0) {
            runs.push_back({anchorLow_[bin], anchorHigh_[bin]});
        }
        runs.back().High = anchorHigh_[bin];
        const bool beforeMedian = anchorsSoFar < median;
        anchorsSoFar += anchorCount_[bin];
        if (beforeMedian && anchorsSoFar >= median) {
            medianRun = runs.size() - 1;
        }
    }
    if (runs.empty()) {
        runs.push_back({0, 0}); // objects without anchors: around the origin
    }
    // Grow from the median's run, nearest gap first, while the gap is small beside the bulk.
    std::size_t left = medianRun, right = medianRun;
    double low = runs[medianRun].Low, high = runs[medianRun].High;
    for (;;) {
        const double gapLeft = left > 0 ? low - runs[left - 1].High : Infinity;
        const double gapRight = right + 1 < runs.size() ? runs[right + 1].Low - high : Infinity;
        if (!(std::min(gapLeft, gapRight) <= std::max(minGap_, high - low))) {
            break;
        }
        if (gapLeft <= gapRight) {
            low = runs[--left].Low;
        } else {
            high = runs[++right].High;
        }
    }
    const double allowance = std::max(minGap_, high - low);
    const double nearLow = low - allowance, nearHigh = high + allowance;
    // The extent: the lowest start and the highest end within the near range (at the bins of its
    // two ends only the bins' extremes are known, which may lie outside it; such a bin is then
    // passed over, a difference of less than a bin far from every anchor of the bulk).
    double extentLow = Infinity, extentHigh = -Infinity;
    for (std::size_t bin = Bin(nearLow); bin <= Bin(nearHigh); ++bin) {
        if (extentLow_[bin] >= nearLow && extentLow_[bin] <= nearHigh) {
            extentLow = std::min(extentLow, extentLow_[bin]);
        }
        if (extentHigh_[bin] >= nearLow && extentHigh_[bin] <= nearHigh) {
            extentHigh = std::max(extentHigh, extentHigh_[bin]);
        }
    }
    if (!(extentLow <= extentHigh)) {
        extentLow = low;
        extentHigh = high;
    }
    return {{nearLow, nearHigh}, {extentLow, extentHigh}};
}

} // namespace corvane::cli
