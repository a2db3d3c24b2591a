#include "importer/LayerMapping.h"

#include "serverclient/LayerNumbering.h"

#include <algorithm>
#include <array>

namespace corvane {

TLayer LegacyLayerIndexToLayer(std::uint8_t index) {
    if (index >= 1 && index <= 15) {
        return index; // top, mid layers 1-14
    }
    if (index >= 16 && index <= 26) {
        return static_cast<TLayer>(index + 16); // bottom, overlays, paste, solder, planes 1-4
    }
    if (index >= 27 && index <= 32) {
        return static_cast<TLayer>(index + 28); // drill guide, keep-out, mechanical 1-4
    }
    if (index >= 33 && index <= 42) {
        return static_cast<TLayer>(index + 40); // drill drawing, multi-layer, system layers
    }
    return layer::NoLayer;
}

std::optional<TLayer> ImportLayerMap(TLayer fileLayer) {
    // File layer 5 is the last mid layer of the stack, not the fourth.
    static constexpr std::array<TLayer, 13> map = {layer::TopLayer,
                                                   2,
                                                   3,
                                                   4,
                                                   layer::MidLayer14,
                                                   layer::BottomLayer,
                                                   layer::TopOverlay,
                                                   layer::BottomOverlay,
                                                   layer::InternalPlane1,
                                                   layer::InternalPlane2,
                                                   layer::Mechanical1,
                                                   layer::KeepOutLayer,
                                                   layer::MultiLayer};
    if (fileLayer < 1 || fileLayer > map.size()) {
        return std::nullopt;
    }
    return map[fileLayer - 1];
}

std::uint16_t PlaneCodeMap(std::uint8_t fileCode) {
    static constexpr std::array<std::uint16_t, 7> map = {0, 1, 2, 4, 5, 3, 6};
    const int clamped = std::clamp<int>(fileCode, 1, 7);
    return map[static_cast<std::size_t>(clamped - 1)];
}

int PlaneOfCode(std::uint8_t code) {
    if (code == 0 || code > 12) {
        return 0;
    }
    return (code - 1) / 3 + 1;
}

} // namespace corvane
