#include "kicadwriter/CopperNets.h"

#include "kicadwriter/KicadPads.h"
#include "textformat/NaturalOrder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <numeric>
#include <set>

namespace corvane::cli::kicad {
namespace {

struct Point {
    double X = 0, Y = 0;
};

// What a piece of copper covers, in host units (y up).
enum class Form { Capsule, Ring, Disc, Oval, Box, Octagon };

struct Piece {
    NetName* Net = nullptr;
    const std::string* Reference = nullptr; // pads: their footprint's reference
    const std::string* PadName = nullptr;   // pads: their number
    CopperMask Copper = 0;
    Form Shape = Form::Disc;
    Point A, B;                                     // capsule ends; centre of everything else in A
    double Half = 0;                                // capsule and ring half width, disc radius
    double HalfX = 0, HalfY = 0;                    // boxes, ovals and octagons
    double Cos = 1, Sin = 0;                        // rotation of boxes, ovals and octagons
    double Radius = 0, StartAngle = 0, Sweep = 360; // rings (arcs)
    std::vector<Point> Anchors;
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
};

void CosSin(double degrees, double& c, double& s) {
    const double angle = std::fmod(degrees, 360.0);
    if (!std::isfinite(angle) || angle == 0) {
        c = 1, s = 0;
    } else if (angle == 90 || angle == -270) {
        c = 0, s = 1;
    } else if (angle == 180 || angle == -180) {
        c = -1, s = 0;
    } else if (angle == 270 || angle == -90) {
        c = 0, s = -1;
    } else {
        const double radians = angle * std::numbers::pi / 180;
        c = std::cos(radians), s = std::sin(radians);
    }
}

double SegmentDistance(Point p, Point a, Point b) {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

// The point in the piece's own frame (unrotated, centred).
Point Local(const Piece& piece, Point p) {
    const double x = p.X - piece.A.X, y = p.Y - piece.A.Y;
    return {x * piece.Cos + y * piece.Sin, -x * piece.Sin + y * piece.Cos};
}

bool Covers(const Piece& piece, Point p) {
    switch (piece.Shape) {
    case Form::Capsule:
        return SegmentDistance(p, piece.A, piece.B) <= piece.Half;
    case Form::Disc:
        return std::hypot(p.X - piece.A.X, p.Y - piece.A.Y) <= piece.Half;
    case Form::Ring: {
        const double dx = p.X - piece.A.X, dy = p.Y - piece.A.Y;
        if (std::abs(std::hypot(dx, dy) - piece.Radius) > piece.Half) {
            return false;
        }
        double angle = std::atan2(dy, dx) * 180 / std::numbers::pi - piece.StartAngle;
        angle = std::fmod(angle, 360.0);
        if (angle < 0) {
            angle += 360;
        }
        // Within the sweep, or on the round end of an end point.
        return angle <= piece.Sweep ||
               std::any_of(piece.Anchors.begin(), piece.Anchors.end(), [&](Point end) {
                   return std::hypot(p.X - end.X, p.Y - end.Y) <= piece.Half;
               });
    }
    case Form::Oval: {
        const Point l = Local(piece, p);
        const double reach = std::abs(piece.HalfX - piece.HalfY);
        const Point a = piece.HalfX > piece.HalfY ? Point{-reach, 0} : Point{0, -reach};
        const Point b = piece.HalfX > piece.HalfY ? Point{reach, 0} : Point{0, reach};
        return SegmentDistance(l, a, b) <= std::min(piece.HalfX, piece.HalfY);
    }
    case Form::Box: {
        const Point l = Local(piece, p);
        return std::abs(l.X) <= piece.HalfX && std::abs(l.Y) <= piece.HalfY;
    }
    case Form::Octagon: {
        const Point l = Local(piece, p);
        const double cut = 2 * std::min(piece.HalfX, piece.HalfY) * OctagonChamferRatio;
        return std::abs(l.X) <= piece.HalfX && std::abs(l.Y) <= piece.HalfY &&
               std::abs(l.X) + std::abs(l.Y) <= piece.HalfX + piece.HalfY - cut;
    }
    }
    return false;
}

bool Joined(const Piece& a, const Piece& b) {
    return std::any_of(a.Anchors.begin(), a.Anchors.end(), [&](Point p) { return Covers(b, p); }) ||
           std::any_of(b.Anchors.begin(), b.Anchors.end(), [&](Point p) { return Covers(a, p); });
}

void SetBounds(Piece& piece, double reach) {
    piece.MinX = std::min(piece.A.X, piece.B.X) - reach;
    piece.MaxX = std::max(piece.A.X, piece.B.X) + reach;
    piece.MinY = std::min(piece.A.Y, piece.B.Y) - reach;
    piece.MaxY = std::max(piece.A.Y, piece.B.Y) + reach;
}

Piece NewPiece(NetName* net, CopperMask copper) {
    Piece piece;
    piece.Net = net;
    piece.Copper = copper;
    return piece;
}

class Collector {
public:
    explicit Collector(const LayerMap& layers) : layers_(layers) {}

    // reference: the designator of the component, or null for free objects (a free pad's
    // footprint is referred to by the pad's name).
    void Add(Primitives& p, const std::string* reference) {
        for (Track& t : p.Tracks) {
            AddTrack(t);
        }
        for (Arc& a : p.Arcs) {
            AddArc(a);
        }
        for (Via& v : p.Vias) {
            AddVia(v);
        }
        for (Pad& pad : p.Pads) {
            AddPad(pad, reference != nullptr ? *reference : pad.Name);
        }
        for (Fill& f : p.Fills) {
            AddFill(f);
        }
    }

    std::vector<Piece>& Pieces() { return pieces_; }

private:
    void AddTrack(Track& t) {
        Piece piece = NewPiece(&t.Net, layers_.CopperOn(t.Layer));
        piece.Shape = Form::Capsule;
        piece.A = {double(t.X1), double(t.Y1)};
        piece.B = {double(t.X2), double(t.Y2)};
        piece.Half = std::abs(double(t.Width)) / 2;
        piece.Anchors = {piece.A, piece.B};
        SetBounds(piece, piece.Half);
        Keep(std::move(piece));
    }

    void AddArc(Arc& a) {
        Piece piece = NewPiece(&a.Net, layers_.CopperOn(a.Layer));
        piece.Shape = Form::Ring;
        piece.A = piece.B = {double(a.X), double(a.Y)};
        piece.Radius = std::max(0.0, double(a.Radius));
        piece.Half = std::abs(double(a.Width)) / 2;
        double sweep = std::fmod(a.EndAngle - a.StartAngle, 360.0);
        if (!std::isfinite(sweep) || sweep <= 0) {
            sweep += 360;
        }
        piece.StartAngle = std::isfinite(a.StartAngle) ? a.StartAngle : 0;
        piece.Sweep = std::isfinite(sweep) ? sweep : 360;
        for (const double angle : {piece.StartAngle, piece.StartAngle + piece.Sweep}) {
            double c = 1, s = 0;
            CosSin(angle, c, s);
            piece.Anchors.push_back({piece.A.X + piece.Radius * c, piece.A.Y + piece.Radius * s});
        }
        SetBounds(piece, piece.Radius + piece.Half);
        Keep(std::move(piece));
    }

    void AddVia(Via& v) {
        Piece piece = NewPiece(&v.Net, layers_.Span(v.StartLayer, v.EndLayer));
        piece.Shape = Form::Disc;
        piece.A = piece.B = {double(v.X), double(v.Y)};
        piece.Half = std::abs(double(v.Size)) / 2;
        piece.Anchors = {piece.A};
        SetBounds(piece, piece.Half);
        Keep(std::move(piece));
    }

    void AddPad(Pad& pad, const std::string& reference) {
        const PadForm form = PadFormOf(pad, layers_);
        if (!form.TakesNet) {
            return;
        }
        Piece piece = NewPiece(&pad.Net, form.Copper);
        piece.Reference = &reference;
        piece.PadName = &pad.Name;
        piece.A = piece.B = {double(pad.X), double(pad.Y)};
        piece.HalfX = std::abs(double(pad.XSize)) / 2;
        piece.HalfY = std::abs(double(pad.YSize)) / 2;
        CosSin(pad.Rotation, piece.Cos, piece.Sin);
        piece.Shape = form.Shape == "circle" ? Form::Disc
                      : form.Shape == "oval" ? Form::Oval
                      : form.Octagon         ? Form::Octagon
                                             : Form::Box;
        piece.Half = piece.HalfX;
        piece.Anchors = {piece.A};
        SetBounds(piece, std::hypot(piece.HalfX, piece.HalfY));
        Keep(std::move(piece));
    }

    void AddFill(Fill& f) {
        Piece piece = NewPiece(&f.Net, layers_.CopperOn(f.Layer));
        piece.Shape = Form::Box;
        piece.A = piece.B = {(double(f.X1) + f.X2) / 2, (double(f.Y1) + f.Y2) / 2};
        piece.HalfX = std::abs(double(f.X2) - f.X1) / 2;
        piece.HalfY = std::abs(double(f.Y2) - f.Y1) / 2;
        CosSin(f.Rotation, piece.Cos, piece.Sin);
        piece.Anchors = {piece.A};
        for (const double sx : {-1.0, 1.0}) {
            for (const double sy : {-1.0, 1.0}) {
                const double x = sx * piece.HalfX, y = sy * piece.HalfY;
                piece.Anchors.push_back({piece.A.X + x * piece.Cos - y * piece.Sin,
                                         piece.A.Y + x * piece.Sin + y * piece.Cos});
            }
        }
        SetBounds(piece, std::hypot(piece.HalfX, piece.HalfY));
        Keep(std::move(piece));
    }

    void Keep(Piece piece) {
        if (piece.Copper != 0) {
            pieces_.push_back(std::move(piece));
        }
    }

    const LayerMap& layers_;
    std::vector<Piece> pieces_;
};

class Groups {
public:
    explicit Groups(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    }

    std::size_t Root(std::size_t i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }

    void Join(std::size_t a, std::size_t b) {
        a = Root(a), b = Root(b);
        if (a != b) {
            parent_[std::max(a, b)] = std::min(a, b);
        }
    }

private:
    std::vector<std::size_t> parent_;
};

// The grid the pieces are sorted into: square cells from the lowest corner of all pieces.
struct Grid {
    double Cell = 1, MinX = 0, MinY = 0;

    std::int64_t Column(double x) const { return std::int64_t(std::floor((x - MinX) / Cell)); }
    std::int64_t Row(double y) const { return std::int64_t(std::floor((y - MinY) / Cell)); }
    double CellsOf(const Piece& p) const {
        return double(Column(p.MaxX) - Column(p.MinX) + 1) * double(Row(p.MaxY) - Row(p.MinY) + 1);
    }
};

// A cell as large as the typical piece, and larger while the pieces would lie in more than a few
// cells each: the cells hold a few pieces each and the pieces a few cells each.
Grid GridFor(const std::vector<Piece>& pieces) {
    Grid grid;
    grid.MinX = grid.MinY = std::numeric_limits<double>::max();
    std::vector<double> extents;
    for (const Piece& p : pieces) {
        grid.MinX = std::min(grid.MinX, p.MinX);
        grid.MinY = std::min(grid.MinY, p.MinY);
        extents.push_back(std::max(p.MaxX - p.MinX, p.MaxY - p.MinY));
    }
    std::nth_element(extents.begin(), extents.begin() + std::ptrdiff_t(extents.size() / 2),
                     extents.end());
    grid.Cell = std::max(extents[extents.size() / 2], 1.0);
    constexpr double CellsPerPiece = 8;
    for (;;) {
        double cells = 0;
        for (const Piece& p : pieces) {
            cells += grid.CellsOf(p);
        }
        if (cells <= CellsPerPiece * double(pieces.size())) {
            return grid;
        }
        grid.Cell *= 2;
    }
}

// Joins the pieces that touch: each piece goes into the cells of a grid its bounds overlap, and
// the pieces that share a cell are tested, so that the work grows with the number of pieces.
void JoinTouching(const std::vector<Piece>& pieces, Groups& groups) {
    if (pieces.empty()) {
        return;
    }
    const Grid grid = GridFor(pieces);
    struct Entry {
        std::int64_t Column, Row;
        std::size_t Index;
        auto operator<=>(const Entry&) const = default;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        for (std::int64_t column = grid.Column(p.MinX); column <= grid.Column(p.MaxX); ++column) {
            for (std::int64_t row = grid.Row(p.MinY); row <= grid.Row(p.MaxY); ++row) {
                entries.push_back({column, row, i});
            }
        }
    }
    std::sort(entries.begin(), entries.end());
    for (std::size_t begin = 0, end = 0; begin < entries.size(); begin = end) {
        while (end < entries.size() && entries[end].Column == entries[begin].Column &&
               entries[end].Row == entries[begin].Row) {
            ++end;
        }
        for (std::size_t i = begin; i < end; ++i) {
            const std::size_t ai = entries[i].Index;
            const Piece& a = pieces[ai];
            for (std::size_t j = i + 1; j < end; ++j) {
                const std::size_t bi = entries[j].Index;
                const Piece& b = pieces[bi];
                if ((a.Copper & b.Copper) != 0 && b.MinX <= a.MaxX && a.MinX <= b.MaxX &&
                    b.MinY <= a.MaxY && a.MinY <= b.MaxY && groups.Root(ai) != groups.Root(bi) &&
                    Joined(a, b)) {
                    groups.Join(ai, bi);
                }
            }
        }
    }
}

// KiCad's name for a net without a name: after its first pad.
std::string UnnamedNetName(const Piece& pad) {
    return "Net-(" + *pad.Reference + "-Pad" + *pad.PadName + ")";
}

bool PadBefore(const Piece& a, const Piece& b) {
    if (*a.Reference != *b.Reference) {
        return NaturalLess(*a.Reference, *b.Reference);
    }
    return NaturalLess(*a.PadName, *b.PadName);
}

// Every net name the board has, from its nets, planes and objects.
std::set<std::string> NamesInUse(const Board& board, const std::vector<Piece>& pieces) {
    std::set<std::string> names;
    for (const Net& net : board.Nets) {
        names.insert(net.Name);
    }
    for (const Plane& plane : board.Planes) {
        if (plane.Net) {
            names.insert(*plane.Net);
        }
    }
    for (const Piece& piece : pieces) {
        if (*piece.Net) {
            names.insert(**piece.Net);
        }
    }
    return names;
}

// Gives each group that reaches no net and joins a pad to other copper a net of its own; returns
// how many. Names are made unique with a suffix where two groups would share one (two components
// of one designator).
std::size_t DeriveNets(const Board& board, std::vector<Piece>& pieces, Groups& groups) {
    std::vector<std::size_t> size(pieces.size(), 0), firstPad(pieces.size(), pieces.size());
    std::vector<bool> netted(pieces.size(), false);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t root = groups.Root(i);
        ++size[root];
        netted[root] = netted[root] || pieces[i].Net->has_value();
        if (pieces[i].PadName != nullptr &&
            (firstPad[root] == pieces.size() || PadBefore(pieces[i], pieces[firstPad[root]]))) {
            firstPad[root] = i;
        }
    }
    std::vector<std::pair<std::string, std::size_t>> derived; // name, group
    for (std::size_t root = 0; root < pieces.size(); ++root) {
        if (size[root] >= 2 && firstPad[root] != pieces.size() && !netted[root]) {
            derived.emplace_back(UnnamedNetName(pieces[firstPad[root]]), root);
        }
    }
    std::sort(derived.begin(), derived.end());
    std::set<std::string> used = NamesInUse(board, pieces);
    std::vector<std::string> names(pieces.size());
    for (const auto& [name, root] : derived) {
        std::string unique = name;
        for (int n = 2; !used.insert(unique).second; ++n) {
            unique = name + "_" + std::to_string(n);
        }
        names[root] = unique;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string& name = names[groups.Root(i)];
        if (!name.empty()) {
            *pieces[i].Net = name;
        }
    }
    return derived.size();
}

} // namespace

CopperNets WithCopperNets(const Board& board, const LayerMap& layers, bool deriveNets) {
    CopperNets nets{board, 0};
    Collector collector(layers);
    collector.Add(nets.Copper.Free, nullptr);
    for (Component& component : nets.Copper.Components) {
        collector.Add(component.Children, &component.Designator);
    }
    std::vector<Piece>& pieces = collector.Pieces();
    Groups groups(pieces.size());
    JoinTouching(pieces, groups);

    // The nets each group reaches; a group is named by its root.
    std::vector<std::set<std::string>> reached(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (*pieces[i].Net) {
            reached[groups.Root(i)].insert(**pieces[i].Net);
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::set<std::string>& names = reached[groups.Root(i)];
        if (!*pieces[i].Net && names.size() == 1) {
            *pieces[i].Net = *names.begin();
        }
    }
    if (deriveNets) {
        nets.Derived = DeriveNets(board, pieces, groups);
    }
    return nets;
}

} // namespace corvane::cli::kicad
