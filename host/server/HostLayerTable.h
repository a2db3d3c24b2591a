#pragma once
// The host's own layer table: the 83 classic layer names and the conversions between a classic
// layer number (TLayer, 0..82) and the host's 32-bit layer identifier (TLayerId). The server keeps
// every object's layer as a TLayerId; the few entries that exchange a one-byte TLayer (vias,
// components, the layer stack) convert at the boundary.

#include "contract/HostTypes.h"

#include <string_view>

namespace halvex {

using corvane::TLayer;
using corvane::TLayerId;

/// Number of classic layers, 0 ("NoLayer") to 82 ("ViaHoleLayer").
inline constexpr int ClassicLayerCount = 83;
inline constexpr TLayer MaxClassicLayer = 82;

// Classic layers the server names in its defaults.
inline constexpr TLayer NoLayer = 0;
inline constexpr TLayer TopLayer = 1;
inline constexpr TLayer BottomLayer = 32;
inline constexpr TLayer TopOverlay = 33;
inline constexpr TLayer BottomOverlay = 34;
inline constexpr TLayer InternalPlane1 = 39;
inline constexpr TLayer InternalPlane2 = 40;
inline constexpr TLayer InternalPlane16 = 54;
inline constexpr TLayer Mechanical1 = 57;
inline constexpr TLayer MultiLayer = 74;

/// The name of a classic layer ("TopLayer", "MidLayer1", ...); "" above 82.
std::string_view ClassicLayerName(TLayer layer);

/// True for the internal planes 39..54.
constexpr bool IsClassicPlane(TLayer layer) {
    return layer >= 39 && layer <= 54;
}

/// The identifier of a classic layer: the same number with class tag 0; 0 for values above 82.
constexpr TLayerId ToLayerId(TLayer layer) {
    return layer <= MaxClassicLayer ? layer : 0;
}

/// The classic layer of an identifier. Classic identifiers give their own number; extended signal
/// layers fold onto a mid layer (beyond MidLayer30 onto 31), extended planes onto 39..54 and
/// extended mechanical layers onto 57..72; anything else gives 0.
TLayer ToClassicLayer(TLayerId id);

} // namespace halvex
