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

/// Angle (degrees, 0..270 in quarter turns) and mirroring of a rounded orientation code: only
/// its bits 0, 1, 4 and 5 count.
struct TextOrientation {
    double Angle;
    bool Mirrored;
};
TextOrientation DecodeTextOrientation(std::int64_t code);

/// The orientation code of the file as a whole 64-bit number, rounded to the nearest, halves to
/// even. A code beyond the 64-bit range keeps the low 64 bits of its whole value (two's
/// complement for negative codes), so its bits are those of the number; NaN gives 0.
std::int64_t RoundOrientationCode(double code);

/// Stroke width in host units for a text height in host units (1/10000 mil).
std::int32_t TextStrokeWidth(std::int32_t height);

} // namespace corvane
