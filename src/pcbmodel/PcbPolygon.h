#pragma once
// Model of a host polygon (a poured copper area) and of the board outline, which the host
// exchanges exactly like a polygon. Values in host units of 1/10000 mil; the 37-byte segment
// records are the host's and are carried without being looked into.

#include "pcbmodel/PcbGroupObject.h"
#include "pcbmodel/SegmentList.h"

#include <cstdint>

namespace corvane {

class TPcbPolygon : public TPcbGroupObject {
public:
    explicit TPcbPolygon(HostHandle handle);

    /// The layer travels as the 32-bit identifier; the segments by the address of the first.
    std::int32_t Exchange(std::uint8_t mode) override;

    /// SegmentCount limited to the records the array holds.
    std::int32_t SegmentsInArray() const { return SegmentsWithinArray(SegmentCount); }

    std::uint8_t PolygonOption1 = 0;
    std::uint8_t PolygonOption2 = 0;
    std::uint8_t PolygonOption3 = 0;
    std::uint8_t PolygonOption4 = 0;
    std::int32_t PolygonValue1 = 0;
    std::int32_t PolygonValue2 = 0;
    std::int32_t PolygonValue3 = 0;
    std::int32_t SegmentCount = 0; // as reported by the host; may exceed the array
    SegmentArray Segments{};
    std::uint8_t PolygonOption5 = 0;
    std::uint8_t PolygonOption6 = 0;
};

class TPcbBoardOutline : public TPcbPolygon {
public:
    explicit TPcbBoardOutline(HostHandle handle);
};

} // namespace corvane
