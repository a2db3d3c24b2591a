#pragma once
// Model of a host via.

#include "pcbmodel/PcbObject.h"

namespace corvane {

/// A via centred on (X, Y) spanning StartLayer to EndLayer. Sizes in host units of 1/10000 mil.
class TPcbVia : public TPCBObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Via);

    /// Stores the handle and the via kind code; never calls the host.
    explicit TPcbVia(HostHandle handle);

    /// The via's host entry takes the classic one-byte layer, so Layer goes through a local.
    std::int32_t Exchange(std::uint8_t mode) override;

    std::int32_t GetSize() const override;
    std::int32_t GetHoleSize() const override;
    TLayer GetStartLayer() const override;
    TLayer GetEndLayer() const override;
    bool GetPadViaFlag1() const override;
    bool GetPadViaFlag2() const override;

    void SetSize(std::int32_t value) override;
    void SetHoleSize(std::int32_t value) override;
    void SetStartLayer(TLayer value) override;
    void SetEndLayer(TLayer value) override;
    void SetPadViaFlag1(bool value) override;
    void SetPadViaFlag2(bool value) override;

    /// The host's x size of the via on a layer (0 when the host reports an error); asks the
    /// host whatever the via's own layer.
    std::int32_t SizeOnLayer(TLayer layer) const override;
    /// The host's shape of the via on a layer (0 when the host reports an error).
    std::uint8_t ShapeOnLayer(TLayer layer) const override;

    std::int32_t Size = 0;
    std::int32_t HoleSize = 0;
    TLayer StartLayer = 0;
    TLayer EndLayer = 0;
    // Host values the model carries unchanged from a read to the next write.
    Bool8 PadViaFlag1 = 0;
    Bool8 PadViaFlag2 = 0;
};

} // namespace corvane
