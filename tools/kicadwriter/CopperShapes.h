#pragma once
// What a piece of copper covers and the points that join it to others: the hit tests of the copper
// nets. Two pieces are joined when an end of a track or arc, the centre of a via or pad, or a
// corner or the centre of a fill lies on the other, as KiCad joins them. In host units, y up.

#include "boardmodel/BoardStore.h"
#include "kicadwriter/BoundsGrid.h"
#include "kicadwriter/CopperNets.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane::cli::kicad {

struct CopperPoint {
    double X = 0, Y = 0;
};

enum class CopperForm : std::uint8_t { Capsule, Ring, Disc, Oval, Box, Octagon };

/// What a piece covers, made from its record when a test of touch needs it.
struct CopperOutline {
    CopperForm Shape = CopperForm::Disc;
    bool Corners = false;                           // fills: their corners are anchors too
    CopperPoint A, B;                               // capsule ends; centre of everything else in A
    double Half = 0;                                // capsule and ring half width, disc radius
    double HalfX = 0, HalfY = 0;                    // boxes, ovals and octagons
    double Cos = 1, Sin = 0;                        // rotation of boxes, ovals and octagons
    double Radius = 0, StartAngle = 0, Sweep = 360; // rings (arcs)
};

/// The object's record in the store, of the piece's kind.
union CopperRecord {
    const stored::TrackRecord* Track;
    const stored::ArcRecord* Arc;
    const stored::ViaRecord* Via;
    const stored::PadRecord* Pad;
    const stored::FillRecord* Fill;
};

/// A piece of copper as the joining keeps it: there is one for nearly every object of the board,
/// so it keeps what chooses the pairs to test and points at its record for the rest (32 bytes).
struct CopperPiece {
    Bounds Box;
    std::uint32_t Slot = 0;   // the object's place in CopperNets::Ids
    std::uint16_t Layers = 0; // its copper layers, by their place in the layer sets
    CopperKind Kind = CopperKind::Track;
    CopperForm Shape = CopperForm::Disc; // pads: their form
    CopperRecord Record{};
};

CopperOutline OutlineOf(const stored::TrackRecord& t);
CopperOutline OutlineOf(const stored::ArcRecord& a);
CopperOutline OutlineOf(const stored::ViaRecord& v);
CopperOutline OutlineOf(const stored::PadRecord& pad, CopperForm shape);
CopperOutline OutlineOf(const stored::FillRecord& f);
CopperOutline OutlineOf(const CopperPiece& piece);

/// The box of an outline, rounded outwards: every point it covers lies within, and every anchor
/// of it.
Bounds BoundsOf(const CopperOutline& o);

/// Whether two pieces cover the same copper: the same layers and outline, whatever else their
/// records hold.
bool SameCopper(const CopperPiece& a, const CopperPiece& b);

/// Where the piece's record is, whatever its kind (to ask for it early).
const void* RecordAddress(const CopperPiece& piece);

/// The points of a piece that join it to the pieces they lie on: the ends of tracks and arcs,
/// the centres of vias, pads and fills, and the corners of fills.
struct CopperAnchors {
    std::array<CopperPoint, 5> Points;
    std::size_t Count = 0;

    const CopperPoint* begin() const { return Points.data(); }
    const CopperPoint* end() const { return Points.data() + Count; }
    void Add(CopperPoint p) { Points[Count++] = p; }
};

CopperAnchors AnchorsOf(const CopperOutline& piece);

/// Whether the point lies on the piece.
bool Covers(const CopperOutline& piece, CopperPoint p);

/// Whether an anchor of either lies on the other.
bool CopperJoined(const CopperOutline& a, const CopperOutline& b);

} // namespace corvane::cli::kicad
