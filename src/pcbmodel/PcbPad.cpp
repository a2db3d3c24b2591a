#include "pcbmodel/PcbPad.h"

#include "serverclient/PadStackQueries.h"
#include "serverclient/PcbApi.h"
#include "serverclient/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane {
namespace {

constexpr TLayer TopStackLayer = 1;
constexpr TLayer LastMidStackLayer = 31;
constexpr TLayer BottomStackLayer = 32;

bool IsStackLayer(TLayer layer) {
    return layer <= MaxClassicLayer;
}

} // namespace

TPcbPad::TPcbPad(HostHandle handle) : TPCBObject(handle), PadLayerStack() {
    ObjectId = KindCode;
}

// --- Exchange ---------------------------------------------------------------------------------

void TPcbPad::WriteStackLayers() const {
    if (StackMode == PerLayerStackMode) {
        for (unsigned index = 0; index < StackLayers; ++index) {
            const auto layer = static_cast<TLayer>(index);
            PcbApi_SetPadShapeOnLayer(Handle, layer, LayerShape[layer]);
            PcbApi_SetPadSizeOnLayer(Handle, layer, LayerXSize[layer], LayerYSize[layer]);
            PcbApi_SetCRPctOnLayer(Handle, layer, LayerCRPercent[layer]);
        }
        return;
    }
    // Outside the per-layer mode only the three percentages of the simple description are
    // re-sent, once for every layer with the corner-radius shape.
    for (unsigned index = 0; index < StackLayers; ++index) {
        if (LayerShape[index] == CornerRadiusShape) {
            PcbApi_SetCRPctOnLayer(Handle, TopStackLayer, TopCRPercent);
            PcbApi_SetCRPctOnLayer(Handle, BottomStackLayer, BotCRPercent);
            PcbApi_SetCRPctOnLayer(Handle, TopStackLayer + 1, MidCRPercent);
        }
    }
}

std::int32_t TPcbPad::ExchangeDescription(std::uint8_t mode) {
    // PadByte2 goes before Rotation and PadWide1 before PadValue3: the host's order, not ours.
    return PcbApi_QueryPad(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag, &OwnerHandle, &X,
                           &Y, &TopXSize, &TopYSize, &MidXSize, &MidYSize, &BotXSize, &BotYSize,
                           &HoleSize, &TopShape, &MidShape, &BotShape, &Name, &PadByte1, &PadByte2,
                           &Rotation, &PadBlock1, &PadBlock2, &PadValue1, &PadBlock3, &PadByte3,
                           &PadByte4, &PadValue2, &PadWide1, &PadValue3, &PadValue4, &PadValue5,
                           &PadViaFlag1, &PadViaFlag2);
}

std::int32_t TPcbPad::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    const std::int32_t result = ExchangeDescription(mode);
    if (result != 0) {
        return result;
    }
    PcbApi_QueryPadStackMode(mode, Handle, &StackMode);
    if (mode == ExchangeRead) {
        QueryPadStackLayers(Handle,
                            {LayerShape.data(), LayerXSize.data(), LayerYSize.data(),
                             LayerCornerRadius.data(), LayerCRPercent.data()},
                            StackLayers);
        // The top / mid / bottom copies; the mid copy is the last mid layer's value.
        TopCRPercent = LayerCRPercent[TopStackLayer];
        MidCRPercent = LayerCRPercent[LastMidStackLayer];
        BotCRPercent = LayerCRPercent[BottomStackLayer];
    } else {
        WriteStackLayers();
    }
    return 0;
}

// --- Plain accessors --------------------------------------------------------------------------

bool TPcbPad::GetPadViaFlag1() const {
    return PadViaFlag1 != 0;
}
void TPcbPad::SetPadViaFlag1(bool value) {
    PadViaFlag1 = value ? 1 : 0;
}
bool TPcbPad::GetPadViaFlag2() const {
    return PadViaFlag2 != 0;
}
void TPcbPad::SetPadViaFlag2(bool value) {
    PadViaFlag2 = value ? 1 : 0;
}

std::int32_t TPcbPad::GetTopXSize() const {
    return TopXSize;
}
std::int32_t TPcbPad::GetTopYSize() const {
    return TopYSize;
}
std::int32_t TPcbPad::GetMidXSize() const {
    return MidXSize;
}
std::int32_t TPcbPad::GetMidYSize() const {
    return MidYSize;
}
std::int32_t TPcbPad::GetBotXSize() const {
    return BotXSize;
}
std::int32_t TPcbPad::GetBotYSize() const {
    return BotYSize;
}
std::int32_t TPcbPad::GetHoleSize() const {
    return HoleSize;
}
std::uint8_t TPcbPad::GetTopShape() const {
    return TopShape;
}
std::uint8_t TPcbPad::GetMidShape() const {
    return MidShape;
}
std::uint8_t TPcbPad::GetBotShape() const {
    return BotShape;
}
void TPcbPad::GetName(String255& out) const {
    out.AssignFrom(Name);
}
double TPcbPad::GetRotation() const {
    return Rotation;
}

void TPcbPad::SetTopXSize(std::int32_t value) {
    TopXSize = value;
}
void TPcbPad::SetTopYSize(std::int32_t value) {
    TopYSize = value;
}
void TPcbPad::SetMidXSize(std::int32_t value) {
    MidXSize = value;
}
void TPcbPad::SetMidYSize(std::int32_t value) {
    MidYSize = value;
}
void TPcbPad::SetBotXSize(std::int32_t value) {
    BotXSize = value;
}
void TPcbPad::SetBotYSize(std::int32_t value) {
    BotYSize = value;
}
void TPcbPad::SetHoleSize(std::int32_t value) {
    HoleSize = value;
}
void TPcbPad::SetTopShape(std::uint8_t value) {
    TopShape = value;
}
void TPcbPad::SetMidShape(std::uint8_t value) {
    MidShape = value;
}
void TPcbPad::SetBotShape(std::uint8_t value) {
    BotShape = value;
}
void TPcbPad::SetName(const String255& name) {
    Name.AssignFrom(name);
}
void TPcbPad::SetRotation(double value) {
    Rotation = value;
}

// --- Per-layer stack queries ------------------------------------------------------------------

std::int32_t TPcbPad::XSizeOnLayer(TLayer layer) const {
    return IsStackLayer(layer) ? LayerXSize[layer] : 0;
}

std::int32_t TPcbPad::YSizeOnLayer(TLayer layer) const {
    return IsStackLayer(layer) ? LayerYSize[layer] : 0;
}

std::uint8_t TPcbPad::ShapeOnLayer(TLayer layer) const {
    return IsStackLayer(layer) ? LayerShape[layer] : 0;
}

std::int32_t TPcbPad::CornerRadiusOnLayer(TLayer layer) const {
    return IsStackLayer(layer) ? LayerCornerRadius[layer] : 0;
}

std::int32_t TPcbPad::WidthOnLayer(TLayer layer) const {
    return std::min(XSizeOnLayer(layer), YSizeOnLayer(layer));
}

std::int32_t TPcbPad::CornerOnLayer(CornerCoordinate which, TLayer layer,
                                    std::int32_t margin) const {
    if (!IsStackLayer(layer)) {
        return 0;
    }
    const std::int64_t grownX = static_cast<std::int64_t>(XSizeOnLayer(layer)) + 2LL * margin;
    const std::int64_t grownY = static_cast<std::int64_t>(YSizeOnLayer(layer)) + 2LL * margin;
    return TurnedCorner(which, static_cast<long double>(X), static_cast<long double>(Y),
                        static_cast<long double>(grownX), static_cast<long double>(grownY),
                        Rotation);
}

std::int32_t TPcbPad::CornerX1OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X1, layer, margin);
}
std::int32_t TPcbPad::CornerY1OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y1, layer, margin);
}
std::int32_t TPcbPad::CornerX2OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X2, layer, margin);
}
std::int32_t TPcbPad::CornerY2OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y2, layer, margin);
}
std::int32_t TPcbPad::CornerX3OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X3, layer, margin);
}
std::int32_t TPcbPad::CornerY3OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y3, layer, margin);
}
std::int32_t TPcbPad::CornerX4OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X4, layer, margin);
}
std::int32_t TPcbPad::CornerY4OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y4, layer, margin);
}

std::int32_t TPcbPad::CentreLineEnd(TLayer layer, LineEnd end, Axis axis) const {
    if (!IsStackLayer(layer)) {
        return 0;
    }
    const std::int32_t halfX = XSizeOnLayer(layer) / 2;
    const std::int32_t halfY = YSizeOnLayer(layer) / 2;
    if (halfX == halfY) {
        return axis == Axis::Y ? Y : X;
    }
    const long double offset = static_cast<long double>(
        std::llabs(static_cast<std::int64_t>(halfX) - static_cast<std::int64_t>(halfY)));
    // The first end lies toward -x along a wide pad's axis, toward +y along a tall pad's axis.
    const long double away = end == LineEnd::Second ? 1.0L : -1.0L;
    if (halfX > halfY) {
        const long double angle = DegreesToRadians(Rotation);
        return axis == Axis::Y ? RoundToInt32(Y + away * std::sin(angle) * offset)
                               : RoundToInt32(X + away * std::cos(angle) * offset);
    }
    const long double angle = DegreesToRadians(90.0 - Rotation);
    return axis == Axis::Y ? RoundToInt32(Y - away * std::sin(angle) * offset)
                           : RoundToInt32(X + away * std::cos(angle) * offset);
}

std::int32_t TPcbPad::XOnLayer(TLayer layer) const {
    return CentreLineEnd(layer, LineEnd::First, Axis::X);
}
std::int32_t TPcbPad::YOnLayer(TLayer layer) const {
    return CentreLineEnd(layer, LineEnd::First, Axis::Y);
}
std::int32_t TPcbPad::X2OnLayer(TLayer layer) const {
    return CentreLineEnd(layer, LineEnd::Second, Axis::X);
}
std::int32_t TPcbPad::Y2OnLayer(TLayer layer) const {
    return CentreLineEnd(layer, LineEnd::Second, Axis::Y);
}

} // namespace corvane
