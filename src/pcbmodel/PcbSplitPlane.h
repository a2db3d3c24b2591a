#pragma once
// Model of a host split plane: a region of an internal plane given to one net. The 37-byte
// segment records are the host's and are carried without being looked into.

#include "pcbmodel/PcbGroupObject.h"
#include "pcbmodel/SegmentList.h"

#include <cstdint>

namespace corvane {

class TPcbSplitPlane : public TPcbGroupObject {
public:
    explicit TPcbSplitPlane(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    /// SegmentCount limited to the records the array holds.
    std::int32_t SegmentsInArray() const { return SegmentsWithinArray(SegmentCount); }

    std::int32_t SegmentCount = 0; // as reported by the host; may exceed the array
    SegmentArray Segments{};
    std::uint8_t SplitPlaneOption = 0;
};

} // namespace corvane
