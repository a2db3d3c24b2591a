#include "boardfacts/QuarterTurn.h"

#include "textformat/Units.h"

#include <cmath>
#include <numbers>

namespace corvane::cli {

CosSin TurnedCosSin(double degrees) {
    const double angle = units::NormalisedDegrees(degrees);
    if (angle == 0) {
        return {1, 0};
    }
    if (angle == 90) {
        return {0, 1};
    }
    if (angle == 180) {
        return {-1, 0};
    }
    if (angle == 270) {
        return {0, -1};
    }
    const double radians = angle * std::numbers::pi / 180;
    return {std::cos(radians), std::sin(radians)};
}

} // namespace corvane::cli
