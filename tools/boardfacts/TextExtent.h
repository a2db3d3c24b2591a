#pragma once
// The box a text covers, which the documents reckon alike without a font: each character as wide
// as three quarters of the text's height.

#include <array>
#include <cstddef>

namespace corvane::cli {

inline constexpr double CharacterWidthPerHeight = 0.75;

struct TextCorner {
    double X = 0;
    double Y = 0;
};

/// The four corners of a text's box from its anchor (its lower left corner, or lower right when
/// mirrored), turned by its rotation in degrees counter-clockwise, in the units of the height; y
/// goes up.
std::array<TextCorner, 4> TextBoxCorners(double height, std::size_t characters, double rotation,
                                         bool mirror);

} // namespace corvane::cli
