#pragma once
// Layer numbering: the classic layer number (TLayer, 0..82) that the model keeps, the host's
// 32-bit layer identifier (TLayerId) that can also name extended signal, plane and mechanical
// layers, the names table, and the conversions between them.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

/// Classification of a layer identifier, 0..23.
using TLayerKind = std::uint8_t;

inline constexpr TLayer MaxClassicLayer = 82;
inline constexpr std::int64_t MaxLayerNumber = 65535;

// Class tags in the high 16 bits of an identifier.
inline constexpr std::uint32_t SignalLayerTag = 0x0101;
inline constexpr std::uint32_t InternalPlaneTag = 0x0104;
inline constexpr std::uint32_t MechanicalLayerTag = 0x0400;

// Classic layer numbers the importer and the board name.
namespace layer {
inline constexpr TLayer NoLayer = 0;
inline constexpr TLayer TopLayer = 1;
inline constexpr TLayer MidLayer1 = 2;
inline constexpr TLayer MidLayer14 = 15;
inline constexpr TLayer BottomLayer = 32;
inline constexpr TLayer TopOverlay = 33;
inline constexpr TLayer BottomOverlay = 34;
inline constexpr TLayer InternalPlane1 = 39;
inline constexpr TLayer InternalPlane2 = 40;
inline constexpr TLayer InternalPlane3 = 41;
inline constexpr TLayer InternalPlane4 = 42;
inline constexpr TLayer InternalPlane16 = 54;
inline constexpr TLayer KeepOutLayer = 56;
inline constexpr TLayer Mechanical1 = 57;
inline constexpr TLayer MultiLayer = 74;
} // namespace layer

/// Names of the classic layers, indexed by TLayer 0..82; each a 21-byte record.
extern const std::array<String20, 83> LayerNames;

/// Name of a classic layer; "NoLayer" for numbers beyond the table.
std::string LayerName(TLayer layer);

/// Raised by the layer constructors for numbers outside their range.
class ELayerException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Layer constructors: each forms the identifier of a layer of its class.
TLayerId SignalLayer(std::int64_t number);
TLayerId MidLayer(std::int64_t number);
TLayerId InternalPlaneLayer(std::int64_t number);
TLayerId MechanicalLayer(std::int64_t number);

// Fixed layers outside those classes, each the classic identifier of its layer.
constexpr TLayerId NoLayer() {
    return 0;
}
constexpr TLayerId TopLayer() {
    return 1;
}
constexpr TLayerId BottomLayer() {
    return 32;
}
constexpr TLayerId TopOverlay() {
    return 33;
}
constexpr TLayerId BottomOverlay() {
    return 34;
}
constexpr TLayerId TopPaste() {
    return 35;
}
constexpr TLayerId BottomPaste() {
    return 36;
}
constexpr TLayerId TopSolder() {
    return 37;
}
constexpr TLayerId BottomSolder() {
    return 38;
}
constexpr TLayerId DrillGuide() {
    return 55;
}
constexpr TLayerId KeepOutLayer() {
    return 56;
}
constexpr TLayerId DrillDrawing() {
    return 73;
}
constexpr TLayerId MultiLayer() {
    return 74;
}
constexpr TLayerId ConnectLayer() {
    return 75;
}
constexpr TLayerId BackGroundLayer() {
    return 76;
}
constexpr TLayerId DRCErrorLayer() {
    return 77;
}
constexpr TLayerId HighlightLayer() {
    return 78;
}
constexpr TLayerId GridColor1() {
    return 79;
}
constexpr TLayerId GridColor10() {
    return 80;
}
constexpr TLayerId PadHoleLayer() {
    return 81;
}
constexpr TLayerId ViaHoleLayer() {
    return 82;
}

/// Classic layer to identifier; 0 and 83..255 give NoLayer. Never raises.
TLayerId LayerToLayerId(TLayer layer);
/// Identifier to classic layer; extended layers beyond the classic ranges fold onto the last
/// classic layer of their class, unknown identifiers give 0. Never raises.
TLayer LayerIdToLayer(TLayerId id);

TLayerKind GetLayerKind(TLayerId id);
std::int64_t LayerNumberInKind(TLayerId id);
bool IsSignalLayer(TLayerId id);
bool IsInternalPlaneLayer(TLayerId id);
bool IsMechanicalLayer(TLayerId id);

} // namespace corvane
