#include "kicadwriter/KicadSheet.h"

#include "boardfacts/QuarterTurn.h"
#include "textformat/Units.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvane::cli::kicad {

using namespace units;
namespace {

struct PaperSize {
    const char* Name;
    std::int64_t WidthMm, HeightMm; // landscape
};

// ISO 216, from the smallest.
constexpr std::array<PaperSize, 5> Papers = {
    {{"A4", 297, 210}, {"A3", 420, 297}, {"A2", 594, 420}, {"A1", 841, 594}, {"A0", 1189, 841}}};
constexpr std::int64_t MarginMm = 10;
constexpr std::int64_t NanometresPerMm = 1'000'000;
// The sheet's corner snaps to this grid of host coordinates: 100 mil.
constexpr std::int64_t CornerGrid = 100 * HostUnitsPerMil;

// Nanometres to host units, near enough for placing the sheet.
std::int64_t HostUnits(std::int64_t nanometres) {
    return nanometres * 100 / 254;
}

std::int64_t NearestOnGrid(std::int64_t value) {
    const std::int64_t shifted = value + CornerGrid / 2;
    const std::int64_t below = shifted / CornerGrid - (shifted % CornerGrid < 0 ? 1 : 0);
    return below * CornerGrid;
}

std::int64_t Clamped(std::int64_t nanometres) {
    return std::clamp(nanometres, -MaxNanometres, MaxNanometres);
}

bool Within(std::int64_t nanometres) {
    return nanometres >= -MaxNanometres && nanometres <= MaxNanometres;
}

} // namespace

bool InReach(SheetPoint p) {
    return Within(p.X) && Within(p.Y);
}

SheetPoint WithinReach(SheetPoint p) {
    return {Clamped(p.X), Clamped(p.Y)};
}

void Extent::Add(std::int64_t x, std::int64_t y, std::int64_t reach) {
    reach = std::max<std::int64_t>(reach, 0);
    minX_ = std::min(minX_, x - reach);
    minY_ = std::min(minY_, y - reach);
    maxX_ = std::max(maxX_, x + reach);
    maxY_ = std::max(maxY_, y + reach);
}

void Extent::Add(const Extent& other) {
    if (!other.Empty()) {
        Add(other.minX_, other.minY_);
        Add(other.maxX_, other.maxY_);
    }
}

SheetPlacement SheetPlacement::Around(const Extent& board) {
    const std::int64_t minX = board.Empty() ? 0 : board.MinX();
    const std::int64_t maxX = board.Empty() ? 0 : board.MaxX();
    const std::int64_t minY = board.Empty() ? 0 : board.MinY();
    const std::int64_t maxY = board.Empty() ? 0 : board.MaxY();
    const std::int64_t widthNm = Nanometres(maxX - minX) + 2 * MarginMm * NanometresPerMm;
    const std::int64_t heightNm = Nanometres(maxY - minY) + 2 * MarginMm * NanometresPerMm;
    const auto fits = std::find_if(Papers.begin(), Papers.end(), [&](const PaperSize& p) {
        return widthNm <= p.WidthMm * NanometresPerMm && heightNm <= p.HeightMm * NanometresPerMm;
    });
    const PaperSize& paper = fits != Papers.end() ? *fits : Papers.back();
    const std::int64_t centreX = minX + (maxX - minX) / 2;
    const std::int64_t centreY = minY + (maxY - minY) / 2;
    std::int64_t left = NearestOnGrid(centreX - HostUnits(paper.WidthMm * NanometresPerMm) / 2);
    std::int64_t top = NearestOnGrid(centreY + HostUnits(paper.HeightMm * NanometresPerMm) / 2);
    const auto reaches = [&](std::int64_t cornerX, std::int64_t cornerY) {
        return InReach({Nanometres(minX - cornerX), Nanometres(cornerY - minY)}) &&
               InReach({Nanometres(maxX - cornerX), Nanometres(cornerY - maxY)});
    };
    if (!reaches(left, top)) {
        left = NearestOnGrid(centreX);
        top = NearestOnGrid(centreY);
    }
    return SheetPlacement(paper.Name, left, top);
}

SheetPoint FootprintOffset(SheetPoint origin, double orientation, SheetPoint p) {
    const std::int64_t dx = p.X - origin.X, dy = p.Y - origin.Y;
    // On the sheet y points down, so a counter-clockwise turn by a takes (x, y) to
    // (x cos a + y sin a, -x sin a + y cos a); turning back uses -a.
    const CosSin turn = CosSinOfDegrees(orientation);
    if (turn.Cos == 0 || turn.Sin == 0) { // a quarter turn: exact in whole nanometres
        const auto c = std::int64_t(turn.Cos), s = std::int64_t(turn.Sin);
        return {dx * c - dy * s, dx * s + dy * c};
    }
    return {std::llround(double(dx) * turn.Cos - double(dy) * turn.Sin),
            std::llround(double(dx) * turn.Sin + double(dy) * turn.Cos)};
}

SheetPoint SheetPlacement::At(std::int64_t x, std::int64_t y) const {
    // The corner is on a whole-mil grid, so the offsets are exact in nanometres.
    return {Nanometres(x) - Nanometres(left_), Nanometres(top_) - Nanometres(y)};
}

} // namespace corvane::cli::kicad
