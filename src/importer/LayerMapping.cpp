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
    switch (static_cast<FileLayer>(fileLayer)) {
    case FileLayer::Top:
        return layer::TopLayer;
    case FileLayer::Mid1:
        return layer::MidLayer1;
    case FileLayer::Mid2:
        return static_cast<TLayer>(layer::MidLayer1 + 1);
    case FileLayer::Mid3:
        return static_cast<TLayer>(layer::MidLayer1 + 2);
    case FileLayer::LastMid:
        return layer::MidLayer14; // the last mid layer of the stack, not the fourth
    case FileLayer::Bottom:
        return layer::BottomLayer;
    case FileLayer::TopOverlay:
        return layer::TopOverlay;
    case FileLayer::BottomOverlay:
        return layer::BottomOverlay;
    case FileLayer::InternalPlane1:
        return layer::InternalPlane1;
    case FileLayer::InternalPlane2:
        return layer::InternalPlane2;
    case FileLayer::Mechanical1:
        return layer::Mechanical1;
    case FileLayer::KeepOut:
        return layer::KeepOutLayer;
    case FileLayer::MultiLayer:
        return layer::MultiLayer;
    }
    return std::nullopt;
}

std::uint16_t PlaneCodeMap(std::uint8_t fileCode) {
    // The format's codes 1..7 and the host's Tag values for them, pairwise (the file lists the
    // connections in another order than the plane-by-plane order the Tag keeps).
    static constexpr std::array<std::uint16_t, 7> map = {0, 1, 2, 4, 5, 3, 6};
    const int clamped = std::clamp<int>(fileCode, 1, 7);
    return map[static_cast<std::size_t>(clamped - 1)];
}

InternalPlane PlaneOfCode(std::uint8_t code) {
    if (code == 0 || code > 12) {
        return InternalPlane::None;
    }
    return static_cast<InternalPlane>((code - 1) / 3 + 1);
}

} // namespace corvane
