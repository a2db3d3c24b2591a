#pragma once
// A double's bits, for keys and equality that tell every value apart (-0 from 0) and hold for
// NaNs; memcpy, as not every standard library here has std::bit_cast.

#include <cstdint>
#include <cstring>

namespace corvane::cli {

inline std::uint64_t DoubleBits(double value) {
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace corvane::cli
