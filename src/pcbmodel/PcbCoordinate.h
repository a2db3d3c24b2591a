#pragma once
// Model of a host coordinate marker. Position and values in host units of 1/10000 mil.

#include "pcbmodel/PcbGroupObject.h"

#include <cstdint>

namespace corvane {

class TPcbCoordinate : public TPcbGroupObject {
public:
    explicit TPcbCoordinate(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    std::int32_t CoordValue1 = 0;
    std::int32_t CoordValue2 = 0;
    std::int32_t CoordValue3 = 0;
    std::int32_t CoordValue4 = 0;
    std::int32_t CoordValue5 = 0;
    std::int32_t CoordValue6 = 0;
};

} // namespace corvane
