#pragma once
// The file's layer numbers and pad plane codes, mapped to the board's.

#include "contract/HostTypes.h"

#include <cstdint>
#include <optional>

namespace corvane {

/// Compact layer index 1..42 to the classic layer; 0 and 43..255 give no layer.
TLayer LegacyLayerIndexToLayer(std::uint8_t index);

/// File layer 1..13 to the classic layer it lands on; nothing for any other number.
std::optional<TLayer> ImportLayerMap(TLayer fileLayer);

/// The pad plane-connection code of the file (clamped to 1..7) to the value kept in the pad's Tag.
std::uint16_t PlaneCodeMap(std::uint8_t fileCode);

/// Internal plane (1..4) that a pad's plane code names; 0 for none.
int PlaneOfCode(std::uint8_t code);

} // namespace corvane
