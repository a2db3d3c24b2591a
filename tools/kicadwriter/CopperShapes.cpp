#include "kicadwriter/CopperShapes.h"

#include "boardfacts/QuarterTurn.h"
#include "kicadwriter/DoubleBits.h"
#include "kicadwriter/KicadPads.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::cli::kicad {
namespace {

// Host units: the rounding of the tests of touch is a millionth of that on any board.
constexpr double BoundsSlack = 1;

double SegmentDistance(CopperPoint p, CopperPoint a, CopperPoint b) {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

// The point in the piece's own frame (unrotated, centred).
CopperPoint Local(const CopperOutline& piece, CopperPoint p) {
    const double x = p.X - piece.A.X, y = p.Y - piece.A.Y;
    return {x * piece.Cos + y * piece.Sin, -x * piece.Sin + y * piece.Cos};
}

} // namespace

CopperOutline OutlineOf(const stored::TrackRecord& t) {
    CopperOutline o;
    o.Shape = CopperForm::Capsule;
    o.A = {double(t.X1), double(t.Y1)};
    o.B = {double(t.X2), double(t.Y2)};
    o.Half = std::abs(double(t.Width)) / 2;
    return o;
}

CopperOutline OutlineOf(const stored::ArcRecord& a) {
    CopperOutline o;
    o.Shape = CopperForm::Ring;
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

CopperOutline OutlineOf(const stored::ViaRecord& v) {
    CopperOutline o;
    o.Shape = CopperForm::Disc;
    o.A = o.B = {double(v.X), double(v.Y)};
    o.Half = std::abs(double(v.Size)) / 2;
    return o;
}

CopperOutline OutlineOf(const stored::PadRecord& pad, CopperForm shape) {
    CopperOutline o;
    o.Shape = shape;
    o.A = o.B = {double(pad.X), double(pad.Y)};
    o.HalfX = std::abs(double(pad.XSize)) / 2;
    o.HalfY = std::abs(double(pad.YSize)) / 2;
    const CosSin turn = CosSinOfDegrees(pad.Rotation);
    o.Cos = turn.Cos, o.Sin = turn.Sin;
    o.Half = o.HalfX;
    return o;
}

CopperOutline OutlineOf(const stored::FillRecord& f) {
    CopperOutline o;
    o.Shape = CopperForm::Box;
    o.A = o.B = {(double(f.X1) + f.X2) / 2, (double(f.Y1) + f.Y2) / 2};
    o.HalfX = std::abs(double(f.X2) - f.X1) / 2;
    o.HalfY = std::abs(double(f.Y2) - f.Y1) / 2;
    const CosSin turn = CosSinOfDegrees(f.Rotation);
    o.Cos = turn.Cos, o.Sin = turn.Sin;
    o.Corners = true;
    return o;
}

Bounds BoundsOf(const CopperOutline& o) {
    // How far the outline reaches from its points A and B, along x and y.
    double x = o.Half, y = o.Half;
    switch (o.Shape) {
    case CopperForm::Capsule:
    case CopperForm::Disc:
        break;
    case CopperForm::Ring:
        x = y = o.Radius + o.Half;
        break;
    default:
        if (o.Sin == 0) { // boxes, ovals and octagons square to the axes: most pads and fills
            x = o.HalfX, y = o.HalfY;
        } else if (o.Cos == 0) {
            x = o.HalfY, y = o.HalfX;
        } else {
            x = y = std::hypot(o.HalfX, o.HalfY);
        }
    }
    // A host unit more: what rounding may put on the outline lies within its bounds.
    x += BoundsSlack, y += BoundsSlack;
    return {FloatBelow(std::min(o.A.X, o.B.X) - x), FloatBelow(std::min(o.A.Y, o.B.Y) - y),
            FloatAbove(std::max(o.A.X, o.B.X) + x), FloatAbove(std::max(o.A.Y, o.B.Y) + y)};
}

bool SameCopper(const CopperPiece& a, const CopperPiece& b) {
    if (a.Kind != b.Kind || a.Layers != b.Layers || a.Shape != b.Shape) {
        return false;
    }
    switch (a.Kind) {
    case CopperKind::Track: {
        const stored::TrackRecord &x = *a.Record.Track, &y = *b.Record.Track;
        return x.X1 == y.X1 && x.Y1 == y.Y1 && x.X2 == y.X2 && x.Y2 == y.Y2 && x.Width == y.Width;
    }
    case CopperKind::Arc: {
        const stored::ArcRecord &x = *a.Record.Arc, &y = *b.Record.Arc;
        return x.X == y.X && x.Y == y.Y && x.Radius == y.Radius && x.Width == y.Width &&
               DoubleBits(x.StartAngle) == DoubleBits(y.StartAngle) &&
               DoubleBits(x.EndAngle) == DoubleBits(y.EndAngle);
    }
    case CopperKind::Via: {
        const stored::ViaRecord &x = *a.Record.Via, &y = *b.Record.Via;
        return x.X == y.X && x.Y == y.Y && x.Size == y.Size;
    }
    case CopperKind::Pad: {
        const stored::PadRecord &x = *a.Record.Pad, &y = *b.Record.Pad;
        return x.X == y.X && x.Y == y.Y && x.XSize == y.XSize && x.YSize == y.YSize &&
               DoubleBits(x.Rotation) == DoubleBits(y.Rotation);
    }
    case CopperKind::Fill: {
        const stored::FillRecord &x = *a.Record.Fill, &y = *b.Record.Fill;
        return x.X1 == y.X1 && x.Y1 == y.Y1 && x.X2 == y.X2 && x.Y2 == y.Y2 &&
               DoubleBits(x.Rotation) == DoubleBits(y.Rotation);
    }
    }
    return false;
}

// Where the piece's record is, whatever its kind.
const void* RecordAddress(const CopperPiece& piece) {
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

CopperOutline OutlineOf(const CopperPiece& piece) {
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

CopperAnchors AnchorsOf(const CopperOutline& piece) {
    CopperAnchors anchors;
    if (piece.Shape == CopperForm::Capsule) {
        anchors.Add(piece.A);
        anchors.Add(piece.B);
    } else if (piece.Shape == CopperForm::Ring) {
        for (const double angle : {piece.StartAngle, piece.StartAngle + piece.Sweep}) {
            const auto [c, s] = CosSinOfDegrees(angle);
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

bool Covers(const CopperOutline& piece, CopperPoint p) {
    switch (piece.Shape) {
    case CopperForm::Capsule:
        return SegmentDistance(p, piece.A, piece.B) <= piece.Half;
    case CopperForm::Disc:
        return std::hypot(p.X - piece.A.X, p.Y - piece.A.Y) <= piece.Half;
    case CopperForm::Ring: {
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
        const CopperAnchors ends = AnchorsOf(piece);
        return angle <= piece.Sweep || std::any_of(ends.begin(), ends.end(), [&](CopperPoint end) {
                   return std::hypot(p.X - end.X, p.Y - end.Y) <= piece.Half;
               });
    }
    case CopperForm::Oval: {
        const CopperPoint l = Local(piece, p);
        const double reach = std::abs(piece.HalfX - piece.HalfY);
        const CopperPoint a =
            piece.HalfX > piece.HalfY ? CopperPoint{-reach, 0} : CopperPoint{0, -reach};
        const CopperPoint b =
            piece.HalfX > piece.HalfY ? CopperPoint{reach, 0} : CopperPoint{0, reach};
        return SegmentDistance(l, a, b) <= std::min(piece.HalfX, piece.HalfY);
    }
    case CopperForm::Box: {
        const CopperPoint l = Local(piece, p);
        return std::abs(l.X) <= piece.HalfX && std::abs(l.Y) <= piece.HalfY;
    }
    case CopperForm::Octagon: {
        const CopperPoint l = Local(piece, p);
        const double cut = 2 * std::min(piece.HalfX, piece.HalfY) * OctagonChamferRatio;
        return std::abs(l.X) <= piece.HalfX && std::abs(l.Y) <= piece.HalfY &&
               std::abs(l.X) + std::abs(l.Y) <= piece.HalfX + piece.HalfY - cut;
    }
    }
    return false;
}

bool CopperJoined(const CopperOutline& a, const CopperOutline& b) {
    const CopperAnchors ofA = AnchorsOf(a), ofB = AnchorsOf(b);
    return std::any_of(ofA.begin(), ofA.end(), [&](CopperPoint p) { return Covers(b, p); }) ||
           std::any_of(ofB.begin(), ofB.end(), [&](CopperPoint p) { return Covers(a, p); });
}

} // namespace corvane::cli::kicad
