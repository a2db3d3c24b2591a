// Pads: the simple description, the stack mode and the per-layer stack (PadRecord.h says how the
// per-layer answers follow the description). The two PadOrVia queries answer vias too: a via is
// round, of its size, on the layers it covers, and has no copper (shape 0, size 0) elsewhere.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "PadRecord.h"
#include "PrimitiveRecords.h"

using corvane::Bool8;
using corvane::HostHandle;
using corvane::OpaqueBytes;
using corvane::String20;
using corvane::TLayer;
using corvane::TLayerId;
using namespace halvex;

namespace {

// Answers a per-layer query of a pad or via: gives the copper on the layer (the pad's own, in
// place) to answer and returns the status. The plug-in asks these for every layer of every pad it
// reads, so a pad on a classic layer is answered first, after one lookup of the handle and one
// test of its kind, with no copy of the pad's layer; vias and refusals come after.
template <typename Answer>
std::int32_t AnswerPadOrViaOnLayer(HostHandle handle, TLayer layer, Answer answer) {
    if (const auto* pad = FindObject<PadRecord>(handle);
        pad != nullptr && layer <= MaxClassicLayer) {
        answer(pad->OnLayer(layer));
        return StatusOk;
    }
    ObjectRecord* object = FindObject(handle);
    if (layer > MaxClassicLayer) {
        return object == nullptr ? StatusNoSuchObject : StatusBadArgument;
    }
    if (const auto* via = As<ViaRecord>(object)) {
        answer(via->CoversLayer(layer) ? PadLayer{via->Size, via->Size, ShapeRound, 0}
                                       : PadLayer{});
        return StatusOk;
    }
    return StatusNoSuchObject;
}

// The pad of the handle for a per-layer change, with the status when there is none.
PadRecord* PadForLayer(HostHandle handle, TLayer layer, std::int32_t& status) {
    auto* pad = FindObject<PadRecord>(handle);
    status = pad == nullptr            ? StatusNoSuchObject
             : layer > MaxClassicLayer ? StatusBadArgument
                                       : StatusOk;
    return status == StatusOk ? pad : nullptr;
}

} // namespace

extern "C" {

std::int32_t PCBAPI_CALL PcbApi_QueryPad(
    std::uint8_t mode, HostHandle handle, std::uint16_t* flags, std::uint16_t* tag, TLayerId* layer,
    std::uint32_t* net, Bool8* objectFlag, std::uint32_t* ownerHandle, std::int32_t* x,
    std::int32_t* y, std::int32_t* topXSize, std::int32_t* topYSize, std::int32_t* midXSize,
    std::int32_t* midYSize, std::int32_t* botXSize, std::int32_t* botYSize, std::int32_t* holeSize,
    std::uint8_t* topShape, std::uint8_t* midShape, std::uint8_t* botShape, String20* name,
    std::uint8_t* padByte1, std::uint8_t* padByte2, double* rotation, OpaqueBytes<21>* padBlock1,
    OpaqueBytes<21>* padBlock2, std::int32_t* padValue1, OpaqueBytes<21>* padBlock3,
    std::uint8_t* padByte3, std::uint8_t* padByte4, std::int32_t* padValue2,
    std::uint64_t* padWide1, std::int32_t* padValue3, std::int32_t* padValue4,
    std::int32_t* padValue5, Bool8* padViaFlag1, Bool8* padViaFlag2) {
    auto* pad = FindObject<PadRecord>(handle);
    if (pad == nullptr) {
        return StatusNoSuchObject;
    }
    const PadLayer oldTop = pad->Top;
    const PadLayer oldMid = pad->Mid;
    const PadLayer oldBottom = pad->Bottom;
    const FieldExchange move(mode);
    move(flags, pad->Flags);
    move(tag, pad->Tag);
    move(layer, pad->Layer);
    ExchangeNet(move, net, *pad);
    move(objectFlag, pad->ObjectFlag);
    move(ownerHandle, pad->OwnerHandle);
    move(x, pad->X);
    move(y, pad->Y);
    move(topXSize, pad->Top.XSize);
    move(topYSize, pad->Top.YSize);
    move(midXSize, pad->Mid.XSize);
    move(midYSize, pad->Mid.YSize);
    move(botXSize, pad->Bottom.XSize);
    move(botYSize, pad->Bottom.YSize);
    move(holeSize, pad->HoleSize);
    move(topShape, pad->Top.Shape);
    move(midShape, pad->Mid.Shape);
    move(botShape, pad->Bottom.Shape);
    move(name, pad->Name);
    move(padByte1, pad->PadByte1);
    move(padByte2, pad->PadByte2);
    move(rotation, pad->Rotation);
    move(padBlock1, pad->PadBlock1);
    move(padBlock2, pad->PadBlock2);
    move(padValue1, pad->PadValue1);
    move(padBlock3, pad->PadBlock3);
    move(padByte3, pad->PadByte3);
    move(padByte4, pad->PadByte4);
    move(padValue2, pad->PadValue2);
    move(padWide1, pad->PadWide1);
    move(padValue3, pad->PadValue3);
    move(padValue4, pad->PadValue4);
    move(padValue5, pad->PadValue5);
    move(padViaFlag1, pad->PadViaFlag1);
    move(padViaFlag2, pad->PadViaFlag2);
    if (!move.Reading()) {
        pad->DescriptionWritten(oldTop, oldMid, oldBottom);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryPadStackMode(std::uint8_t mode, HostHandle handle,
                                                  std::uint8_t* stackMode) {
    auto* pad = FindObject<PadRecord>(handle);
    if (pad == nullptr) {
        return StatusNoSuchObject;
    }
    if (stackMode != nullptr) {
        if (FieldExchange{mode}.Reading()) {
            *stackMode = pad->StackMode();
        } else {
            pad->SetStackMode(*stackMode);
        }
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryPadOrViaShapeOnLayer(HostHandle handle, TLayer layer,
                                                          std::uint8_t* shape) {
    return AnswerPadOrViaOnLayer(handle, layer, [shape](const PadLayer& copper) {
        if (shape != nullptr) {
            *shape = copper.Shape;
        }
    });
}

std::int32_t PCBAPI_CALL PcbApi_QueryPadOrViaSizeOnLayer(HostHandle handle, TLayer layer,
                                                         std::int32_t* xSize, std::int32_t* ySize) {
    return AnswerPadOrViaOnLayer(handle, layer, [xSize, ySize](const PadLayer& copper) {
        if (xSize != nullptr) {
            *xSize = copper.XSize;
        }
        if (ySize != nullptr) {
            *ySize = copper.YSize;
        }
    });
}

std::int32_t PCBAPI_CALL PcbApi_QueryPadCornerRadiusOnLayer(HostHandle handle, TLayer layer,
                                                            std::int32_t* radius) {
    std::int32_t status = StatusOk;
    const PadRecord* pad = PadForLayer(handle, layer, status);
    if (pad != nullptr && radius != nullptr) {
        *radius = CornerRadius(pad->OnLayer(layer));
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_QueryPadCRPercentageOnLayer(HostHandle handle, TLayer layer,
                                                            std::uint8_t* percent) {
    std::int32_t status = StatusOk;
    const PadRecord* pad = PadForLayer(handle, layer, status);
    if (pad != nullptr && percent != nullptr) {
        *percent = pad->OnLayer(layer).CRPercent;
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_SetPadShapeOnLayer(HostHandle handle, TLayer layer,
                                                   std::uint8_t shape) {
    std::int32_t status = StatusOk;
    if (PadRecord* pad = PadForLayer(handle, layer, status)) {
        pad->SetShapeOnLayer(layer, shape);
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_SetPadSizeOnLayer(HostHandle handle, TLayer layer,
                                                  std::int32_t xSize, std::int32_t ySize) {
    std::int32_t status = StatusOk;
    if (PadRecord* pad = PadForLayer(handle, layer, status)) {
        pad->SetSizeOnLayer(layer, xSize, ySize);
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_SetCRPctOnLayer(HostHandle handle, TLayer layer,
                                                std::uint8_t percent) {
    std::int32_t status = StatusOk;
    if (PadRecord* pad = PadForLayer(handle, layer, status)) {
        pad->SetCRPercentOnLayer(layer, percent);
    }
    return status;
}

} // extern "C"
