#pragma once
// Model of a host manual from-to: a connection the user asked for, named by its texts.

#include "pcbmodel/PcbObject.h"

#include <cstdint>

namespace corvane {

class TPcbManualFromTo : public TPCBObject {
public:
    explicit TPcbManualFromTo(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    String255 ManualText1;
    String255 ManualText2;
    String255 ManualText3;
    std::int32_t ManualValue = 0;
};

} // namespace corvane
