#include "pcbmodel/PcbVia.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbVia::TPcbVia(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCode;
}

std::int32_t TPcbVia::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    TLayer classicLayer = GetLayer();
    const std::int32_t result = PcbApi_QueryVia(mode, Handle, &Flags, &Tag, &classicLayer, &Net,
                                                &ObjectFlag, &OwnerHandle, &X, &Y, &Size, &HoleSize,
                                                &StartLayer, &EndLayer, &PadViaFlag1, &PadViaFlag2);
    // Stored back in both modes and whatever the status, so Layer always holds a classic layer.
    SetLayer(classicLayer);
    return result;
}

std::int32_t TPcbVia::GetSize() const {
    return Size;
}
std::int32_t TPcbVia::GetHoleSize() const {
    return HoleSize;
}
TLayer TPcbVia::GetStartLayer() const {
    return StartLayer;
}
TLayer TPcbVia::GetEndLayer() const {
    return EndLayer;
}
bool TPcbVia::GetPadViaFlag1() const {
    return PadViaFlag1 != 0;
}
bool TPcbVia::GetPadViaFlag2() const {
    return PadViaFlag2 != 0;
}

void TPcbVia::SetSize(std::int32_t value) {
    Size = value;
}
void TPcbVia::SetHoleSize(std::int32_t value) {
    HoleSize = value;
}
void TPcbVia::SetStartLayer(TLayer value) {
    StartLayer = value;
}
void TPcbVia::SetEndLayer(TLayer value) {
    EndLayer = value;
}
void TPcbVia::SetPadViaFlag1(bool value) {
    PadViaFlag1 = value ? 1 : 0;
}
void TPcbVia::SetPadViaFlag2(bool value) {
    PadViaFlag2 = value ? 1 : 0;
}

std::int32_t TPcbVia::SizeOnLayer(TLayer layer) const {
    std::int32_t xSize = 0;
    std::int32_t ySize = 0;
    if (PcbApi_QueryPadOrViaSizeOnLayer(Handle, layer, &xSize, &ySize) != 0) {
        return 0;
    }
    return xSize;
}

std::uint8_t TPcbVia::ShapeOnLayer(TLayer layer) const {
    std::uint8_t shape = 0;
    if (PcbApi_QueryPadOrViaShapeOnLayer(Handle, layer, &shape) != 0) {
        return 0;
    }
    return shape;
}

} // namespace corvane
