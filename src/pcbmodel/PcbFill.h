#pragma once
// Model of a host fill: a rectangle between the corners (X, Y) and (X2, Y2).

#include "pcbmodel/PcbObject.h"

namespace corvane {

/// A rectangular fill. Coordinates in host units of 1/10000 mil, rotation in degrees.
class TPcbFill : public TPCBObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Fill);

    /// Stores the handle and the fill kind code; never calls the host.
    explicit TPcbFill(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;
    /// Moves both corners.
    void MoveBy(std::int32_t dx, std::int32_t dy) override;

    std::int32_t GetX2() const override;
    std::int32_t GetY2() const override;
    std::int32_t GetAux1() const override;
    double GetRotation() const override;

    void SetX2(std::int32_t value) override;
    void SetY2(std::int32_t value) override;
    void SetAux1(std::int32_t value) override;
    void SetRotation(double value) override;

    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    // Host value the model carries unchanged from a read to the next write.
    std::int32_t Aux1 = 0;
    double Rotation = 0.0;
};

} // namespace corvane
