#pragma once
// Model of a host from-to: a connection line between two points of a net. Points in host units
// of 1/10000 mil.

#include "pcbmodel/PcbObject.h"

#include <cstdint>

namespace corvane {

class TPcbFromTo : public TPCBObject {
public:
    explicit TPcbFromTo(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    std::int32_t GetX2() const override;
    std::int32_t GetY2() const override;
    bool GetFlagA() const override;
    bool GetFlagB() const override;
    void SetX2(std::int32_t value) override;
    void SetY2(std::int32_t value) override;
    void SetFlagA(bool value) override;
    void SetFlagB(bool value) override;

    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    Bool8 FlagA = 0;
    Bool8 FlagB = 0;
};

} // namespace corvane
