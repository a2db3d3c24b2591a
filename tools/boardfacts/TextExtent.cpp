#include "boardfacts/TextExtent.h"

#include "boardfacts/QuarterTurn.h"

#include <cmath>

namespace corvane::cli {

std::array<TextCorner, 4> TextBoxCorners(double height, std::size_t characters, double rotation,
                                         bool mirror) {
    const double h = std::abs(height);
    const double width = (mirror ? -1 : 1) * h * CharacterWidthPerHeight * double(characters);
    const CosSin turn = CosSinOfDegrees(rotation);
    std::array<TextCorner, 4> corners = {{{0, 0}, {width, 0}, {0, h}, {width, h}}};
    for (TextCorner& corner : corners) {
        corner = {corner.X * turn.Cos - corner.Y * turn.Sin,
                  corner.X * turn.Sin + corner.Y * turn.Cos};
    }
    return corners;
}

} // namespace corvane::cli
