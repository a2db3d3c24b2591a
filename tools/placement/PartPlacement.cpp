#include "placement/PartPlacement.h"

#include "boardfacts/HostLayers.h"
#include "boardfacts/QuarterTurn.h"
#include "textformat/Units.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
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

// The pads, each name at each place once (a pad given on several layers is one pin), without the
// mounting holes: pads named "0", as KiCad names a D-sub's, or without a name.
std::vector<const Pad*> DistinctPins(const std::vector<Pad>& pads) {
    std::vector<const Pad*> distinct;
    for (const Pad& pad : pads) {
        if (!pad.Name.empty() && pad.Name != "0") {
            distinct.push_back(&pad);
        }
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

// The families whose three pins have conventions of their own, told by the pattern's name.
enum class Family { Other, Transistor, Trimmer };

Family FamilyOf(std::string_view pattern) {
    std::string name;
    for (const char c : pattern) {
        name += char(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto startsWith = [&](std::string_view prefix) { return name.starts_with(prefix); };
    // TO-92, TO92, TO-220, TO126, ...: a transistor outline and its number.
    const std::size_t digit = startsWith("TO-") ? 3 : startsWith("TO") ? 2 : 0;
    if (digit != 0 && name.size() > digit &&
        std::isdigit(static_cast<unsigned char>(name[digit]))) {
        return Family::Transistor;
    }
    if (startsWith("VR") || startsWith("POT") || startsWith("TRIM") || startsWith("RV")) {
        return Family::Trimmer;
    }
    return Family::Other;
}

// A pin in the library footprint's frame: its name and its offset from pin 1.
struct LocalPin {
    std::string_view Name;
    Point At;
};

const LocalPin* Named(const std::vector<LocalPin>& pins, std::string_view name) {
    for (const LocalPin& pin : pins) {
        if (pin.Name == name) {
            return &pin;
        }
    }
    return nullptr;
}

std::optional<int> Number(std::string_view name) {
    int value = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (error != std::errc() || end != name.data() + name.size() || value <= 0) {
        return std::nullopt;
    }
    return value;
}

// Pin 1 left of pin 2 (or K left of A).
bool FitsTwoPads(const std::vector<LocalPin>& pins, Point second) {
    return pins.size() == 2 && Near(second.Y, 0) && second.X > Tolerance;
}

bool FitsOneRow(const std::vector<LocalPin>& pins, Point second) {
    return pins.size() >= 3 && second.Y < -Tolerance &&
           std::all_of(pins.begin(), pins.end(),
                       [](const LocalPin& p) { return Near(p.At.X, 0) && p.At.Y <= Tolerance; });
}

// A transistor's three pins in a line, pin 1 left and the others to its right.
bool FitsInARow(const std::vector<LocalPin>& pins, Point second) {
    return pins.size() == 3 && second.X > Tolerance &&
           std::all_of(pins.begin(), pins.end(),
                       [](const LocalPin& p) { return Near(p.At.Y, 0) && p.At.X >= -Tolerance; });
}

// Pins 1 and 3 on a line, pin 2 off it at the side the family's library footprint has it:
// above (TO-92) or to the right (trimmer). The apex gives the body's direction; a triangle
// numbered the other way round (pins 1 and 3 swapped against the library) takes the same.
bool FitsTriangle(const std::vector<LocalPin>& pins, Family family) {
    const LocalPin* one = Named(pins, "1");
    const LocalPin* two = Named(pins, "2");
    const LocalPin* three = Named(pins, "3");
    if (pins.size() != 3 || one == nullptr || two == nullptr || three == nullptr) {
        return false;
    }
    const Point a = one->At, apex = two->At, b = three->At;
    if (family == Family::Transistor) {
        return Near(a.Y, b.Y) && !Near(a.X, b.X) && apex.Y > a.Y + Tolerance &&
               apex.X > std::min(a.X, b.X) + Tolerance && apex.X < std::max(a.X, b.X) - Tolerance;
    }
    return Near(a.X, b.X) && !Near(a.Y, b.Y) && apex.X > a.X + Tolerance &&
           apex.Y > std::min(a.Y, b.Y) + Tolerance && apex.Y < std::max(a.Y, b.Y) - Tolerance;
}

bool FitsTwoRows(const std::vector<LocalPin>& pins, Point second) {
    if (pins.size() < 3 || !Near(second.X, 0) || second.Y >= -Tolerance) {
        return false;
    }
    std::optional<std::int64_t> other; // the x of the right row
    for (const LocalPin& pin : pins) {
        const Point p = pin.At;
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

// Pin 1 at the left end of the top row, the pins running right; below it one row whose pins are
// numbered after the top row's, from its left end (a D-sub, a header of two rows of two).
bool FitsRowsLeftToRight(const std::vector<LocalPin>& pins, Point second) {
    if (pins.size() < 3 || !Near(second.Y, 0) || second.X <= Tolerance) {
        return false;
    }
    std::optional<std::int64_t> below; // the y of the other row
    int lastOfTop = 0, firstBelow = 0; // the highest number of the top row, the lowest below
    std::int64_t firstBelowX = 0;
    for (const LocalPin& pin : pins) {
        const std::optional<int> number = Number(pin.Name);
        if (!number) {
            return false;
        }
        const Point p = pin.At;
        if (Near(p.Y, 0)) {
            if (p.X < -Tolerance) {
                return false; // pin 1 is not at the left end of its row
            }
            lastOfTop = std::max(lastOfTop, *number);
        } else if (p.Y > 0 || (below && !Near(p.Y, *below))) {
            return false;
        } else {
            below = below.value_or(p.Y);
            if (firstBelow == 0 || *number < firstBelow) {
                firstBelow = *number, firstBelowX = p.X;
            }
        }
    }
    if (!below || firstBelow <= lastOfTop) {
        return false;
    }
    return std::all_of(pins.begin(), pins.end(), [&](const LocalPin& p) {
        return Near(p.At.Y, 0) || p.At.X >= firstBelowX - Tolerance;
    });
}

// The rule the pins fit in the library footprint's frame, if any.
std::optional<RotationRule> RuleFitted(const std::vector<LocalPin>& pins, Point second, bool diode,
                                       Family family) {
    if (diode) {
        return FitsTwoPads(pins, second) ? std::optional(RotationRule::Diode) : std::nullopt;
    }
    if (FitsTwoPads(pins, second)) {
        return RotationRule::TwoPads;
    }
    if (family != Family::Other && pins.size() == 3) {
        // Three pins of a transistor or trimmer follow its family's rules alone: a trimmer's in a
        // line have no one convention in the library.
        if (family == Family::Transistor && FitsInARow(pins, second)) {
            return RotationRule::InARow;
        }
        return FitsTriangle(pins, family) ? std::optional(RotationRule::Triangle) : std::nullopt;
    }
    if (FitsOneRow(pins, second)) {
        return RotationRule::OneRow;
    }
    if (FitsTwoRows(pins, second)) {
        return RotationRule::TwoRows;
    }
    if (FitsRowsLeftToRight(pins, second)) {
        return RotationRule::RowsLeftToRight;
    }
    return std::nullopt;
}

// A box's half extents turned by an angle: what it covers along x and y.
// Exact at quarter turns, so that every platform gives the same centre.
std::pair<double, double> TurnedHalves(const Pad& pad) {
    const double hx = std::abs(double(pad.XSize)) / 2, hy = std::abs(double(pad.YSize)) / 2;
    const CosSin turn = CosSinOfDegrees(pad.Rotation);
    const double c = std::abs(turn.Cos), s = std::abs(turn.Sin);
    return {hx * c + hy * s, hx * s + hy * c};
}

} // namespace

std::string_view RotationRuleName(RotationRule rule) {
    static constexpr std::array<std::string_view, 8> names = {
        "two pads",           "diode",       "one row", "two rows", "three in a row", "triangle",
        "rows left to right", "not inferred"};
    return names[std::size_t(rule)];
}

InferredRotation InferRotation(const std::vector<Pad>& pads, bool bottom,
                               std::string_view pattern) {
    const std::vector<const Pad*> distinct = DistinctPins(pads);
    // A diode's pins are K and A; KiCad's pin 1 is the cathode.
    const bool diode = distinct.size() == 2 && OnlyPad(distinct, "K") && OnlyPad(distinct, "A");
    const std::optional<Point> first = OnlyPad(distinct, diode ? "K" : "1"),
                               second = OnlyPad(distinct, diode ? "A" : "2");
    if (!first || !second) {
        return {};
    }
    const Family family = FamilyOf(pattern);
    for (int turns = 0; turns < 4; ++turns) {
        std::vector<LocalPin> local;
        for (const Pad* pad : distinct) {
            local.push_back(
                {pad->Name, Library({pad->X - first->X, pad->Y - first->Y}, turns, bottom)});
        }
        const Point two = Library({second->X - first->X, second->Y - first->Y}, turns, bottom);
        if (const std::optional<RotationRule> rule = RuleFitted(local, two, diode, family)) {
            return {90.0 * turns, *rule};
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

std::optional<BoardBulk> PadBulk(const BoardStore& board) {
    BulkFinder finder;
    for (const Pad& pad : board.Free().Pads) {
        AddPad(finder, pad);
    }
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        for (const Pad& pad : board.ChildrenOf(i).Pads) {
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
            InferRotation(all, OnBottomSide(component.Layer), component.Pattern)};
}

} // namespace corvane::cli
