#include "pcbmodel/BoardLayers.h"

namespace corvane {

TBoardLayers::TBoardLayers(HostHandle boardHandle) {
    for (int layer = First; layer <= Last; ++layer) {
        const auto number = static_cast<TLayer>(layer);
        if (IsInternalPlane(layer)) {
            Objects[layer] = std::make_unique<TInternalPlane>(boardHandle, number);
        } else {
            Objects[layer] = std::make_unique<TLayerObject>(boardHandle, number);
        }
    }
}

TLayerObject* TBoardLayers::operator[](int layer) {
    return Valid(layer) ? Objects[layer].get() : nullptr;
}

const TLayerObject* TBoardLayers::operator[](int layer) const {
    return Valid(layer) ? Objects[layer].get() : nullptr;
}

TInternalPlane* TBoardLayers::InternalPlane(int layer) {
    return IsInternalPlane(layer) ? static_cast<TInternalPlane*>(Objects[layer].get()) : nullptr;
}

const TInternalPlane* TBoardLayers::InternalPlane(int layer) const {
    return IsInternalPlane(layer) ? static_cast<const TInternalPlane*>(Objects[layer].get())
                                  : nullptr;
}

} // namespace corvane
