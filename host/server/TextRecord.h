#pragma once
// A text: a string placed on a layer, with its TrueType and bar-code settings.
// Units: coordinates, height and stroke width in host units (1/10000 mil), rotation in degrees.

#include "HostLayerTable.h"
#include "KindRecord.h"

#include <string>

namespace halvex {

/// A text at (X, Y). New: empty, 60 mil high with a 10 mil stroke, font 1, on "TopOverlay";
/// TrueType font "Arial" with value 20 mil, all other TrueType and bar-code settings 0.
struct TextRecord : KindRecord<ObjectKind::Text> {
    explicit TextRecord(HostHandle handle) : KindRecord(handle, TopOverlay) {}

    std::int32_t Size = Mils(60);
    std::int32_t FontId = 1;
    double Rotation = 0.0;
    Bool8 Mirror = 0;
    /// At most 254 characters.
    std::string Text;
    std::int32_t Width = Mils(10);
    std::int32_t Aux2 = 0;
    std::int32_t Aux3 = 0;

    std::uint8_t TrueTypeKind = 0;
    std::string FontName = "Arial";
    std::uint8_t TrueTypeFlag1 = 0;
    std::uint8_t TrueTypeFlag2 = 0;
    std::uint8_t TrueTypeFlag3 = 0;
    std::int32_t TrueTypeValue = Mils(20);

    std::uint8_t BarCodeByte1 = 0;
    std::uint8_t BarCodeByte2 = 0;
    std::uint8_t BarCodeByte3 = 0;
    std::uint8_t BarCodeByte4 = 0;

    /// The text as rendered: for these texts the text itself (no special strings are expanded).
    const std::string& DisplayString() const { return Text; }
};

} // namespace halvex
