#pragma once
// Model of a host rule violation: two texts and three host values.

#include "pcbmodel/PcbObject.h"

#include <cstdint>

namespace corvane {

class TPcbViolation : public TPCBObject {
public:
    explicit TPcbViolation(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    String255 ViolationText1;
    String255 ViolationText2;
    std::int32_t ViolationValue1 = 0;
    std::int32_t ViolationValue2 = 0;
    std::int32_t ViolationValue3 = 0;
};

} // namespace corvane
