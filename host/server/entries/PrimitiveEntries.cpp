// Tracks, vias, arcs, fills and regions: one query entry each moves every field of the kind.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "PrimitiveRecords.h"

using corvane::Bool8;
using corvane::HostHandle;
using corvane::TLayer;
using corvane::TLayerId;
using namespace halvex;

extern "C" {

std::int32_t PCBAPI_CALL PcbApi_QueryTrack(std::uint8_t mode, HostHandle handle,
                                           std::uint16_t* flags, std::uint16_t* tag,
                                           TLayerId* layer, std::uint32_t* net, Bool8* objectFlag,
                                           std::uint32_t* ownerHandle, std::int32_t* x,
                                           std::int32_t* y, std::int32_t* x2, std::int32_t* y2,
                                           std::int32_t* width, std::int32_t* aux1,
                                           std::int32_t* aux2, std::int32_t* aux3) {
    auto* track = FindObject<TrackRecord>(handle);
    if (track == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, track->Flags);
    move(tag, track->Tag);
    move(layer, track->Layer);
    ExchangeNet(move, net, *track);
    move(objectFlag, track->ObjectFlag);
    move(ownerHandle, track->OwnerHandle);
    move(x, track->X);
    move(y, track->Y);
    move(x2, track->X2);
    move(y2, track->Y2);
    move(width, track->Width);
    move(aux1, track->Aux1);
    move(aux2, track->Aux2);
    move(aux3, track->Aux3);
    return StatusOk;
}

// The via's layer is exchanged as a one-byte classic layer.
std::int32_t PCBAPI_CALL PcbApi_QueryVia(std::uint8_t mode, HostHandle handle, std::uint16_t* flags,
                                         std::uint16_t* tag, TLayer* layer, std::uint32_t* net,
                                         Bool8* objectFlag, std::uint32_t* ownerHandle,
                                         std::int32_t* x, std::int32_t* y, std::int32_t* size,
                                         std::int32_t* holeSize, TLayer* startLayer,
                                         TLayer* endLayer, Bool8* padViaFlag1, Bool8* padViaFlag2) {
    auto* via = FindObject<ViaRecord>(handle);
    if (via == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, via->Flags);
    move(tag, via->Tag);
    move.ClassicLayer(layer, via->Layer);
    ExchangeNet(move, net, *via);
    move(objectFlag, via->ObjectFlag);
    move(ownerHandle, via->OwnerHandle);
    move(x, via->X);
    move(y, via->Y);
    move(size, via->Size);
    move(holeSize, via->HoleSize);
    move(startLayer, via->StartLayer);
    move(endLayer, via->EndLayer);
    move(padViaFlag1, via->PadViaFlag1);
    move(padViaFlag2, via->PadViaFlag2);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryArc(std::uint8_t mode, HostHandle handle, std::uint16_t* flags,
                                         std::uint16_t* tag, TLayerId* layer, std::uint32_t* net,
                                         Bool8* objectFlag, std::uint32_t* ownerHandle,
                                         std::int32_t* x, std::int32_t* y, std::int32_t* radius,
                                         double* startAngle, double* endAngle,
                                         std::int32_t* lineWidth, std::int32_t* aux1) {
    auto* arc = FindObject<ArcRecord>(handle);
    if (arc == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, arc->Flags);
    move(tag, arc->Tag);
    move(layer, arc->Layer);
    ExchangeNet(move, net, *arc);
    move(objectFlag, arc->ObjectFlag);
    move(ownerHandle, arc->OwnerHandle);
    move(x, arc->X);
    move(y, arc->Y);
    move(radius, arc->Radius);
    move(startAngle, arc->StartAngle);
    move(endAngle, arc->EndAngle);
    move(lineWidth, arc->LineWidth);
    move(aux1, arc->Aux1);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryFill(std::uint8_t mode, HostHandle handle,
                                          std::uint16_t* flags, std::uint16_t* tag, TLayerId* layer,
                                          std::uint32_t* net, Bool8* objectFlag,
                                          std::uint32_t* ownerHandle, std::int32_t* x,
                                          std::int32_t* y, std::int32_t* x2, std::int32_t* y2,
                                          std::int32_t* aux1, double* rotation) {
    auto* fill = FindObject<FillRecord>(handle);
    if (fill == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, fill->Flags);
    move(tag, fill->Tag);
    move(layer, fill->Layer);
    ExchangeNet(move, net, *fill);
    move(objectFlag, fill->ObjectFlag);
    move(ownerHandle, fill->OwnerHandle);
    move(x, fill->X);
    move(y, fill->Y);
    move(x2, fill->X2);
    move(y2, fill->Y2);
    move(aux1, fill->Aux1);
    move(rotation, fill->Rotation);
    return StatusOk;
}

// A region exchanges no reference point.
std::int32_t PCBAPI_CALL PcbApi_QueryRegion(std::uint8_t mode, HostHandle handle,
                                            std::uint8_t* regionByte, std::uint16_t* flags,
                                            std::uint16_t* tag, TLayerId* layer, std::uint32_t* net,
                                            Bool8* objectFlag, std::uint32_t* ownerHandle,
                                            std::int32_t* value6, std::int32_t* value5,
                                            std::int32_t* value1, std::int32_t* value2,
                                            std::int32_t* value3, std::int32_t* value4) {
    auto* region = FindObject<RegionRecord>(handle);
    if (region == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(regionByte, region->RegionByte);
    move(flags, region->Flags);
    move(tag, region->Tag);
    move(layer, region->Layer);
    ExchangeNet(move, net, *region);
    move(objectFlag, region->ObjectFlag);
    move(ownerHandle, region->OwnerHandle);
    move(value6, region->Value6);
    move(value5, region->Value5);
    move(value1, region->Value1);
    move(value2, region->Value2);
    move(value3, region->Value3);
    move(value4, region->Value4);
    return StatusOk;
}

} // extern "C"
