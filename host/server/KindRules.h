#pragma once
// Which kinds the server can create and which container takes which kind.

#include "contract/ObjectKindCodes.h"

#include <cstdint>

namespace halvex {

using corvane::ObjectKind;

/// True for the codes the server can create: 1..22 and 26 (0, 23..25 and 27.. have no kind).
constexpr bool IsKnownKind(std::uint8_t code) {
    return (code >= 1 && code <= 22) || code == 26;
}

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
