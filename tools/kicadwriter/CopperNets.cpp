#include "kicadwriter/CopperNets.h"

#include "kicadwriter/KicadPads.h"
#include "textformat/NaturalOrder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <numeric>
#include <unordered_map>

namespace corvane::cli::kicad {
namespace {

struct Point {
    double X = 0, Y = 0;
};

// What a piece of copper covers, in host units (y up).
enum class Form { Capsule, Ring, Disc, Oval, Box, Octagon };

// A pad as a derived net is named after it.
struct PadRef {
    const std::string* Reference = nullptr; // its footprint's reference
    const std::string* Name = nullptr;      // its number
};

constexpr std::uint32_t NoPad = std::numeric_limits<std::uint32_t>::max();

// There is a piece for nearly every object of the board: it keeps what the tests of touch need.
struct Piece {
    std::uint32_t Slot = 0;    // the object's place in CopperNets::Ids
    std::uint32_t Pad = NoPad; // pads: their PadRef
    CopperMask Copper = 0;
    Form Shape = Form::Disc;
    bool Corners = false;                           // fills: their corners are anchors too
    Point A, B;                                     // capsule ends; centre of everything else in A
    double Half = 0;                                // capsule and ring half width, disc radius
    double HalfX = 0, HalfY = 0;                    // boxes, ovals and octagons
    double Cos = 1, Sin = 0;                        // rotation of boxes, ovals and octagons
    double Radius = 0, StartAngle = 0, Sweep = 360; // rings (arcs)
    // Bounds, rounded outwards: they only choose the pairs to test.
    float MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
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

// The points of a piece that join it to the pieces they lie on: the ends of tracks and arcs, the
// centres of vias, pads and fills, and the corners of fills. Made when asked rather than kept, as
// there is a piece for nearly every object of the board.
struct Anchors {
    std::array<Point, 5> Points;
    std::size_t Count = 0;

    const Point* begin() const { return Points.data(); }
    const Point* end() const { return Points.data() + Count; }
    void Add(Point p) { Points[Count++] = p; }
};

Anchors AnchorsOf(const Piece& piece) {
    Anchors anchors;
    if (piece.Shape == Form::Capsule) {
        anchors.Add(piece.A);
        anchors.Add(piece.B);
    } else if (piece.Shape == Form::Ring) {
        for (const double angle : {piece.StartAngle, piece.StartAngle + piece.Sweep}) {
            double c = 1, s = 0;
            CosSin(angle, c, s);
            anchors.Add({piece.A.X + piece.Radius * c, piece.A.Y + piece.Radius * s});
        }
    } else {
        anchors.Add(piece.A);
    }
    if (piece.Corners) {
        for (const double sx : {-1.0, 1.0}) {
            for (const double sy : {-1.0, 1.0}) {
                const double x = sx * piece.HalfX, y = sy * piece.HalfY;
                anchors.Add({piece.A.X + x * piece.Cos - y * piece.Sin,
                             piece.A.Y + x * piece.Sin + y * piece.Cos});
            }
        }
    }
    return anchors;
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
        const Anchors ends = AnchorsOf(piece);
        return angle <= piece.Sweep || std::any_of(ends.begin(), ends.end(), [&](Point end) {
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
    const Anchors ofA = AnchorsOf(a), ofB = AnchorsOf(b);
    return std::any_of(ofA.begin(), ofA.end(), [&](Point p) { return Covers(b, p); }) ||
           std::any_of(ofB.begin(), ofB.end(), [&](Point p) { return Covers(a, p); });
}

// The nearest float at or below, at or above a value.
float Below(double value) {
    const auto f = static_cast<float>(value);
    return double(f) > value ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}

float Above(double value) {
    const auto f = static_cast<float>(value);
    return double(f) < value ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

void SetBounds(Piece& piece, double reach) {
    piece.MinX = Below(std::min(piece.A.X, piece.B.X) - reach);
    piece.MaxX = Above(std::max(piece.A.X, piece.B.X) + reach);
    piece.MinY = Below(std::min(piece.A.Y, piece.B.Y) - reach);
    piece.MaxY = Above(std::max(piece.A.Y, piece.B.Y) + reach);
}

Piece NewPiece(std::size_t slot, CopperMask copper) {
    Piece piece;
    piece.Slot = std::uint32_t(slot);
    piece.Copper = copper;
    return piece;
}

// Gives every object its slot in the nets' table, with the net it has, and every piece of copper
// a piece.
class Collector {
public:
    Collector(const LayerMap& layers, CopperNets& nets) : layers_(layers), nets_(nets) {}

    // reference: the designator of the component, or null for free objects (a free pad's
    // footprint is referred to by the pad's name).
    void Add(const Primitives& p, const std::string* reference) {
        // The kinds in the order of CopperKind.
        const auto begin = [&](std::size_t count) {
            nets_.Offsets.push_back(nets_.Ids.size());
            nets_.Ids.resize(nets_.Ids.size() + count, 0);
            return nets_.Offsets.back();
        };
        std::size_t slot = begin(p.Tracks.size());
        for (const Track& t : p.Tracks) {
            AddTrack(t, slot++);
        }
        slot = begin(p.Arcs.size());
        for (const Arc& a : p.Arcs) {
            AddArc(a, slot++);
        }
        slot = begin(p.Vias.size());
        for (const Via& v : p.Vias) {
            AddVia(v, slot++);
        }
        slot = begin(p.Pads.size());
        for (const Pad& pad : p.Pads) {
            AddPad(pad, reference != nullptr ? *reference : pad.Name, slot++);
        }
        slot = begin(p.Fills.size());
        for (const Fill& f : p.Fills) {
            AddFill(f, slot++);
        }
    }

    // Room for every object at once: grown by doubling, the pieces would at times be held twice.
    void Reserve(std::size_t objects) {
        pieces_.reserve(objects);
        nets_.Ids.reserve(objects);
    }

    std::vector<Piece>& Pieces() { return pieces_; }
    std::vector<PadRef>& Pads() { return pads_; }

private:
    void AddTrack(const Track& t, std::size_t slot) {
        nets_.Ids[slot] = nets_.Intern(t.Net);
        Piece piece = NewPiece(slot, layers_.CopperOn(t.Layer));
        piece.Shape = Form::Capsule;
        piece.A = {double(t.X1), double(t.Y1)};
        piece.B = {double(t.X2), double(t.Y2)};
        piece.Half = std::abs(double(t.Width)) / 2;
        SetBounds(piece, piece.Half);
        Keep(std::move(piece));
    }

    void AddArc(const Arc& a, std::size_t slot) {
        nets_.Ids[slot] = nets_.Intern(a.Net);
        Piece piece = NewPiece(slot, layers_.CopperOn(a.Layer));
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
        SetBounds(piece, piece.Radius + piece.Half);
        Keep(std::move(piece));
    }

    void AddVia(const Via& v, std::size_t slot) {
        nets_.Ids[slot] = nets_.Intern(v.Net);
        Piece piece = NewPiece(slot, layers_.Span(v.StartLayer, v.EndLayer));
        piece.Shape = Form::Disc;
        piece.A = piece.B = {double(v.X), double(v.Y)};
        piece.Half = std::abs(double(v.Size)) / 2;
        SetBounds(piece, piece.Half);
        Keep(std::move(piece));
    }

    void AddPad(const Pad& pad, const std::string& reference, std::size_t slot) {
        nets_.Ids[slot] = nets_.Intern(pad.Net);
        const PadForm form = PadFormOf(pad, layers_);
        if (!form.TakesNet) {
            return;
        }
        Piece piece = NewPiece(slot, form.Copper);
        piece.Pad = std::uint32_t(pads_.size());
        pads_.push_back({&reference, &pad.Name});
        piece.A = piece.B = {double(pad.X), double(pad.Y)};
        piece.HalfX = std::abs(double(pad.XSize)) / 2;
        piece.HalfY = std::abs(double(pad.YSize)) / 2;
        CosSin(pad.Rotation, piece.Cos, piece.Sin);
        piece.Shape = form.Shape == "circle" ? Form::Disc
                      : form.Shape == "oval" ? Form::Oval
                      : form.Octagon         ? Form::Octagon
                                             : Form::Box;
        piece.Half = piece.HalfX;
        SetBounds(piece, std::hypot(piece.HalfX, piece.HalfY));
        Keep(std::move(piece));
    }

    void AddFill(const Fill& f, std::size_t slot) {
        nets_.Ids[slot] = nets_.Intern(f.Net);
        Piece piece = NewPiece(slot, layers_.CopperOn(f.Layer));
        piece.Shape = Form::Box;
        piece.A = piece.B = {(double(f.X1) + f.X2) / 2, (double(f.Y1) + f.Y2) / 2};
        piece.HalfX = std::abs(double(f.X2) - f.X1) / 2;
        piece.HalfY = std::abs(double(f.Y2) - f.Y1) / 2;
        CosSin(f.Rotation, piece.Cos, piece.Sin);
        piece.Corners = true;
        SetBounds(piece, std::hypot(piece.HalfX, piece.HalfY));
        Keep(std::move(piece));
    }

    void Keep(Piece piece) {
        if (piece.Copper != 0) {
            pieces_.push_back(std::move(piece));
        }
    }

    const LayerMap& layers_;
    CopperNets& nets_;
    std::vector<Piece> pieces_;
    std::vector<PadRef> pads_;
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

    std::int32_t Column(double x) const { return std::int32_t(std::floor((x - MinX) / Cell)); }
    std::int32_t Row(double y) const { return std::int32_t(std::floor((y - MinY) / Cell)); }
    double CellsOf(const Piece& p) const {
        return double(Column(p.MaxX) - Column(p.MinX) + 1) * double(Row(p.MaxY) - Row(p.MinY) + 1);
    }
};

// A cell as large as the typical piece, and larger while the pieces would lie in more than two
// cells each on average: the cells hold a few pieces each and the pieces a few cells each. (At
// 10^6 records two cells a piece took less time and memory than eight: fewer cell entries, and
// few more pairs to test.)
Grid GridFor(const std::vector<Piece>& pieces) {
    Grid grid;
    grid.MinX = grid.MinY = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
    std::vector<double> extents;
    extents.reserve(pieces.size());
    for (const Piece& p : pieces) {
        grid.MinX = std::min(grid.MinX, double(p.MinX));
        grid.MinY = std::min(grid.MinY, double(p.MinY));
        maxX = std::max(maxX, double(p.MaxX));
        maxY = std::max(maxY, double(p.MaxY));
        extents.push_back(std::max(double(p.MaxX) - p.MinX, double(p.MaxY) - p.MinY));
    }
    std::nth_element(extents.begin(), extents.begin() + std::ptrdiff_t(extents.size() / 2),
                     extents.end());
    grid.Cell = std::max(extents[extents.size() / 2], 1.0);
    // Columns and rows are kept in 32 bits.
    constexpr double MaxCells = 1 << 30;
    while ((maxX - grid.MinX) / grid.Cell >= MaxCells ||
           (maxY - grid.MinY) / grid.Cell >= MaxCells) {
        grid.Cell *= 2;
    }
    constexpr double CellsPerPiece = 2;
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
        std::int32_t Column, Row;
        std::uint32_t Index;
        // The cell as one number, in the order of column, then row.
        std::uint64_t Cell() const {
            return std::uint64_t(std::uint32_t(Column) ^ 0x80000000U) << 32 |
                   (std::uint32_t(Row) ^ 0x80000000U);
        }
    };
    std::vector<Entry> entries;
    std::size_t cells = 0;
    for (const Piece& p : pieces) {
        cells += std::size_t(grid.CellsOf(p));
    }
    entries.reserve(cells);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        for (std::int32_t column = grid.Column(p.MinX); column <= grid.Column(p.MaxX); ++column) {
            for (std::int32_t row = grid.Row(p.MinY); row <= grid.Row(p.MaxY); ++row) {
                entries.push_back({column, row, std::uint32_t(i)});
            }
        }
    }
    // By cell only: the groups do not depend on the order in which pairs are joined.
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.Cell() < b.Cell(); });
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
std::string UnnamedNetName(const PadRef& pad) {
    return "Net-(" + *pad.Reference + "-Pad" + *pad.Name + ")";
}

bool PadBefore(const PadRef& a, const PadRef& b) {
    if (*a.Reference != *b.Reference) {
        return NaturalLess(*a.Reference, *b.Reference);
    }
    return NaturalLess(*a.Name, *b.Name);
}

// Gives each group that reaches no net and joins a pad to other copper a net of its own; returns
// how many. Names are made unique with a suffix where two groups would share one (two components
// of one designator).
std::size_t DeriveNets(CopperNets& nets, const std::vector<Piece>& pieces,
                       const std::vector<PadRef>& pads, Groups& groups) {
    std::vector<std::size_t> size(pieces.size(), 0), firstPad(pieces.size(), pieces.size());
    std::vector<bool> netted(pieces.size(), false);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t root = groups.Root(i);
        ++size[root];
        netted[root] = netted[root] || nets.Ids[pieces[i].Slot] != 0;
        if (pieces[i].Pad != NoPad &&
            (firstPad[root] == pieces.size() ||
             PadBefore(pads[pieces[i].Pad], pads[pieces[firstPad[root]].Pad]))) {
            firstPad[root] = i;
        }
    }
    std::vector<std::pair<std::string, std::size_t>> derived; // name, group
    for (std::size_t root = 0; root < pieces.size(); ++root) {
        if (size[root] >= 2 && firstPad[root] != pieces.size() && !netted[root]) {
            derived.emplace_back(UnnamedNetName(pads[pieces[firstPad[root]].Pad]), root);
        }
    }
    std::sort(derived.begin(), derived.end());
    // Every name in use is interned: the board's nets, its planes' and its objects'.
    std::unordered_map<std::size_t, std::uint32_t> named; // group, net
    for (const auto& [name, root] : derived) {
        std::string unique = name;
        for (int n = 2; nets.IdOfName(unique) != 0; ++n) {
            unique = name + "_" + std::to_string(n);
        }
        named.emplace(root, nets.Intern(unique));
    }
    if (!named.empty()) {
        for (const Piece& piece : pieces) {
            const auto found = named.find(groups.Root(std::size_t(&piece - pieces.data())));
            if (found != named.end()) {
                nets.Ids[piece.Slot] = found->second;
            }
        }
    }
    return derived.size();
}

} // namespace

std::uint32_t CopperNets::Intern(const NetName& net) {
    if (!net) {
        return 0;
    }
    const auto [found, added] = ids_.emplace(*net, std::uint32_t(Names.size() + 1));
    if (added) {
        Names.push_back(*net);
    }
    return found->second;
}

std::uint32_t CopperNets::IdOfName(const std::string& name) const {
    const auto found = ids_.find(name);
    return found == ids_.end() ? 0 : found->second;
}

std::uint32_t CopperNets::IdOf(std::size_t container, CopperKind kind, std::size_t index) const {
    return Ids[Offsets[container * CopperKinds + std::size_t(kind)] + index];
}

NetName CopperNets::Of(std::size_t container, CopperKind kind, std::size_t index) const {
    const std::uint32_t id = IdOf(container, kind, index);
    return id == 0 ? NetName() : NetName(Name(id));
}

CopperNets WithCopperNets(const Board& board, const LayerMap& layers, bool deriveNets) {
    CopperNets nets;
    for (const Net& net : board.Nets) {
        nets.Intern(net.Name);
    }
    for (const Plane& plane : board.Planes) {
        nets.Intern(plane.Net);
    }
    std::vector<Piece> pieces;
    std::vector<PadRef> pads;
    {
        Collector collector(layers, nets);
        const auto objects = [](const Primitives& p) {
            return p.Tracks.size() + p.Arcs.size() + p.Vias.size() + p.Pads.size() + p.Fills.size();
        };
        std::size_t count = objects(board.Free);
        for (const Component& component : board.Components) {
            count += objects(component.Children);
        }
        collector.Reserve(count);
        collector.Add(board.Free, nullptr);
        for (const Component& component : board.Components) {
            collector.Add(component.Children, &component.Designator);
        }
        pieces = std::move(collector.Pieces());
        pads = std::move(collector.Pads());
    }
    Groups groups(pieces.size());
    JoinTouching(pieces, groups);

    // The net each group reaches: none, one, or several (a short, which gives none).
    constexpr std::uint32_t Several = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> reached(pieces.size(), 0);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::uint32_t id = nets.Ids[pieces[i].Slot];
        std::uint32_t& group = reached[groups.Root(i)];
        if (id != 0 && group != id) {
            group = group == 0 ? id : Several;
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::uint32_t group = reached[groups.Root(i)];
        if (nets.Ids[pieces[i].Slot] == 0 && group != Several) {
            nets.Ids[pieces[i].Slot] = group;
        }
    }
    if (deriveNets) {
        nets.Derived = DeriveNets(nets, pieces, pads, groups);
    }
    return nets;
}

} // namespace corvane::cli::kicad
