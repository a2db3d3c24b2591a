#include "svgwriter/LayerStyle.h"

#include "boardfacts/HostLayers.h"

#include <array>
#include <string_view>

namespace corvane::cli {
namespace {

template <std::size_t N> const char* Cycle(const std::array<const char*, N>& colours, int number) {
    return colours[static_cast<std::size_t>(number - 1) % N];
}

} // namespace

LayerStyle StyleOfLayer(const std::string& name) {
    // Colours in the manner of the classic PCB editors: red top copper, blue bottom copper,
    // yellow top overlay, greens for planes, magenta keep-out, purples for mechanical layers.
    // Inner layers take hues far from the overlays' yellow and brown (and Mid 2, 3, 4 and 14, the
    // ones a Corvane file uses, differ from one another); vias are set apart from the silver of
    // multi-layer pads (ViaColour). The tests measure these distances.
    static const std::array<const char*, 7> midColours = {
        "#a0a0ff", "#40c0ff", "#ff6f9f", "#20b2aa", "#b070e0", "#60e0a0", "#ffb0e0"};
    static const std::array<const char*, 4> planeColours = {"#2e7d32", "#4caf50", "#1b5e20",
                                                            "#66bb6a"};
    static const std::array<const char*, 4> mechanicalColours = {"#a070ff", "#ff80c0", "#70c0ff",
                                                                 "#c0a0ff"};
    if (name == "BottomOverlay") {
        return {"#c08840", 10};
    }
    if (name == "BottomPaste" || name == "BottomSolder") {
        return {"#6a4a8a", 20};
    }
    if (name == BottomLayerName) {
        return {"#3c64e6", 30};
    }
    if (const int n = LayerNumberIn(InternalPlanes, name)) {
        return {Cycle(planeColours, n), 40 + n};
    }
    if (const int n = LayerNumberIn(MidLayers, name)) {
        return {Cycle(midColours, n), 100 - n};
    }
    if (name == TopLayerName) {
        return {"#e03c3c", 110};
    }
    if (name == "TopPaste" || name == "TopSolder") {
        return {"#8a5aaa", 120};
    }
    if (name == "TopOverlay") {
        return {"#f0e040", 130};
    }
    if (const int n = LayerNumberIn(MechanicalLayers, name)) {
        return {Cycle(mechanicalColours, n), 140 + n};
    }
    if (name == KeepOutLayerName) {
        return {"#ff40ff", 160};
    }
    if (name == "DrillGuide" || name == "DrillDrawing") {
        return {"#d08040", 170};
    }
    if (name == MultiLayerName) {
        return {"#c8c8c8", 180};
    }
    return {"#909090", 175};
}

} // namespace corvane::cli
