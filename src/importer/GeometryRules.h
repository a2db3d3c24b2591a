#pragma once
// The file's codes for pad shapes, arc quadrants and text orientation, and the text stroke width.

#include <cstdint>

namespace corvane {

/// Host pad shape for a file shape code, and whether the pad is made square (YSize := XSize).
struct PadShapeRule {
    std::uint8_t Shape;
    bool Square;
};
PadShapeRule PadShapeOfCode(std::uint8_t fileShape);

/// Start and end angle, degrees, of an arc's quadrant flags (only the low four bits count).
struct ArcAngles {
    double Start;
    double End;
};
ArcAngles ArcQuadrantAngles(std::int32_t quadrantFlags);

/// Angle (degrees, 0..270 in quarter turns) and mirroring of a rounded orientation code.
struct TextOrientation {
    double Angle;
    bool Mirrored;
};
TextOrientation DecodeTextOrientation(std::int32_t code);

/// The orientation code of the file rounded to the nearest integer, halves to even.
std::int32_t RoundOrientationCode(double code);

/// Stroke width in host units for a text height in host units (1/10000 mil).
std::int32_t TextStrokeWidth(std::int32_t height);

} // namespace corvane
