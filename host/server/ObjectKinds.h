#pragma once
// The host's object kind codes (the same codes the plug-in's model uses) and which container
// takes which kind.

#include <cstdint>

namespace halvex {

enum class ObjectKind : std::uint8_t {
    Arc = 1,
    Pad = 2,
    Via = 3,
    Track = 4,
    Text = 5,
    Fill = 6,
    FromTo = 7,
    Net = 8,
    Component = 9,
    Polygon = 10,
    Region = 11,
    ComponentBody = 12,
    Dimension = 13,
    Coordinate = 14,
    ObjectClass = 15,
    Rule = 16,
    ManualFromTo = 17,
    DifferentialPair = 18,
    Violation = 19,
    Embedded = 20,
    EmbeddedBoard = 21,
    SplitPlane = 22,
    BoardOutline = 26,
};

/// True for the codes the server can create: 1..22 and 26 (0, 23..25 and 27.. have no kind).
constexpr bool IsKnownKind(std::uint8_t code) { return (code >= 1 && code <= 22) || code == 26; }

/// Kinds a component takes as children: arcs, pads, vias, tracks, texts, fills, regions and
/// component bodies.
constexpr bool IsComponentPart(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Arc:
    case ObjectKind::Pad:
    case ObjectKind::Via:
    case ObjectKind::Track:
    case ObjectKind::Text:
    case ObjectKind::Fill:
    case ObjectKind::Region:
    case ObjectKind::ComponentBody:
        return true;
    default:
        return false;
    }
}

/// Kinds that conduct and so can be members of a net: arcs, pads, vias, tracks, fills, polygons,
/// regions and split planes.
constexpr bool IsNetMemberKind(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Arc:
    case ObjectKind::Pad:
    case ObjectKind::Via:
    case ObjectKind::Track:
    case ObjectKind::Fill:
    case ObjectKind::Polygon:
    case ObjectKind::Region:
    case ObjectKind::SplitPlane:
        return true;
    default:
        return false;
    }
}

} // namespace halvex
