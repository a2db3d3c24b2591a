#include "pcbmodel/PcbComponent.h"

#include "pcbmodel/lookups/HandleReaders.h"
#include "serverclient/PcbApi.h"

namespace corvane {

TPcbComponent::TPcbComponent(HostHandle handle) : TPcbGroupObject(handle) {
    ObjectId = KindCode;
}

std::int32_t TPcbComponent::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    PcbApi_QueryComponentChannelOffset(mode, Handle, &ChannelOffset);
    PcbApi_QueryComponentKind(mode, Handle, &ComponentKind);
    const std::int32_t result = ExchangeProperties(mode);
    PcbApi_QueryComponentEx(mode, Handle, &ExValue1, &ExOption1, &ExOption2, &ExValue2);
    auto& links = SourceLinks;
    PcbApi_QueryComponentSourceLinks(mode, Handle, &links[0], &links[1], &links[2], &links[3],
                                     &links[4], &links[5], &links[6], &links[7]);
    PcbApi_QueryDefaultPCB3DModel(mode, Handle, &DefaultModel);
    return result;
}

std::int32_t TPcbComponent::ExchangeProperties(std::uint8_t mode) {
    // The host takes and gives a component's layer as the classic byte.
    TLayer layer = GetClassicLayer();
    const std::int32_t result =
        PcbApi_QueryComponent(mode, Handle, &Flags, &Tag, &layer, &ObjectFlag, &NameText,
                              &CommentText, &Pattern, &ComponentOption1, &ComponentOption2, &X, &Y,
                              &ComponentValue, &Rotation, &ComponentOption3);
    SetClassicLayer(layer);
    return result;
}

std::int32_t TPcbComponent::AddPrimitive(HostHandle objectHandle) {
    if (objectHandle == 0) {
        return 1;
    }
    return PcbApi_AddObjectToContainer(Handle, objectHandle);
}

void TPcbComponent::GetName(String255& out) const {
    out = TextOfHandle(NameText);
}

double TPcbComponent::GetRotation() const {
    return Rotation;
}

} // namespace corvane
