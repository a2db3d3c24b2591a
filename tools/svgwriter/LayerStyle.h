#pragma once
// How each layer looks in the picture: its colour and where it lies in the drawing order.

#include <string>

namespace corvane::cli {

struct LayerStyle {
    std::string Colour; // "#rrggbb"
    /// Lower is drawn first: the bottom side first, the top side over it, then the layers that
    /// mark rather than make copper.
    int Order = 0;
};

/// The style of a layer by its name ("TopLayer", "MidLayer3", "Mechanical1", ...).
LayerStyle StyleOfLayer(const std::string& layerName);

/// The colour of the board behind everything, also the colour of holes.
inline constexpr const char* BackgroundColour = "#10121a";
/// Vias go through every copper layer; their colour sets them apart from multi-layer pads.
inline constexpr const char* ViaColour = "#00c8a0";

} // namespace corvane::cli
