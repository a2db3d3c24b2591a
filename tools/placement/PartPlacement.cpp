#include "placement/PartPlacement.h"

#include "textformat/Units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <numbers>
#include <optional>
#include <tuple>

namespace corvane::cli {
namespace {

// Pads within a mil of a line are on it: the file's coordinates are whole mils.
constexpr std::int64_t Tolerance = 10'000; // host units

struct Point {
    std::int64_t X = 0, Y = 0;
};

bool Near(std::int64_t a, std::int64_t b) {
    return std::abs(a - b) <= Tolerance;
}

// The pads, each name at each place once (a pad given on several layers is one pin).
std::vector<const Pad*> DistinctPads(const std::vector<Pad>& pads) {
    std::vector<const Pad*> distinct;
    for (const Pad& pad : pads) {
        distinct.push_back(&pad);
    }
    const auto key = [](const Pad* p) { return std::tie(p->Name, p->X, p->Y); };
    std::sort(distinct.begin(), distinct.end(),
              [&](const Pad* a, const Pad* b) { return key(a) < key(b); });
    distinct.erase(std::unique(distinct.begin(), distinct.end(),
                               [&](const Pad* a, const Pad* b) { return key(a) == key(b); }),
                   distinct.end());
    return distinct;
}

// The one place of the pad of that name; none when missing or in two places.
std::optional<Point> OnlyPad(const std::vector<const Pad*>& pads, const std::string& name) {
    std::optional<Point> found;
    for (const Pad* pad : pads) {
        if (pad->Name == name) {
            if (found) {
                return std::nullopt;
            }
            found = Point{pad->X, pad->Y};
        }
    }
    return found;
}

// The offset as the library footprint has it: turned back by the rotation (quarter turns,
// counter-clockwise, y up), then on the bottom mirrored top to bottom as KiCad flips.
Point Library(Point offset, int quarterTurns, bool bottom) {
    Point p = offset;
    for (int i = 0; i < quarterTurns; ++i) {
        p = {p.Y, -p.X}; // a quarter turn clockwise
    }
    return bottom ? Point{p.X, -p.Y} : p;
}

bool FitsTwoPads(const std::vector<Point>& pads, Point second) {
    return pads.size() == 2 && Near(second.Y, 0) && second.X > Tolerance;
}

bool FitsOneRow(const std::vector<Point>& pads, Point second) {
    return pads.size() >= 3 && second.Y < -Tolerance &&
           std::all_of(pads.begin(), pads.end(),
                       [](Point p) { return Near(p.X, 0) && p.Y <= Tolerance; });
}

bool FitsTwoRows(const std::vector<Point>& pads, Point second) {
    if (pads.size() < 3 || !Near(second.X, 0) || second.Y >= -Tolerance) {
        return false;
    }
    std::optional<std::int64_t> other; // the x of the right row
    for (const Point p : pads) {
        if (Near(p.X, 0)) {
            if (p.Y > Tolerance) {
                return false; // pin 1 is not at the top of its row
            }
        } else if (p.X < 0 || (other && !Near(p.X, *other))) {
            return false;
        } else {
            other = other.value_or(p.X);
        }
    }
    return other.has_value();
}

// A box's half extents turned by an angle: what it covers along x and y.
// Exact at quarter turns, so that every platform gives the same centre.
std::pair<double, double> TurnedHalves(const Pad& pad) {
    const double angle = units::NormalisedDegrees(pad.Rotation);
    const double hx = std::abs(double(pad.XSize)) / 2, hy = std::abs(double(pad.YSize)) / 2;
    if (angle == 0 || angle == 180) {
        return {hx, hy};
    }
    if (angle == 90 || angle == 270) {
        return {hy, hx};
    }
    const double radians = angle * std::numbers::pi / 180;
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    return {hx * c + hy * s, hx * s + hy * c};
}

} // namespace

std::string_view RotationRuleName(RotationRule rule) {
    static constexpr std::array<std::string_view, 4> names = {"two pads", "one row", "two rows",
                                                              "not inferred"};
    return names[std::size_t(rule)];
}

InferredRotation InferRotation(const std::vector<Pad>& pads, bool bottom) {
    const std::vector<const Pad*> distinct = DistinctPads(pads);
    const std::optional<Point> first = OnlyPad(distinct, "1"), second = OnlyPad(distinct, "2");
    if (!first || !second) {
        return {};
    }
    for (int turns = 0; turns < 4; ++turns) {
        std::vector<Point> local;
        for (const Pad* pad : distinct) {
            local.push_back(Library({pad->X - first->X, pad->Y - first->Y}, turns, bottom));
        }
        const Point two = Library({second->X - first->X, second->Y - first->Y}, turns, bottom);
        const double degrees = 90.0 * turns;
        if (FitsTwoPads(local, two)) {
            return {degrees, RotationRule::TwoPads};
        }
        if (FitsOneRow(local, two)) {
            return {degrees, RotationRule::OneRow};
        }
        if (FitsTwoRows(local, two)) {
            return {degrees, RotationRule::TwoRows};
        }
    }
    return {};
}

double FootprintRotation(const Component& component, const InferredRotation& inferred) {
    return inferred.Rule == RotationRule::NotInferred ? component.Rotation : inferred.Degrees;
}

namespace {

BulkBox PadBox(const Pad& pad) {
    const auto [hx, hy] = TurnedHalves(pad);
    return {pad.X - hx, pad.Y - hy, pad.X + hx, pad.Y + hy};
}

void AddPad(BulkFinder& finder, const Pad& pad) {
    const BulkPoint centre{double(pad.X), double(pad.Y)};
    finder.Add(PadBox(pad), {&centre, 1});
}

} // namespace

std::optional<BoardBulk> PadBulk(const Board& board) {
    BulkFinder finder;
    for (const Pad& pad : board.Free.Pads) {
        AddPad(finder, pad);
    }
    for (const Component& c : board.Components) {
        for (const Pad& pad : c.Children.Pads) {
            AddPad(finder, pad);
        }
    }
    return finder.Bulk();
}

PartPlacement PlacementOf(const Component& component, const std::optional<BoardBulk>& bulk) {
    const std::vector<Pad>& all = component.Children.Pads;
    if (all.empty()) {
        return {component.X, component.Y, {}};
    }
    std::vector<Pad> near;
    std::copy_if(all.begin(), all.end(), std::back_inserter(near),
                 [&](const Pad& pad) { return !bulk || bulk->IsNear(PadBox(pad)); });
    const std::vector<Pad>& pads = near.empty() ? all : near;
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
    for (const Pad& pad : pads) {
        const auto [hx, hy] = TurnedHalves(pad);
        minX = std::min(minX, pad.X - hx), maxX = std::max(maxX, pad.X + hx);
        minY = std::min(minY, pad.Y - hy), maxY = std::max(maxY, pad.Y + hy);
    }
    return {std::llround((minX + maxX) / 2), std::llround((minY + maxY) / 2),
            InferRotation(all, component.Layer == "BottomLayer")};
}

} // namespace corvane::cli
