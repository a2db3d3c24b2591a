#pragma once
// Model of a host region. Its own fields are opaque: they exist only so that a read followed by
// a write gives the host back what it sent.

#include "pcbmodel/PcbObject.h"

namespace corvane {

/// A region. The host exchanges no reference point for it, so X and Y stay as they are.
/// Coordinates in host units of 1/10000 mil.
class TPCBRegion : public TPCBObject {
public:
    /// Stores the handle and the region kind code; never calls the host.
    explicit TPCBRegion(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    std::int32_t RegionValue1 = 0;
    std::int32_t RegionValue2 = 0;
    std::int32_t RegionValue3 = 0;
    std::int32_t RegionValue4 = 0;
    std::uint8_t RegionByte = 0;
    std::int32_t RegionValue5 = 0;
    std::int32_t RegionValue6 = 0;
};

} // namespace corvane
