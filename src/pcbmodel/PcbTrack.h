#pragma once
// Model of a host track: a straight segment from (X, Y) to (X2, Y2).

#include "pcbmodel/PcbObject.h"

namespace corvane {

/// A straight track. Coordinates and widths in host units of 1/10000 mil.
class TPcbTrack : public TPCBObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Track);

    /// Stores the handle and the track kind code; never calls the host.
    explicit TPcbTrack(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;
    /// Moves both end points.
    void MoveBy(std::int32_t dx, std::int32_t dy) override;

    std::int32_t GetX2() const override;
    std::int32_t GetY2() const override;
    std::int32_t GetAux1() const override;
    std::int32_t GetAux2() const override;
    std::int32_t GetAux3() const override;
    std::int32_t GetWidth() const override;

    void SetX2(std::int32_t value) override;
    void SetY2(std::int32_t value) override;
    void SetAux1(std::int32_t value) override;
    void SetAux2(std::int32_t value) override;
    void SetAux3(std::int32_t value) override;
    void SetWidth(std::int32_t value) override;

    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Width = 0;
    // Host values the model carries unchanged from a read to the next write.
    std::int32_t Aux1 = 0;
    std::int32_t Aux2 = 0;
    std::int32_t Aux3 = 0;
};

} // namespace corvane
