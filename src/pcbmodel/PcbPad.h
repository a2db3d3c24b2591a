#pragma once
// Model of a host pad: the top / mid / bottom description and the full per-layer pad stack.

#include "pcbmodel/PcbObject.h"
#include "serverclient/LayerNumbering.h"

#include <array>
#include <cstddef>

namespace corvane {

/// The per-layer pad stack, indexed by classic layer 0..82: sizes and corner radii in host units
/// of 1/10000 mil, shapes as codes, percentages 0..100. One block, so that a new pad clears it
/// with one fill rather than five: a pad is wrapped for every pad record and every net node.
struct PadLayerStack {
    static constexpr std::size_t StackLayers = std::size_t{MaxClassicLayer} + 1;

    std::array<std::int32_t, StackLayers> LayerXSize;
    std::array<std::int32_t, StackLayers> LayerYSize;
    std::array<std::uint8_t, StackLayers> LayerShape;
    std::array<std::int32_t, StackLayers> LayerCornerRadius;
    std::array<std::uint8_t, StackLayers> LayerCRPercent;
};

/// A pad centred on (X, Y). Sizes in host units of 1/10000 mil, rotation in degrees. The
/// per-layer arrays (PadLayerStack) start at 0; the per-layer queries answer 0 for any layer
/// number above 82.
class TPcbPad : public TPCBObject, public PadLayerStack {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Pad);

    /// The shape whose corners follow the corner-radius percentage.
    static constexpr std::uint8_t CornerRadiusShape = 9;
    /// The stack mode in which the host keeps a separate description per layer.
    static constexpr std::uint8_t PerLayerStackMode = 2;

    /// Stores the handle and the pad kind code; never calls the host.
    explicit TPcbPad(HostHandle handle);

    /// Exchanges the description, then the stack mode and the per-layer stack. A non-zero
    /// status of the description call ends the exchange and is returned.
    std::int32_t Exchange(std::uint8_t mode) override;
    /// Exchanges the description alone (the one call that carries the name, the sizes and the
    /// layer); answers its status. A part of Exchange, for a reader that needs no more.
    std::int32_t ExchangeDescription(std::uint8_t mode);

    bool GetPadViaFlag1() const override;
    void SetPadViaFlag1(bool value) override;
    bool GetPadViaFlag2() const override;
    void SetPadViaFlag2(bool value) override;

    std::int32_t GetTopXSize() const override;
    std::int32_t GetTopYSize() const override;
    std::int32_t GetMidXSize() const override;
    std::int32_t GetMidYSize() const override;
    std::int32_t GetBotXSize() const override;
    std::int32_t GetBotYSize() const override;
    std::int32_t GetHoleSize() const override;
    std::uint8_t GetTopShape() const override;
    std::uint8_t GetMidShape() const override;
    std::uint8_t GetBotShape() const override;
    void GetName(String255& out) const override;
    double GetRotation() const override;

    // Per-layer stack queries; they do not compare the layer with the pad's own layer.
    std::int32_t XSizeOnLayer(TLayer layer) const override;
    std::int32_t YSizeOnLayer(TLayer layer) const override;
    std::uint8_t ShapeOnLayer(TLayer layer) const override;
    /// The smaller of the x and y size on the layer.
    std::int32_t WidthOnLayer(TLayer layer) const override;
    // Corners of the pad's shape on a layer, grown by the margin and turned by Rotation.
    std::int32_t CornerX1OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerY1OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerX2OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerY2OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerX3OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerY3OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerX4OnLayer(TLayer layer, std::int32_t margin) const override;
    std::int32_t CornerY4OnLayer(TLayer layer, std::int32_t margin) const override;
    // Ends of the centre line along the pad's longer axis on a layer (the centre when square).
    std::int32_t XOnLayer(TLayer layer) const override;
    std::int32_t YOnLayer(TLayer layer) const override;
    std::int32_t X2OnLayer(TLayer layer) const override;
    std::int32_t Y2OnLayer(TLayer layer) const override;

    void SetTopXSize(std::int32_t value) override;
    void SetTopYSize(std::int32_t value) override;
    void SetMidXSize(std::int32_t value) override;
    void SetMidYSize(std::int32_t value) override;
    void SetBotXSize(std::int32_t value) override;
    void SetBotYSize(std::int32_t value) override;
    void SetHoleSize(std::int32_t value) override;
    void SetTopShape(std::uint8_t value) override;
    void SetMidShape(std::uint8_t value) override;
    void SetBotShape(std::uint8_t value) override;
    /// Stores at most the first 20 characters.
    void SetName(const String255& name) override;
    void SetRotation(double value) override;

    /// The corner radius on a layer.
    virtual std::int32_t CornerRadiusOnLayer(TLayer layer) const;

    std::int32_t TopXSize = 0;
    std::int32_t TopYSize = 0;
    std::int32_t MidXSize = 0;
    std::int32_t MidYSize = 0;
    std::int32_t BotXSize = 0;
    std::int32_t BotYSize = 0;
    std::int32_t HoleSize = 0;
    std::uint8_t TopShape = 0;
    std::uint8_t MidShape = 0;
    std::uint8_t BotShape = 0;
    // Model-side copies of the percentages of layers 1, 2..31 and 32, filled by a read.
    std::uint8_t TopCRPercent = 0;
    std::uint8_t MidCRPercent = 0;
    std::uint8_t BotCRPercent = 0;
    String20 Name;
    std::uint8_t PadByte1 = 0;
    double Rotation = 0.0;
    std::uint8_t PadByte2 = 0;
    OpaqueBytes<21> PadBlock1{};
    OpaqueBytes<21> PadBlock2{};
    std::int32_t PadValue1 = 0;
    OpaqueBytes<21> PadBlock3{};
    std::uint8_t StackMode = 0;
    // Host values the model carries unchanged from a read to the next write.
    std::uint8_t PadByte3 = 0;
    std::uint8_t PadByte4 = 0;
    std::int32_t PadValue2 = 0;
    std::int32_t PadValue3 = 0;
    std::int32_t PadValue4 = 0;
    std::uint64_t PadWide1 = 0;
    std::int32_t PadValue5 = 0;
    Bool8 PadViaFlag1 = 0;
    Bool8 PadViaFlag2 = 0;

private:
    void WriteStackLayers() const;
    std::int32_t CornerOnLayer(CornerCoordinate which, TLayer layer, std::int32_t margin) const;
    enum class LineEnd : std::uint8_t { First, Second };
    enum class Axis : std::uint8_t { X, Y };
    std::int32_t CentreLineEnd(TLayer layer, LineEnd end, Axis axis) const;
};

} // namespace corvane
