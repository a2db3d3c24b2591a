#pragma once
// Model of a host embedded board (a board placed as a panel element). Position and values in
// host units of 1/10000 mil. Its layer is not exchanged: it stays the top layer unless changed.

#include "pcbmodel/PcbObject.h"

#include <cstdint>

namespace corvane {

class TPcbEmbeddedBoard : public TPCBObject {
public:
    explicit TPcbEmbeddedBoard(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    bool GetMirror() const override;
    void SetMirror(bool value) override;

    String255 EmbeddedBoardText;
    std::int32_t EmbeddedValue1 = 0;
    std::int32_t EmbeddedValue2 = 0;
    std::int32_t EmbeddedValue3 = 0;
    std::int32_t EmbeddedValue4 = 0;
    std::uint64_t EmbeddedValue64 = 0;
    Bool8 Mirror = 0;
    std::uint8_t EmbeddedOption = 0;
};

} // namespace corvane
