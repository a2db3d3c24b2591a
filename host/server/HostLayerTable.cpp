#include "HostLayerTable.h"

#include <array>

namespace halvex {
namespace {

constexpr std::array<std::string_view, ClassicLayerCount> LayerNames = {
    "NoLayer",         "TopLayer",        "MidLayer1",       "MidLayer2",       "MidLayer3",
    "MidLayer4",       "MidLayer5",       "MidLayer6",       "MidLayer7",       "MidLayer8",
    "MidLayer9",       "MidLayer10",      "MidLayer11",      "MidLayer12",      "MidLayer13",
    "MidLayer14",      "MidLayer15",      "MidLayer16",      "MidLayer17",      "MidLayer18",
    "MidLayer19",      "MidLayer20",      "MidLayer21",      "MidLayer22",      "MidLayer23",
    "MidLayer24",      "MidLayer25",      "MidLayer26",      "MidLayer27",      "MidLayer28",
    "MidLayer29",      "MidLayer30",      "BottomLayer",     "TopOverlay",      "BottomOverlay",
    "TopPaste",        "BottomPaste",     "TopSolder",       "BottomSolder",    "InternalPlane1",
    "InternalPlane2",  "InternalPlane3",  "InternalPlane4",  "InternalPlane5",  "InternalPlane6",
    "InternalPlane7",  "InternalPlane8",  "InternalPlane9",  "InternalPlane10", "InternalPlane11",
    "InternalPlane12", "InternalPlane13", "InternalPlane14", "InternalPlane15", "InternalPlane16",
    "DrillGuide",      "KeepOutLayer",    "Mechanical1",     "Mechanical2",     "Mechanical3",
    "Mechanical4",     "Mechanical5",     "Mechanical6",     "Mechanical7",     "Mechanical8",
    "Mechanical9",     "Mechanical10",    "Mechanical11",    "Mechanical12",    "Mechanical13",
    "Mechanical14",    "Mechanical15",    "Mechanical16",    "DrillDrawing",    "MultiLayer",
    "ConnectLayer",    "BackGroundLayer", "DRCErrorLayer",   "HighlightLayer",  "GridColor1",
    "GridColor10",     "PadHoleLayer",    "ViaHoleLayer",
};

// Class tags of extended identifiers (high 16 bits).
constexpr std::uint32_t SignalTag = 0x0101;
constexpr std::uint32_t PlaneTag = 0x0104;
constexpr std::uint32_t MechanicalTag = 0x0400;

} // namespace

std::string_view ClassicLayerName(TLayer layer) {
    return layer <= MaxClassicLayer ? LayerNames[layer] : std::string_view("");
}

TLayer ToClassicLayer(TLayerId id) {
    const std::uint32_t tag = id >> 16;
    const std::uint32_t number = id & 0xFFFF;
    if (tag == 0) {
        return number <= MaxClassicLayer ? static_cast<TLayer>(number) : NoLayer;
    }
    if (number == 0) {
        return NoLayer;
    }
    switch (tag) {
    case SignalTag:
        // An extended signal layer is a mid layer; beyond the classic range it folds onto 31.
        return number > 31 ? 31 : static_cast<TLayer>(number);
    case PlaneTag:
        return number > 16 ? InternalPlane16 : static_cast<TLayer>(number + 38);
    case MechanicalTag:
        return number > 16 ? 72 : static_cast<TLayer>(number + 56);
    default:
        return NoLayer;
    }
}

} // namespace halvex
