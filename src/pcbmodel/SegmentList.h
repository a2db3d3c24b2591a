#pragma once
// The outline segments of a polygon or split plane: a fixed array the host fills through the
// address of its first record, and the count the host reports for it.

#include "contract/HostTypes.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvane {

inline constexpr std::int32_t MaxSegments = 5001;

using SegmentArray = std::array<SegmentRecord, MaxSegments>;

/// The number of records of the array that a reported count can cover: never negative and
/// never beyond the array, whatever the host said.
constexpr std::int32_t SegmentsWithinArray(std::int32_t reportedCount) {
    return std::clamp(reportedCount, std::int32_t{0}, MaxSegments);
}

} // namespace corvane
