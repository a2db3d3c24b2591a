#pragma once
// Model of a host arc.

#include "pcbmodel/PcbObject.h"

namespace corvane {

/// An arc centred on (X, Y). Radius and line width in host units of 1/10000 mil, angles in
/// degrees.
class TPcbArc : public TPCBObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Arc);

    /// Stores the handle and the arc kind code; never calls the host.
    explicit TPcbArc(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    std::int32_t GetAux1() const override;
    std::int32_t GetRadius() const override;
    double GetStartAngle() const override;
    double GetEndAngle() const override;
    std::int32_t GetLineWidth() const override;

    void SetAux1(std::int32_t value) override;
    void SetRadius(std::int32_t value) override;
    void SetStartAngle(double value) override;
    void SetEndAngle(double value) override;
    void SetLineWidth(std::int32_t value) override;

    std::int32_t Radius = 0;
    double StartAngle = 0.0;
    double EndAngle = 0.0;
    std::int32_t LineWidth = 0;
    // Host value the model carries unchanged from a read to the next write.
    std::int32_t Aux1 = 0;
};

} // namespace corvane
