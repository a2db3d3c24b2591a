#pragma once
// Where a part sits for its assembly: the centre of its pads and its rotation, which the board
// file does not store. The rotation is inferred from the pads (and, for three pins, the package
// family its pattern names), in KiCad's library conventions for a footprint at rotation 0; the
// table of rules and the library footprint each one follows is in docs/kicad-export.md.

#include "boardmodel/BoardBulk.h"
#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane::cli {

/// Which convention the rotation follows; NotInferred: the pads fit none (rotation 0).
enum class RotationRule {
    TwoPads,  // pins 1 and 2: 1 left of 2 (resistors, capacitors)
    Diode,    // pins K and A: K, KiCad's pin 1, left of A
    OneRow,   // three or more in a line: pin 1 at the top, running down (headers, SIPs)
    TwoRows,  // pin 1 top left, running down the left side, a row to the right (DIP, SOT-23)
    InARow,   // a transistor's three pins in a line: pin 1 left, running right (TO-92 inline)
    Triangle, // a transistor's or trimmer's three pins in a triangle: its apex, pin 2, up
              // (TO-92) or to the right (trimmer)
    RowsLeftToRight, // two rows numbered the same way: pin 1 at the left end of the top row,
                     // running right, the other row below (D-sub, its mounting holes aside)
    NotInferred,     // the pads fit none of these
};

/// The rule's name in the placement file: "two pads", "diode", "one row", "two rows",
/// "three in a row", "triangle", "rows left to right", "not inferred".
std::string_view RotationRuleName(RotationRule rule);

struct InferredRotation {
    double Degrees = 0; // counter-clockwise, as KiCad gives the footprint: 0, 90, 180 or 270
    RotationRule Rule = RotationRule::NotInferred;
};

/// The rotation that turns the footprint of these pads, as a library footprint of rotation 0
/// (on the bottom: flipped as KiCad flips a footprint, top to bottom), onto the board. Pads named
/// "1" and "2" (or "K" and "A") give the direction; pads of one name at one place count once;
/// mounting holes (pads named "0" or without a name) are set aside. The pattern tells transistors
/// (TO-92, TO-220, ...) and trimmers (VR4, ...) apart, whose three pins follow their own rules.
InferredRotation InferRotation(const std::vector<Pad>& pads, bool bottom, std::string_view pattern);

struct PartPlacement {
    std::int64_t X = 0, Y = 0; // the centre of the pads' bounding box, host units
    InferredRotation Rotation;
};

/// The rotation of the component's footprint: the inferred one, else the component's own.
double FootprintRotation(const Component& component, const InferredRotation& inferred);

/// The placement of a component: its reference point and rotation 0 when it has no pads. Given
/// the bulk of the board (host units), pads far from the rest of the board (a damaged value)
/// are left out of the centre, unless all are.
PartPlacement PlacementOf(const Component& component,
                          const std::optional<BoardBulk>& bulk = std::nullopt);

/// The bulk of the board's pads, free and in components, in host units: what placements are
/// measured against.
std::optional<BoardBulk> PadBulk(const BoardStore& board);

} // namespace corvane::cli
