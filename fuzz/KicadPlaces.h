#pragma once
// What the writers' target asserts of the KiCad board: every object the writer does not report as
// clamped lies where the board read back from the server (what the JSON has) puts it, moved by
// the sheet's one offset. The KiCad text is read back here on its own: its lists parsed, every
// point of every item taken (a footprint's items turned and moved as KiCad places them), and the
// points each object must have looked for among them.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"
#include "kicadwriter/KicadBoardWriter.h"
#include "textformat/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <numbers>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvanefuzz {

using SheetXY = std::pair<std::int64_t, std::int64_t>; // nanometres on the sheet, y down

// An s-expression: an atom, or a list of them.
struct Expr {
    std::string Atom;
    std::vector<Expr> List;
    bool IsList = false;

    const std::string& Head() const {
        static const std::string none;
        return IsList && !List.empty() && !List[0].IsList ? List[0].Atom : none;
    }
};

// The lists of the text, for the writer's own output: quoted strings with backslash escapes.
inline Expr ParseExpr(std::string_view text, std::size_t& at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    Expr e;
    if (at >= text.size()) {
        return e;
    }
    if (text[at] == '(') {
        e.IsList = true;
        ++at;
        for (;;) {
            while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
                ++at;
            }
            if (at >= text.size() || text[at] == ')') {
                ++at;
                return e;
            }
            e.List.push_back(ParseExpr(text, at));
        }
    }
    if (text[at] == '"') {
        for (++at; at < text.size() && text[at] != '"'; ++at) {
            at += text[at] == '\\' ? 1 : 0;
        }
        ++at;
        e.Atom = "\"";
        return e;
    }
    const std::size_t start = at;
    while (at < text.size() && text[at] != '(' && text[at] != ')' &&
           !std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    e.Atom = std::string(text.substr(start, at - start));
    return e;
}

// Millimetres as the writer prints them ("-12.5", "0.000254") in nanometres.
inline std::int64_t Nanometres(const std::string& mm) {
    const bool negative = !mm.empty() && mm[0] == '-';
    const std::string digits = negative ? mm.substr(1) : mm;
    const auto dot = digits.find('.');
    std::int64_t value = std::atoll(digits.substr(0, dot).c_str()) * 1'000'000;
    if (dot != std::string::npos) {
        std::string fraction = digits.substr(dot + 1, 6);
        fraction.resize(6, '0');
        value += std::atoll(fraction.c_str());
    }
    return negative ? -value : value;
}

// The cosine and sine of an angle in degrees, exact at quarter turns.
inline std::pair<double, double> CosSin(double degrees) {
    const double a = corvane::cli::units::NormalisedDegrees(degrees);
    if (std::fmod(a, 90.0) == 0) {
        const int quarter = static_cast<int>(a / 90);
        return {quarter == 0 ? 1 : quarter == 2 ? -1 : 0, quarter == 1 ? 1 : quarter == 3 ? -1 : 0};
    }
    return {std::cos(a * std::numbers::pi / 180), std::sin(a * std::numbers::pi / 180)};
}

// Every point of the KiCad board's items, footprint items where KiCad puts them.
class KicadPoints {
public:
    explicit KicadPoints(std::string_view text) {
        std::size_t at = 0;
        const Expr board = ParseExpr(text, at);
        for (const Expr& item : board.List) {
            if (item.Head() == "footprint") {
                Footprint(item);
            } else {
                Collect(item, {0, 0}, 0);
            }
        }
        std::sort(points_.begin(), points_.end());
    }

    // Whether a point lies within a rounding (2 nm) of one of them.
    bool Has(SheetXY p) const {
        constexpr std::int64_t slack = 2;
        for (auto it = std::lower_bound(points_.begin(), points_.end(),
                                        SheetXY{p.first - slack, INT64_MIN});
             it != points_.end() && it->first <= p.first + slack; ++it) {
            if (std::llabs(it->second - p.second) <= slack) {
                return true;
            }
        }
        return false;
    }

private:
    void Footprint(const Expr& footprint) {
        SheetXY origin{0, 0};
        double angle = 0;
        for (const Expr& part : footprint.List) {
            if (part.Head() == "at" && part.List.size() >= 3) {
                origin = {Nanometres(part.List[1].Atom), Nanometres(part.List[2].Atom)};
                angle = part.List.size() >= 4 ? std::atof(part.List[3].Atom.c_str()) : 0;
                points_.push_back(origin);
            }
        }
        for (const Expr& part : footprint.List) {
            if (part.IsList && part.Head() != "at") {
                Collect(part, origin, angle);
            }
        }
    }

    // The points of an item's lists that hold points, placed by the footprint (origin, angle).
    void Collect(const Expr& item, SheetXY origin, double angle) {
        const auto [c, s] = CosSin(angle);
        for (const Expr& part : item.List) {
            const std::string& head = part.Head();
            if (head == "pts" || head == "polygon") {
                Collect(part, origin, angle);
            } else if ((head == "start" || head == "end" || head == "mid" || head == "center" ||
                        head == "at" || head == "xy") &&
                       part.List.size() >= 3) {
                const double x = double(Nanometres(part.List[1].Atom));
                const double y = double(Nanometres(part.List[2].Atom));
                // KiCad turns a footprint's item by the footprint's angle, then moves it.
                points_.push_back({origin.first + std::llround(x * c + y * s),
                                   origin.second + std::llround(-x * s + y * c)});
            }
        }
    }

    std::vector<SheetXY> points_;
};

// The first object of the board not where it belongs, described; empty when there is none.
inline std::string MisplacedObject(const corvane::cli::BoardStore& board,
                                   const corvane::cli::KicadBoardOutcome& outcome,
                                   std::string_view kicadText) {
    using namespace corvane::cli;
    const KicadPoints kicad(kicadText);
    const auto sheet = [&](double x, double y) {
        return SheetXY{std::llround(x * 2.54) - units::Nanometres(outcome.SheetLeft),
                       units::Nanometres(outcome.SheetTop) - std::llround(y * 2.54)};
    };
    std::string found;
    const auto expect = [&](std::uint32_t container, StoredKind kind, std::size_t index,
                            std::initializer_list<SheetXY> points) {
        const StoredObject object{container, kind, std::uint32_t(index), 0};
        if (!found.empty() ||
            std::binary_search(outcome.Clamped.begin(), outcome.Clamped.end(), object)) {
            return;
        }
        for (const SheetXY& p : points) {
            if (!kicad.Has(p)) {
                found = "object " + std::to_string(int(kind)) + " #" + std::to_string(index) +
                        " of container " + std::to_string(container) + " is not at (" +
                        std::to_string(p.first) + ", " + std::to_string(p.second) + ")";
                return;
            }
        }
    };
    const auto primitives = [&](const StoredPrimitives& p, std::uint32_t container) {
        for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
            const Track& t = p.Tracks[i];
            expect(container, StoredKind::Track, i, {sheet(t.X1, t.Y1), sheet(t.X2, t.Y2)});
        }
        for (std::size_t i = 0; i < p.Vias.size(); ++i) {
            expect(container, StoredKind::Via, i, {sheet(p.Vias[i].X, p.Vias[i].Y)});
        }
        for (std::size_t i = 0; i < p.Pads.size(); ++i) {
            expect(container, StoredKind::Pad, i, {sheet(p.Pads[i].X, p.Pads[i].Y)});
        }
        for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
            const Arc& a = p.Arcs[i];
            // Every arc is written with the point at its start angle (the centre for radius 0).
            const double r = a.Radius == INT32_MIN ? double(INT32_MAX) : std::abs(double(a.Radius));
            const auto [c, s] = CosSin(std::isfinite(a.StartAngle) ? a.StartAngle : 0.0);
            expect(container, StoredKind::Arc, i, {sheet(a.X + r * c, a.Y + r * s)});
        }
        for (std::size_t i = 0; i < p.Fills.size(); ++i) {
            const Fill& f = p.Fills[i];
            if (units::NormalisedDegrees(f.Rotation) == 0) {
                expect(container, StoredKind::Fill, i, {sheet(f.X1, f.Y1), sheet(f.X2, f.Y2)});
                continue;
            }
            // Turned about its centre: the corner that is the upper left one unturned.
            const double cx = (double(f.X1) + f.X2) / 2, cy = (double(f.Y1) + f.Y2) / 2;
            const double hw = std::abs(double(f.X2) - f.X1) / 2;
            const double hh = std::abs(double(f.Y2) - f.Y1) / 2;
            const auto [c, s] = CosSin(f.Rotation);
            expect(container, StoredKind::Fill, i,
                   {sheet(cx - hw * c - hh * s, cy - hw * s + hh * c)});
        }
        for (std::size_t i = 0; i < p.Texts.size(); ++i) {
            expect(container, StoredKind::Text, i, {sheet(p.Texts[i].X, p.Texts[i].Y)});
        }
    };
    primitives(board.Free(), 0);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        const Component c = board.ComponentAt(i);
        const auto container = std::uint32_t(i + 1);
        expect(container, StoredKind::Component, 0, {sheet(c.X, c.Y)});
        if (c.DesignatorText) {
            expect(container, StoredKind::DesignatorText, 0,
                   {sheet(c.DesignatorText->X, c.DesignatorText->Y)});
        }
        if (c.CommentText) {
            expect(container, StoredKind::CommentText, 0,
                   {sheet(c.CommentText->X, c.CommentText->Y)});
        }
        primitives(board.ChildrenOf(i), container);
    }
    return found;
}

} // namespace corvanefuzz
