#include "pcbmodel/PcbObjectCore.h"

#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

namespace corvane {

TPcbObjectCore::TPcbObjectCore(HostHandle handle) : Handle(handle) {}

TPcbObjectCore::~TPcbObjectCore() = default;

void TPcbObjectCore::ExchangeBitFields(std::uint8_t mode) {
    PcbApi_GetObjectBitField2(mode, Handle, &BitField2);
    PcbApi_GetObjectBitField3(mode, Handle, &BitField3);
}

std::int32_t TPcbObjectCore::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    // OwnerHandle comes before ObjectFlag here, unlike the kinds' own entry points.
    return PcbApi_QueryPrimitive(mode, Handle, &Flags, &Tag, &Layer, &Net, &OwnerHandle,
                                 &ObjectFlag);
}

TLayer TPcbObjectCore::GetClassicLayer() const {
    return LayerIdToLayer(Layer);
}

void TPcbObjectCore::SetClassicLayer(TLayer layer) {
    Layer = LayerToLayerId(layer);
}

} // namespace corvane
