#pragma once
// The file's layer numbers and pad plane codes, mapped to the board's.

#include "contract/HostTypes.h"

#include <cstdint>
#include <optional>

namespace corvane {

/// Compact layer index 1..42 to the classic layer; 0 and 43..255 give no layer.
TLayer LegacyLayerIndexToLayer(std::uint8_t index);

/// The file's layer numbers: the thirteen layers a board of the format can use, numbered by the
/// format in the order of its layer list.
enum class FileLayer : std::uint8_t {
    Top = 1,
    Mid1 = 2,
    Mid2 = 3,
    Mid3 = 4,
    LastMid = 5, // the format's fourth and last mid layer, the last of the host's stack
    Bottom = 6,
    TopOverlay = 7,
    BottomOverlay = 8,
    InternalPlane1 = 9,
    InternalPlane2 = 10,
    Mechanical1 = 11,
    KeepOut = 12,
    MultiLayer = 13,
};

/// File layer 1..13 to the classic layer it lands on; nothing for any other number.
std::optional<TLayer> ImportLayerMap(TLayer fileLayer);

/// The pad plane-connection code of the file (clamped to 1..7) to the value kept in the pad's Tag
/// until the net definitions read it back: 0 for none, then 1..3 on the first internal plane and
/// 4..6 on the second (see PlaneOfCode).
std::uint16_t PlaneCodeMap(std::uint8_t fileCode);

/// The internal planes a kept plane code can name: three codes per plane, in plane order.
enum class InternalPlane : std::uint8_t {
    None = 0,
    Plane1 = 1,
    Plane2 = 2,
    Plane3 = 3,
    Plane4 = 4
};

/// Internal plane that a pad's kept plane code names: 1..3 the first, 4..6 the second, 7..9 the
/// third, 10..12 the fourth; None for 0 and 13 and above.
InternalPlane PlaneOfCode(std::uint8_t code);

} // namespace corvane
