#pragma once
// The conversion of each file record into the values the host takes: file layers to classic
// layers, mils to host units (x 10000), pad shapes and plane codes, arc quadrants, text
// orientation and stroke width. Pure functions: no host, no file, no state.

#include "contract/HostTypes.h"
#include "importer/FileRecords.h"

#include <cstdint>
#include <vector>

namespace corvane {

/// What a conversion changed beyond its tables: values (mils) beyond the host's coordinate range,
/// clamped to it, in the order they were converted.
struct ConversionNotes {
    std::vector<std::int32_t> ClampedMils;
};

/// A value in mils as host units (x 10000), clamped to the signed 32-bit range (and noted).
std::int32_t MilsToHostUnits(std::int32_t mils, ConversionNotes* notes);

/// True when MilsToHostUnits clamps the value.
bool MilsBeyondHostRange(std::int32_t mils);

/// A file layer's classic layer: file layers 1..13 by the file's layer map, every other number
/// "NoLayer".
TLayer ClassicLayerOfFileLayer(FileCode fileLayer);

// Host values: coordinates and sizes in host units of 1/10000 mil, angles in degrees.

struct HostTrack {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Width = 0;
    TLayer Layer = 0;
};
HostTrack ConvertTrack(const FileTrack& file, ConversionNotes* notes = nullptr);

struct HostVia {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Size = 0;
    std::int32_t HoleSize = 0;
    TLayer StartLayer = 0;
    TLayer EndLayer = 0;
};
/// A via spans the top to the bottom layer; a version-5 file's vias all take a 32 mil hole.
HostVia ConvertVia(const FileVia& file, bool isVersion5File, ConversionNotes* notes = nullptr);

struct HostPad {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t XSize = 0;
    std::int32_t YSize = 0;
    std::int32_t HoleSize = 0;
    std::uint8_t Shape = 0;
    std::uint16_t Tag = 0; // the plane code, kept until the net definitions use it
    TLayer Layer = 0;
};
/// The same pad on every layer; a version-5 file drills only the pads on the multi-layer (32 mil).
HostPad ConvertPad(const FilePad& file, bool isVersion5File, ConversionNotes* notes = nullptr);

struct HostArc {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Radius = 0;
    std::int32_t LineWidth = 0;
    double StartAngle = 0;
    double EndAngle = 0;
    TLayer Layer = 0;
};
HostArc ConvertArc(const FileArc& file, ConversionNotes* notes = nullptr);

struct HostFill {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    TLayer Layer = 0;
};
HostFill ConvertFill(const FileFill& file, ConversionNotes* notes = nullptr);

struct HostText {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Size = 0;
    std::int32_t StrokeWidth = 0;
    double Rotation = 0;
    bool Mirrored = false;
    std::int32_t FontId = 0;
    TLayer Layer = 0;
};
/// Texts are drawn in the stroke font, their stroke width following their height.
HostText ConvertText(const FileText& file, ConversionNotes* notes = nullptr);

struct HostPosition {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
    bool ObjectFlag = false;
};
/// A component's position; its fifth value sets the object flag unless it is 2 (or absent).
HostPosition ConvertPosition(const FilePosition& file, ConversionNotes* notes = nullptr);

} // namespace corvane
