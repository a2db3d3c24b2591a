#pragma once
// Model of a host design rule. The meanings of its options, texts and values (host units of
// 1/10000 mil where they are sizes) are the host's; the model carries them.

#include "pcbmodel/PcbObject.h"

#include <cstdint>

namespace corvane {

class TPcbRule : public TPCBObject {
public:
    explicit TPcbRule(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    std::uint8_t RuleOption1 = 0;
    std::uint8_t RuleOption2 = 0;
    std::uint8_t RuleOption3 = 0;
    std::uint8_t RuleOption4 = 0;
    std::uint8_t RuleOption5 = 0;
    std::uint8_t RuleOption6 = 0;
    std::uint8_t RuleOption7 = 0;
    String255 RuleText1;
    String255 RuleText2;
    String255 RuleText3;
    String255 RuleText4;
    std::uint8_t RuleOption8 = 0;
    std::uint8_t RuleOption9 = 0;
    std::int32_t RuleValue1 = 0;
    std::int32_t RuleValue2 = 0;
    std::int32_t RuleValue3 = 0;
    std::int32_t RuleValue4 = 0;
    String255 RuleText5;
    String255 RuleText6;
    String255 RuleText7;
    String255 RuleText8;
    String255 RuleText9;
    String255 RuleText10;
};

} // namespace corvane
