// Components, nets, polygons and board outlines, split planes, coordinates and dimensions.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "GroupRecords.h"

#include <algorithm>

using corvane::Bool8;
using corvane::HostHandle;
using corvane::SegmentRecord;
using corvane::String250;
using corvane::String255;
using corvane::TLayer;
using corvane::TLayerId;
using namespace halvex;

namespace {

// The count moves as it is; the records kept or handed out are the first min(count, 5001).
void ExchangeSegments(const FieldExchange& move, std::int32_t* count, SegmentRecord* segments,
                      SegmentList& stored) {
    move(count, stored.Count);
    const auto kept = static_cast<std::size_t>(std::clamp(stored.Count, 0, SegmentList::Capacity));
    if (move.Reading()) {
        if (segments != nullptr) {
            std::copy(stored.Records.begin(), stored.Records.end(), segments);
        }
        return;
    }
    if (segments != nullptr) {
        stored.Records.assign(segments, segments + kept);
    } else {
        stored.Records.resize(kept);
    }
}

} // namespace

extern "C" {

std::int32_t PCBAPI_CALL PcbApi_QueryComponentChannelOffset(std::uint8_t mode, HostHandle handle,
                                                            std::int32_t* channelOffset) {
    auto* component = FindObject<ComponentRecord>(handle);
    if (component == nullptr) {
        return StatusNoSuchObject;
    }
    FieldExchange{mode}(channelOffset, component->ChannelOffset);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryComponentKind(std::uint8_t mode, HostHandle handle,
                                                   std::uint32_t* componentKind) {
    auto* component = FindObject<ComponentRecord>(handle);
    if (component == nullptr) {
        return StatusNoSuchObject;
    }
    FieldExchange{mode}(componentKind, component->ComponentKind);
    return StatusOk;
}

// The component's layer is exchanged as a one-byte classic layer.
std::int32_t PCBAPI_CALL PcbApi_QueryComponent(
    std::uint8_t mode, HostHandle handle, std::uint16_t* flags, std::uint16_t* tag, TLayer* layer,
    Bool8* objectFlag, std::uint32_t* nameText, std::uint32_t* commentText, String250* pattern,
    std::uint8_t* option1, std::uint8_t* option2, std::int32_t* x, std::int32_t* y,
    std::int32_t* value, double* rotation, std::uint8_t* option3) {
    auto* component = FindObject<ComponentRecord>(handle);
    if (component == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, component->Flags);
    move(tag, component->Tag);
    move.ClassicLayer(layer, component->Layer);
    move(objectFlag, component->ObjectFlag);
    move(nameText, component->NameText);
    move(commentText, component->CommentText);
    move(pattern, component->Pattern);
    move(option1, component->Option1);
    move(option2, component->Option2);
    move(x, component->X);
    move(y, component->Y);
    move(value, component->Value);
    move(rotation, component->Rotation);
    move(option3, component->Option3);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryComponentEx(std::uint8_t mode, HostHandle handle,
                                                 std::int32_t* value1, std::uint8_t* option1,
                                                 std::uint8_t* option2, std::int32_t* value2) {
    auto* component = FindObject<ComponentRecord>(handle);
    if (component == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(value1, component->ExValue1);
    move(option1, component->ExOption1);
    move(option2, component->ExOption2);
    move(value2, component->ExValue2);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryComponentSourceLinks(std::uint8_t mode, HostHandle handle,
                                                          String255* l1, String255* l2,
                                                          String255* l3, String255* l4,
                                                          String255* l5, String255* l6,
                                                          String255* l7, String255* l8) {
    auto* component = FindObject<ComponentRecord>(handle);
    if (component == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    String255* links[] = {l1, l2, l3, l4, l5, l6, l7, l8};
    for (std::size_t i = 0; i < component->SourceLinks.size(); ++i) {
        move(links[i], component->SourceLinks[i]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryDefaultPCB3DModel(std::uint8_t mode, HostHandle handle,
                                                       String255* model) {
    auto* component = FindObject<ComponentRecord>(handle);
    if (component == nullptr) {
        return StatusNoSuchObject;
    }
    FieldExchange{mode}(model, component->DefaultModel);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryNet(std::uint8_t mode, HostHandle handle, std::uint16_t* tag,
                                         String255* name, std::uint8_t* option1,
                                         std::uint8_t* option2) {
    auto* net = FindObject<NetRecord>(handle);
    if (net == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(tag, net->Tag);
    move(name, net->Name);
    move(option1, net->Option1);
    move(option2, net->Option2);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryPolygon(
    std::uint8_t mode, HostHandle handle, std::uint16_t* flags, std::uint16_t* tag, TLayerId* layer,
    std::uint32_t* net, Bool8* objectFlag, std::uint8_t* option2, std::uint8_t* option3,
    std::uint8_t* option4, std::int32_t* value1, std::int32_t* value2, std::uint8_t* option5,
    std::uint8_t* option6, std::int32_t* value3, std::uint8_t* option1, std::int32_t* segmentCount,
    SegmentRecord* segments) {
    auto* polygon = FindObject<PolygonRecord>(handle);
    if (polygon == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, polygon->Flags);
    move(tag, polygon->Tag);
    move(layer, polygon->Layer);
    ExchangeNet(move, net, *polygon);
    move(objectFlag, polygon->ObjectFlag);
    move(option2, polygon->Option2);
    move(option3, polygon->Option3);
    move(option4, polygon->Option4);
    move(value1, polygon->Value1);
    move(value2, polygon->Value2);
    move(option5, polygon->Option5);
    move(option6, polygon->Option6);
    move(value3, polygon->Value3);
    move(option1, polygon->Option1);
    ExchangeSegments(move, segmentCount, segments, polygon->Segments);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QuerySplitPlane(std::uint8_t mode, HostHandle handle,
                                                std::uint16_t* flags, std::uint16_t* tag,
                                                TLayerId* layer, std::uint32_t* net,
                                                Bool8* objectFlag, std::uint8_t* option,
                                                std::int32_t* segmentCount,
                                                SegmentRecord* segments) {
    auto* plane = FindObject<SplitPlaneRecord>(handle);
    if (plane == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, plane->Flags);
    move(tag, plane->Tag);
    move(layer, plane->Layer);
    ExchangeNet(move, net, *plane);
    move(objectFlag, plane->ObjectFlag);
    move(option, plane->Option);
    ExchangeSegments(move, segmentCount, segments, plane->Segments);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryCoordinate(std::uint8_t mode, HostHandle handle,
                                                std::uint16_t* flags, std::uint16_t* tag,
                                                Bool8* objectFlag, std::int32_t* x, std::int32_t* y,
                                                TLayerId* layer, std::int32_t* v1, std::int32_t* v2,
                                                std::int32_t* v3, std::int32_t* v4,
                                                std::int32_t* v5, std::int32_t* v6) {
    auto* coordinate = FindObject<CoordinateRecord>(handle);
    if (coordinate == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, coordinate->Flags);
    move(tag, coordinate->Tag);
    move(objectFlag, coordinate->ObjectFlag);
    move(x, coordinate->X);
    move(y, coordinate->Y);
    move(layer, coordinate->Layer);
    std::int32_t* values[] = {v1, v2, v3, v4, v5, v6};
    for (std::size_t i = 0; i < coordinate->Values.size(); ++i) {
        move(values[i], coordinate->Values[i]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryDimension(std::uint8_t mode, HostHandle handle,
                                               std::uint16_t* flags, std::uint16_t* tag,
                                               Bool8* objectFlag, std::int32_t* x, std::int32_t* y,
                                               std::int32_t* v1, std::int32_t* v2, TLayerId* layer,
                                               std::int32_t* v3, std::int32_t* v4, std::int32_t* v5,
                                               std::int32_t* v6, std::int32_t* v7,
                                               std::uint8_t* option1) {
    auto* dimension = FindObject<DimensionRecord>(handle);
    if (dimension == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, dimension->Flags);
    move(tag, dimension->Tag);
    move(objectFlag, dimension->ObjectFlag);
    move(x, dimension->X);
    move(y, dimension->Y);
    move(v1, dimension->DimValues[0]);
    move(v2, dimension->DimValues[1]);
    move(layer, dimension->Layer);
    std::int32_t* rest[] = {v3, v4, v5, v6, v7};
    for (std::size_t i = 0; i < 5; ++i) {
        move(rest[i], dimension->DimValues[i + 2]);
    }
    move(option1, dimension->DimOption1);
    return StatusOk;
}

// Read: the number of references. Write: the dimension keeps that many (new ones zero; the
// count is cut to 0..MaxReferences).
std::int32_t PCBAPI_CALL PcbApi_References_Count(std::uint8_t mode, HostHandle handle,
                                                 std::int32_t* count) {
    auto* dimension = FindObject<DimensionRecord>(handle);
    if (dimension == nullptr) {
        return StatusNoSuchObject;
    }
    if (count == nullptr) {
        return StatusBadArgument;
    }
    if (FieldExchange{mode}.Reading()) {
        *count = static_cast<std::int32_t>(dimension->References.size());
    } else {
        dimension->References.resize(
            static_cast<std::size_t>(std::clamp(*count, 0, DimensionRecord::MaxReferences)));
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_References_At(std::uint8_t mode, HostHandle handle,
                                              std::int32_t index, std::int32_t* first,
                                              std::int32_t* second, std::int32_t* third,
                                              std::int32_t* fourth) {
    auto* dimension = FindObject<DimensionRecord>(handle);
    if (dimension == nullptr) {
        return StatusNoSuchObject;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= dimension->References.size()) {
        return StatusBadArgument;
    }
    auto& reference = dimension->References[static_cast<std::size_t>(index)];
    const FieldExchange move(mode);
    std::int32_t* values[] = {first, second, third, fourth};
    for (std::size_t i = 0; i < reference.size(); ++i) {
        move(values[i], reference[i]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryExtDimension(
    std::uint8_t mode, HostHandle handle, std::uint8_t* kind, std::int32_t* e1, std::int32_t* e2,
    std::int32_t* e3, std::uint8_t* eo1, std::int32_t* e4, String255* t1, std::uint8_t* eo2,
    std::int32_t* e5, String255* t2, String255* t3, std::uint64_t* e64, std::int32_t* e6,
    std::int32_t* e7, std::int32_t* e8, std::uint8_t* eo3, std::int32_t* e9, std::int32_t* e10,
    std::int32_t* e11) {
    auto* dimension = FindObject<DimensionRecord>(handle);
    if (dimension == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(kind, dimension->DimensionKind);
    move(e1, dimension->ExtValue1);
    move(e2, dimension->ExtValue2);
    move(e3, dimension->ExtValue3);
    move(eo1, dimension->ExtOption1);
    move(e4, dimension->ExtValue4);
    move(t1, dimension->ExtText1);
    move(eo2, dimension->ExtOption2);
    move(e5, dimension->ExtValue5);
    move(t2, dimension->ExtText2);
    move(t3, dimension->ExtText3);
    move(e64, dimension->ExtValue64);
    move(e6, dimension->ExtValue6);
    move(e7, dimension->ExtValue7);
    move(e8, dimension->ExtValue8);
    move(eo3, dimension->ExtOption3);
    move(e9, dimension->ExtValue9);
    move(e10, dimension->ExtValue10);
    move(e11, dimension->ExtValue11);
    return StatusOk;
}

} // extern "C"
