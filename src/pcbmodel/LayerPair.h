#pragma once
// One drill layer pair of a board. The layers are kept as host layer identifiers and offered
// as classic layer numbers.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <cstdint>

namespace corvane {

class TPcblayerPair {
public:
    TPcblayerPair();

    TLayer GetFirstLayer() const;
    TLayer GetSecondLayer() const;
    void SetFirstLayer(TLayer layer);
    void SetSecondLayer(TLayer layer);

    // Handed to the host by address; widths are fixed.
    String255 PairName;
    TLayerId FirstLayer = 0;
    TLayerId SecondLayer = 0;
    std::uint8_t PairOption1 = 0;
    std::uint8_t PairOption2 = 0;
};

} // namespace corvane
