#include "kicadwriter/CopperNets.h"

#include "kicadwriter/KicadPads.h"
#include "textformat/NaturalOrder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <numbers>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <unordered_map>

namespace corvane::cli::kicad {
namespace {

struct Point {
    double X = 0, Y = 0;
};

// What a piece of copper covers, in host units (y up).
enum class Form : std::uint8_t { Capsule, Ring, Disc, Oval, Box, Octagon };

// A pad as a derived net is named after it, by strings of the store.
struct PadRef {
    stored::StringId Reference = 0; // its footprint's reference
    stored::StringId Name = 0;      // its number
};

// No piece: a group without a pad.
constexpr std::uint32_t NoPad = std::numeric_limits<std::uint32_t>::max();

// What a piece of copper covers, made from its object when a test of touch needs it: there is a
// piece for nearly every object of the board, and the pieces keep only what chooses the pairs.
struct Outline {
    Form Shape = Form::Disc;
    bool Corners = false;                           // fills: their corners are anchors too
    Point A, B;                                     // capsule ends; centre of everything else in A
    double Half = 0;                                // capsule and ring half width, disc radius
    double HalfX = 0, HalfY = 0;                    // boxes, ovals and octagons
    double Cos = 1, Sin = 0;                        // rotation of boxes, ovals and octagons
    double Radius = 0, StartAngle = 0, Sweep = 360; // rings (arcs)
};

// The object's record in the store, of the piece's kind.
union RecordOf {
    const stored::TrackRecord* Track;
    const stored::ArcRecord* Arc;
    const stored::ViaRecord* Via;
    const stored::PadRecord* Pad;
    const stored::FillRecord* Fill;
};

struct Piece {
    // Bounds, rounded outwards: they only choose the pairs to test.
    float MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    std::uint32_t Slot = 0;   // the object's place in CopperNets::Ids
    std::uint16_t Layers = 0; // its copper layers, by their place in the layer sets
    CopperKind Kind = CopperKind::Track;
    Form Shape = Form::Disc;
    RecordOf Record{};
};

void CosSin(double degrees, double& c, double& s) {
    if (degrees == 0) { // most pads and fills: without the remainder's cost
        c = 1, s = 0;
        return;
    }
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

Outline OutlineOf(const stored::TrackRecord& t) {
    Outline o;
    o.Shape = Form::Capsule;
    o.A = {double(t.X1), double(t.Y1)};
    o.B = {double(t.X2), double(t.Y2)};
    o.Half = std::abs(double(t.Width)) / 2;
    return o;
}

Outline OutlineOf(const stored::ArcRecord& a) {
    Outline o;
    o.Shape = Form::Ring;
    o.A = o.B = {double(a.X), double(a.Y)};
    o.Radius = std::max(0.0, double(a.Radius));
    o.Half = std::abs(double(a.Width)) / 2;
    double sweep = std::fmod(a.EndAngle - a.StartAngle, 360.0);
    if (!std::isfinite(sweep) || sweep <= 0) {
        sweep += 360;
    }
    o.StartAngle = std::isfinite(a.StartAngle) ? a.StartAngle : 0;
    o.Sweep = std::isfinite(sweep) ? sweep : 360;
    return o;
}

Outline OutlineOf(const stored::ViaRecord& v) {
    Outline o;
    o.Shape = Form::Disc;
    o.A = o.B = {double(v.X), double(v.Y)};
    o.Half = std::abs(double(v.Size)) / 2;
    return o;
}

Outline OutlineOf(const stored::PadRecord& pad, Form shape) {
    Outline o;
    o.Shape = shape;
    o.A = o.B = {double(pad.X), double(pad.Y)};
    o.HalfX = std::abs(double(pad.XSize)) / 2;
    o.HalfY = std::abs(double(pad.YSize)) / 2;
    CosSin(pad.Rotation, o.Cos, o.Sin);
    o.Half = o.HalfX;
    return o;
}

Outline OutlineOf(const stored::FillRecord& f) {
    Outline o;
    o.Shape = Form::Box;
    o.A = o.B = {(double(f.X1) + f.X2) / 2, (double(f.Y1) + f.Y2) / 2};
    o.HalfX = std::abs(double(f.X2) - f.X1) / 2;
    o.HalfY = std::abs(double(f.Y2) - f.Y1) / 2;
    CosSin(f.Rotation, o.Cos, o.Sin);
    o.Corners = true;
    return o;
}

// How far the outline reaches from its points A and B.
double ReachOf(const Outline& o) {
    switch (o.Shape) {
    case Form::Capsule:
        return o.Half;
    case Form::Ring:
        return o.Radius + o.Half;
    case Form::Disc:
        return o.HalfX == 0 && o.HalfY == 0 ? o.Half : std::hypot(o.HalfX, o.HalfY);
    default:
        return std::hypot(o.HalfX, o.HalfY);
    }
}

// Where the piece's record is, whatever its kind.
const void* RecordAddress(const Piece& piece) {
    switch (piece.Kind) {
    case CopperKind::Track:
        return piece.Record.Track;
    case CopperKind::Arc:
        return piece.Record.Arc;
    case CopperKind::Via:
        return piece.Record.Via;
    case CopperKind::Pad:
        return piece.Record.Pad;
    case CopperKind::Fill:
        return piece.Record.Fill;
    }
    return nullptr;
}

Outline OutlineOf(const Piece& piece) {
    switch (piece.Kind) {
    case CopperKind::Track:
        return OutlineOf(*piece.Record.Track);
    case CopperKind::Arc:
        return OutlineOf(*piece.Record.Arc);
    case CopperKind::Via:
        return OutlineOf(*piece.Record.Via);
    case CopperKind::Pad:
        return OutlineOf(*piece.Record.Pad, piece.Shape);
    case CopperKind::Fill:
        return OutlineOf(*piece.Record.Fill);
    }
    return {};
}

// The points of a piece that join it to the pieces they lie on: the ends of tracks and arcs, the
// centres of vias, pads and fills, and the corners of fills.
struct Anchors {
    std::array<Point, 5> Points;
    std::size_t Count = 0;

    const Point* begin() const { return Points.data(); }
    const Point* end() const { return Points.data() + Count; }
    void Add(Point p) { Points[Count++] = p; }
};

Anchors AnchorsOf(const Outline& piece) {
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
Point Local(const Outline& piece, Point p) {
    const double x = p.X - piece.A.X, y = p.Y - piece.A.Y;
    return {x * piece.Cos + y * piece.Sin, -x * piece.Sin + y * piece.Cos};
}

bool Covers(const Outline& piece, Point p) {
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

bool Joined(const Outline& a, const Outline& b) {
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

// Gives every object its slot in the nets' table, with the net it has, and every piece of copper
// a piece.
class Collector {
public:
    Collector(const BoardStore& board, const LayerMap& layers, CopperNets& nets)
        : board_(board), layers_(layers), nets_(nets), netOfString_(board.StringCount(), Unknown) {}

    void Add(const StoredPrimitives& p) {
        // The kinds in the order of CopperKind.
        const auto begin = [&](std::size_t count) {
            nets_.Offsets.push_back(nets_.Ids.size());
            nets_.Ids.resize(nets_.Ids.size() + count, 0);
            return nets_.Offsets.back();
        };
        std::size_t slot = begin(p.Tracks.size());
        for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
            const stored::TrackRecord& t = p.Tracks.RecordAt(i);
            Piece piece = NewPiece(CopperKind::Track, slot++, t.Net, CopperOn(t.Layer));
            piece.Record.Track = &t;
            Keep(piece, OutlineOf(t));
        }
        slot = begin(p.Arcs.size());
        for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
            const stored::ArcRecord& a = p.Arcs.RecordAt(i);
            Piece piece = NewPiece(CopperKind::Arc, slot++, a.Net, CopperOn(a.Layer));
            piece.Record.Arc = &a;
            Keep(piece, OutlineOf(a));
        }
        slot = begin(p.Vias.size());
        for (std::size_t i = 0; i < p.Vias.size(); ++i) {
            const stored::ViaRecord& v = p.Vias.RecordAt(i);
            Piece piece = NewPiece(CopperKind::Via, slot++, v.Net, Span(v.StartLayer, v.EndLayer));
            piece.Record.Via = &v;
            Keep(piece, OutlineOf(v));
        }
        slot = begin(p.Pads.size());
        for (std::size_t i = 0; i < p.Pads.size(); ++i) {
            const stored::PadRecord& pad = p.Pads.RecordAt(i);
            const PadCopper& copper = PadCopperOf(p.Pads, i);
            Piece piece = NewPiece(CopperKind::Pad, slot++, pad.Net, copper.Copper);
            if (!copper.TakesNet) {
                continue;
            }
            piece.Shape = copper.Shape;
            piece.Record.Pad = &pad;
            Keep(piece, OutlineOf(pad, piece.Shape));
        }
        slot = begin(p.Fills.size());
        for (std::size_t i = 0; i < p.Fills.size(); ++i) {
            const stored::FillRecord& f = p.Fills.RecordAt(i);
            Piece piece = NewPiece(CopperKind::Fill, slot++, f.Net, CopperOn(f.Layer));
            piece.Record.Fill = &f;
            Keep(piece, OutlineOf(f));
        }
    }

    // Room for every object at once: grown by doubling, the pieces would at times be held twice.
    void Reserve(std::size_t objects) {
        pieces_.reserve(objects);
        nets_.Ids.reserve(objects);
    }

    std::vector<Piece>& Pieces() { return pieces_; }
    const std::vector<CopperMask>& LayerSets() const { return layerSets_; }

private:
    static constexpr std::uint32_t Unknown = std::numeric_limits<std::uint32_t>::max();

    // What a pad's form gives its copper.
    struct PadCopper {
        CopperMask Copper = 0;
        bool TakesNet = false;
        Form Shape = Form::Box;
    };
    // The parts of a pad record its form depends on.
    struct PadKey {
        stored::StringId Layer;
        std::int32_t XSize, YSize, Hole;
        std::uint8_t ShapeCode, CornerPercent;
        bool operator==(const PadKey&) const = default;
    };
    struct PadKeyHash {
        std::size_t operator()(const PadKey& key) const {
            return PadFormHash(key.Layer, key.XSize, key.YSize, key.Hole, key.ShapeCode,
                               key.CornerPercent);
        }
    };

    // The pads of a board come in a few forms: each is worked out once, from the record alone.
    const PadCopper& PadCopperOf(const StoredColumn<Pad, stored::PadRecord>& pads, std::size_t i) {
        const stored::PadRecord& r = pads.RecordAt(i);
        const PadKey key{r.Layer, r.XSize, r.YSize, r.Hole, r.ShapeCode, r.CornerPercent};
        if (const auto found = padCopper_.find(key); found != padCopper_.end()) {
            return found->second;
        }
        if (padCopper_.size() >= PadForms::MostKept) {
            padCopper_.clear();
        }
        const PadForm form = PadFormOf(pads[i], layers_);
        const Form shape = form.Shape == "circle" ? Form::Disc
                           : form.Shape == "oval" ? Form::Oval
                           : form.Octagon         ? Form::Octagon
                                                  : Form::Box;
        return padCopper_.emplace(key, PadCopper{form.Copper, form.TakesNet, shape}).first->second;
    }

    // The copper layers of a host layer, asked of the layer map once a layer.
    CopperMask CopperOn(stored::StringId layer) {
        if (layer >= copperOn_.size()) {
            copperOn_.resize(layer + 1);
        }
        if (!copperOn_[layer]) {
            copperOn_[layer] = layers_.CopperOn(std::string(board_.String(layer)));
        }
        return *copperOn_[layer];
    }

    CopperMask Span(stored::StringId from, stored::StringId to) {
        const auto [found, added] = spans_.try_emplace({from, to}, 0);
        if (added) {
            found->second =
                layers_.Span(std::string(board_.String(from)), std::string(board_.String(to)));
        }
        return found->second;
    }

    // The object's net, by the number of its name in the store, asked of the nets once a name.
    std::uint32_t NetOf(stored::StringId net) {
        if (net == stored::NoNet) {
            return 0;
        }
        std::uint32_t& id = netOfString_[net];
        if (id == Unknown) {
            id = nets_.Intern(board_.String(net));
        }
        return id;
    }

    Piece NewPiece(CopperKind kind, std::size_t slot, stored::StringId net, CopperMask copper) {
        nets_.Ids[slot] = NetOf(net);
        Piece piece;
        piece.Kind = kind;
        piece.Slot = std::uint32_t(slot);
        piece.Layers = LayerSetOf(copper);
        return piece;
    }

    // The place of a set of copper layers among the sets of the pieces; 0 is the empty set.
    std::uint16_t LayerSetOf(CopperMask copper) {
        const auto [found, added] = layerSetIds_.try_emplace(copper, layerSets_.size());
        if (added) {
            // Boards have copper on at most 32 layers: their sets from one layer to another, and
            // every one, fit many times over.
            if (layerSets_.size() > UINT16_MAX) {
                throw std::length_error("too many sets of copper layers");
            }
            layerSets_.push_back(copper);
        }
        return std::uint16_t(found->second);
    }

    void Keep(Piece piece, const Outline& outline) {
        if (piece.Layers == 0) {
            return;
        }
        const double reach = ReachOf(outline);
        piece.MinX = Below(std::min(outline.A.X, outline.B.X) - reach);
        piece.MaxX = Above(std::max(outline.A.X, outline.B.X) + reach);
        piece.MinY = Below(std::min(outline.A.Y, outline.B.Y) - reach);
        piece.MaxY = Above(std::max(outline.A.Y, outline.B.Y) + reach);
        pieces_.push_back(piece);
    }

    const BoardStore& board_;
    const LayerMap& layers_;
    CopperNets& nets_;
    std::unordered_map<PadKey, PadCopper, PadKeyHash> padCopper_;
    std::vector<std::optional<CopperMask>> copperOn_;
    std::map<std::pair<stored::StringId, stored::StringId>, CopperMask> spans_;
    std::vector<std::uint32_t> netOfString_;
    std::vector<CopperMask> layerSets_ = {0};
    std::unordered_map<CopperMask, std::size_t> layerSetIds_ = {{0, 0}};
    std::vector<Piece> pieces_;
};

class Groups {
public:
    explicit Groups(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::uint32_t{0});
    }

    std::uint32_t Root(std::size_t piece) {
        auto i = std::uint32_t(piece);
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }

    void Prefetch(std::size_t piece) const { __builtin_prefetch(&parent_[piece]); }

    void Join(std::size_t a, std::size_t b) {
        const std::uint32_t ra = Root(a), rb = Root(b);
        if (ra != rb) {
            parent_[std::max(ra, rb)] = std::min(ra, rb);
        }
    }

private:
    std::vector<std::uint32_t> parent_; // pieces are counted in 32 bits
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
void JoinTouching(const std::vector<Piece>& pieces, const std::vector<CopperMask>& layerSets,
                  Groups& groups) {
    if (pieces.empty()) {
        return;
    }
    const Grid grid = GridFor(pieces);
    // The cells go into buckets by a hash, counted first and then filled (no sort, and a number
    // per entry): pieces of two cells that share a bucket are only tested in vain.
    const auto eachCell = [&](const Piece& p, const auto& take) {
        for (std::int32_t column = grid.Column(p.MinX); column <= grid.Column(p.MaxX); ++column) {
            for (std::int32_t row = grid.Row(p.MinY); row <= grid.Row(p.MaxY); ++row) {
                take(column, row);
            }
        }
    };
    std::size_t bucketCount = 1;
    while (bucketCount < pieces.size()) {
        bucketCount *= 2;
    }
    const auto bucketOf = [&](std::int32_t column, std::int32_t row) {
        std::uint64_t key =
            std::uint64_t(std::uint32_t(column)) << 32 | std::uint64_t(std::uint32_t(row));
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return std::size_t(key & (bucketCount - 1));
    };
    std::vector<std::uint32_t> starts(bucketCount + 1, 0);
    for (const Piece& p : pieces) {
        eachCell(
            p, [&](std::int32_t column, std::int32_t row) { ++starts[bucketOf(column, row) + 1]; });
    }
    for (std::size_t b = 0; b < bucketCount; ++b) {
        starts[b + 1] += starts[b];
    }
    std::vector<std::uint32_t> members(starts.back());
    {
        std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            eachCell(pieces[i], [&](std::int32_t column, std::int32_t row) {
                members[next[bucketOf(column, row)]++] = std::uint32_t(i);
            });
        }
    }
    // The groups do not depend on the order in which pairs are joined.
    // The pieces of a bucket a few ahead are asked for early: they lie anywhere in memory, and
    // their waits overlap the tests of the buckets before.
    constexpr std::size_t PrefetchAhead = 4;
    for (std::size_t b = 0; b < bucketCount; ++b) {
        if (b + PrefetchAhead < bucketCount) {
            for (std::size_t i = starts[b + PrefetchAhead]; i < starts[b + PrefetchAhead + 1];
                 ++i) {
                __builtin_prefetch(&pieces[members[i]]);
            }
        }
        // Then their records and groups, now that the pieces are near.
        if (b + PrefetchAhead / 2 < bucketCount) {
            for (std::size_t i = starts[b + PrefetchAhead / 2];
                 i < starts[b + PrefetchAhead / 2 + 1]; ++i) {
                __builtin_prefetch(RecordAddress(pieces[members[i]]));
                groups.Prefetch(members[i]);
            }
        }
        for (std::size_t i = starts[b]; i < starts[b + 1]; ++i) {
            const std::size_t ai = members[i];
            const Piece& a = pieces[ai];
            std::optional<Outline> outlineOfA; // made when first needed
            for (std::size_t j = i + 1; j < starts[b + 1]; ++j) {
                const std::size_t bi = members[j];
                const Piece& other = pieces[bi];
                if ((layerSets[a.Layers] & layerSets[other.Layers]) != 0 && other.MinX <= a.MaxX &&
                    a.MinX <= other.MaxX && other.MinY <= a.MaxY && a.MinY <= other.MaxY &&
                    groups.Root(ai) != groups.Root(bi)) {
                    if (!outlineOfA) {
                        outlineOfA = OutlineOf(a);
                    }
                    if (Joined(*outlineOfA, OutlineOf(other))) {
                        groups.Join(ai, bi);
                    }
                }
            }
        }
    }
}

// KiCad's name for a net without a name: after its first pad.
std::string UnnamedNetName(const PadRef& pad, const BoardStore& board) {
    return "Net-(" + std::string(board.String(pad.Reference)) + "-Pad" +
           std::string(board.String(pad.Name)) + ")";
}

bool PadBefore(const PadRef& a, const PadRef& b, const BoardStore& board) {
    if (a.Reference != b.Reference) {
        return NaturalLess(std::string(board.String(a.Reference)),
                           std::string(board.String(b.Reference)));
    }
    return a.Name != b.Name &&
           NaturalLess(std::string(board.String(a.Name)), std::string(board.String(b.Name)));
}

// Gives each group that reaches no net and joins a pad to other copper a net of its own; returns
// how many. Names are made unique with a suffix where two groups would share one (two components
// of one designator).
// The pad of a piece of a pad, with its footprint's reference: its component's designator,
// found by the container of its slot, or its own name for a free pad.
PadRef PadRefOf(const Piece& piece, const CopperNets& nets, const BoardStore& board) {
    const auto after = std::upper_bound(nets.Offsets.begin(), nets.Offsets.end(), piece.Slot);
    const auto container = std::size_t(after - nets.Offsets.begin() - 1) / CopperKinds;
    const stored::StringId name = piece.Record.Pad->Name;
    return {container == 0 ? name : board.ComponentRecordAt(container - 1).Designator, name};
}

std::size_t DeriveNets(CopperNets& nets, const std::vector<Piece>& pieces, const BoardStore& board,
                       Groups& groups) {
    std::vector<std::uint32_t> size(pieces.size(), 0), firstPad(pieces.size(), NoPad);
    std::vector<bool> netted(pieces.size(), false);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t root = groups.Root(i);
        ++size[root];
        netted[root] = netted[root] || nets.Ids[pieces[i].Slot] != 0;
        if (pieces[i].Kind == CopperKind::Pad &&
            (firstPad[root] == NoPad ||
             PadBefore(PadRefOf(pieces[i], nets, board),
                       PadRefOf(pieces[firstPad[root]], nets, board), board))) {
            firstPad[root] = std::uint32_t(i);
        }
    }
    std::vector<std::pair<std::string, std::size_t>> derived; // name, group
    for (std::size_t root = 0; root < pieces.size(); ++root) {
        if (size[root] >= 2 && firstPad[root] != NoPad && !netted[root]) {
            derived.emplace_back(
                UnnamedNetName(PadRefOf(pieces[firstPad[root]], nets, board), board), root);
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
        named.emplace(root, nets.Intern(std::string_view(unique)));
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
    return net ? Intern(std::string_view(*net)) : 0;
}

std::uint32_t CopperNets::Intern(std::string_view name) {
    return names_.Intern(name) + 1;
}

std::uint32_t CopperNets::IdOfName(std::string_view name) const {
    const auto found = names_.Find(name);
    return found ? *found + 1 : 0;
}

std::uint32_t CopperNets::IdOf(std::size_t container, CopperKind kind, std::size_t index) const {
    return Ids[Offsets[container * CopperKinds + std::size_t(kind)] + index];
}

NetName CopperNets::Of(std::size_t container, CopperKind kind, std::size_t index) const {
    const std::uint32_t id = IdOf(container, kind, index);
    return id == 0 ? NetName() : NetName(std::string(Name(id)));
}

CopperNets WithCopperNets(const Board& board, const LayerMap& layers, bool deriveNets) {
    return WithCopperNets(StoreOf(board), layers, deriveNets);
}

CopperNets WithCopperNets(const BoardStore& board, const LayerMap& layers, bool deriveNets) {
    CopperNets nets;
    for (std::size_t i = 0; i < board.NetCount(); ++i) {
        nets.Intern(board.NetNameAt(i));
    }
    for (const Plane& plane : board.Planes()) {
        nets.Intern(plane.Net);
    }
    std::vector<Piece> pieces;
    std::vector<CopperMask> layerSets;
    {
        Collector collector(board, layers, nets);
        const auto objects = [](const StoredPrimitives& p) {
            return p.Tracks.size() + p.Arcs.size() + p.Vias.size() + p.Pads.size() + p.Fills.size();
        };
        std::size_t count = objects(board.Free());
        for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
            count += objects(board.ChildrenOf(i));
        }
        collector.Reserve(count);
        collector.Add(board.Free());
        for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
            collector.Add(board.ChildrenOf(i));
        }
        pieces = std::move(collector.Pieces());
        layerSets = collector.LayerSets();
    }
    Groups groups(pieces.size());
    JoinTouching(pieces, layerSets, groups);

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
        nets.Derived = DeriveNets(nets, pieces, board, groups);
    }
    return nets;
}

} // namespace corvane::cli::kicad
