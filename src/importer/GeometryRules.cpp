#include "importer/GeometryRules.h"

#include "serverclient/Units.h"

#include <array>
#include <cmath>

namespace corvane {

PadShapeRule PadShapeOfCode(std::uint8_t fileShape) {
    // The format's pad shape codes 1..6 in the host's codes: 1 and 3 are drawn with one size (the
    // file's YSize is not theirs), 4 to 6 as the host's 1 with both sizes; other codes pass as
    // read.
    switch (fileShape) {
    case 1:
        return {1, true};
    case 2:
        return {2, false};
    case 3:
        return {3, true};
    case 4:
    case 5:
    case 6:
        return {1, false};
    default:
        return {fileShape, false};
    }
}

ArcAngles ArcQuadrantAngles(std::int32_t quadrantFlags) {
    // Flags 5 and 10 name two opposite quadrants; only the first of them is kept.
    static constexpr std::array<ArcAngles, 16> table = {{{0, 0},
                                                         {0, 90},
                                                         {90, 180},
                                                         {0, 180},
                                                         {180, 270},
                                                         {0, 90},
                                                         {90, 270},
                                                         {0, 270},
                                                         {270, 360},
                                                         {270, 90},
                                                         {90, 180},
                                                         {270, 180},
                                                         {180, 360},
                                                         {180, 90},
                                                         {90, 360},
                                                         {0, 360}}};
    return table[static_cast<std::uint32_t>(quadrantFlags) & 15u];
}

TextOrientation DecodeTextOrientation(std::int64_t code) {
    const auto bits = static_cast<std::uint64_t>(code);
    double angle = static_cast<double>(bits & 3u) * 90.0;
    bool mirrored = (bits & 16u) != 0;
    if ((bits & 32u) != 0) {
        angle += 180.0;
        if (angle >= 360.0) {
            angle -= 360.0;
        }
        mirrored = !mirrored;
    }
    if (mirrored) {
        angle = 360.0 - angle;
    }
    if (angle >= 360.0) {
        angle -= 360.0;
    } else if (angle < 0.0) {
        angle += 360.0;
    }
    return {angle, mirrored};
}

std::int64_t RoundOrientationCode(double code) {
    if (!std::isfinite(code)) {
        return 0;
    }
    const double whole = std::nearbyint(code); // to nearest, halves to even
    constexpr double twoTo63 = 9223372036854775808.0;
    if (whole >= -twoTo63 && whole < twoTo63) {
        return static_cast<std::int64_t>(whole);
    }
    // A double this large is a multiple of 2^11, and the remainder of its division by 2^64 is
    // exact: these are the number's low 64 bits.
    const auto low = static_cast<std::uint64_t>(std::fmod(std::fabs(whole), 2.0 * twoTo63));
    return static_cast<std::int64_t>(whole < 0 ? ~low + 1 : low);
}

std::int32_t TextStrokeWidth(std::int32_t height) {
    // The stroke font's rule: a tenth of the height, never under 6 mil, easing from 6 to 8 mil for
    // widths between 3 and 8 mil (heights of 30 to 80 mil) so that small texts stay legible.
    const std::int32_t three = MilsToCoord(3);
    const std::int32_t six = MilsToCoord(6);
    const std::int32_t eight = MilsToCoord(8);
    const std::int32_t w = RoundToInt32(static_cast<long double>(height) * 0.1L);
    if (w <= three) {
        return six;
    }
    if (w < six) {
        return six + RoundToInt32(static_cast<long double>(w - three) * 2.0L / 3.0L);
    }
    if (w < eight) {
        return eight;
    }
    return w;
}

} // namespace corvane
