#include "pcbmodel/LayerObject.h"

#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

namespace corvane {

TLayerObject::TLayerObject(HostHandle boardHandle, TLayer layerNumber)
    : BoardHandle(boardHandle), LayerNumber(layerNumber) {
    LayerName.AssignFrom(layerNumber < LayerNames.size() ? LayerNames[layerNumber] : LayerNames[0]);
}

std::int32_t TLayerObject::Exchange(std::uint8_t mode) {
    const std::int32_t result =
        PcbApi_QueryLayer(mode, LayerNumber, BoardHandle, &LayerName, &CopperThickness,
                          &LayerOption1, &LayerOption2, &PrevLayer, &NextLayer, &LayerOption3);
    ExchangeDielectric(mode);
    return result;
}

std::int32_t TLayerObject::ExchangeDielectric(std::uint8_t mode) {
    return PcbApi_QueryLayerDielectric(mode, LayerNumber, BoardHandle, &DielectricMaterial,
                                       &DielectricType, &DielectricConstant, &DielectricHeight);
}

TInternalPlane::TInternalPlane(HostHandle boardHandle, TLayer layerNumber)
    : TLayerObject(boardHandle, layerNumber) {}

std::int32_t TInternalPlane::Exchange(std::uint8_t mode) {
    const std::int32_t result = PcbApi_QueryInternalPlane(
        mode, LayerNumber, BoardHandle, &LayerName, &CopperThickness, &LayerOption1, &LayerOption2,
        &PrevLayer, &NextLayer, &PlaneNetName);
    ExchangeDielectric(mode);
    return result;
}

} // namespace corvane
