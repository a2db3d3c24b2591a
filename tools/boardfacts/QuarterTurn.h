#pragma once
// The cosine and sine of an angle, exact at quarter turns, so that what is turned by a multiple
// of 90 degrees lands on the same numbers on every platform.

namespace corvane::cli {

struct CosSin {
    double Cos = 1;
    double Sin = 0;
};

/// The angle's cosine and sine from the angle brought into [0, 360): exactly 1, 0 or -1 at 0,
/// 90, 180 and 270 degrees; NaN and infinities are taken as 0.
CosSin TurnedCosSin(double degrees);

/// TurnedCosSin, without a call for the angle most objects have.
inline CosSin CosSinOfDegrees(double degrees) {
    return degrees == 0 ? CosSin{} : TurnedCosSin(degrees);
}

} // namespace corvane::cli
