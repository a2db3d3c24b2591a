#include "pcbmodel/LayerPair.h"

#include "serverclient/LayerNumbering.h"

namespace corvane {

TPcblayerPair::TPcblayerPair() {
    SetFirstLayer(layer::NoLayer);
    SetSecondLayer(layer::NoLayer);
}

TLayer TPcblayerPair::GetFirstLayer() const {
    return LayerIdToLayer(FirstLayer);
}

TLayer TPcblayerPair::GetSecondLayer() const {
    return LayerIdToLayer(SecondLayer);
}

void TPcblayerPair::SetFirstLayer(TLayer layer) {
    FirstLayer = LayerToLayerId(layer);
}

void TPcblayerPair::SetSecondLayer(TLayer layer) {
    SecondLayer = LayerToLayerId(layer);
}

} // namespace corvane
