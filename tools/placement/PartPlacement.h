#pragma once
// Where a part sits for its assembly: the centre of its pads and its rotation, which the board
// file does not store. The rotation is inferred from the pads, in KiCad's library conventions for
// a footprint at rotation 0 (docs/kicad-export.md): two pads, pin 1 left of pin 2; one row, pin 1
// at the top and the pins running down; two rows, pin 1 at the top left and the pins running down
// the left side.

#include "boardmodel/BoardBulk.h"
#include "boardmodel/BoardModel.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane::cli {

/// Which convention the rotation follows; NotInferred: the pads fit none (rotation 0).
enum class RotationRule { TwoPads, OneRow, TwoRows, NotInferred };

/// The rule's name in the placement file: "two pads", "one row", "two rows", "not inferred".
std::string_view RotationRuleName(RotationRule rule);

struct InferredRotation {
    double Degrees = 0; // counter-clockwise, as KiCad gives the footprint: 0, 90, 180 or 270
    RotationRule Rule = RotationRule::NotInferred;
};

/// The rotation that turns the footprint of these pads, as a library footprint of rotation 0
/// (on the bottom: flipped as KiCad flips a footprint, top to bottom), onto the board. Pads named
/// "1" and "2" give the direction; pads of one name at one place count once.
InferredRotation InferRotation(const std::vector<Pad>& pads, bool bottom);

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
std::optional<BoardBulk> PadBulk(const Board& board);

} // namespace corvane::cli
