#pragma once
// The layer objects of one board, indexed by classic layer number 1..82. Asking for any other
// number yields no object rather than touching memory outside the table.

#include "pcbmodel/LayerObject.h"
#include "serverclient/LayerNumbering.h"

#include <array>
#include <memory>

namespace corvane {

class TBoardLayers {
public:
    /// Creates one layer object per classic layer: internal planes for 39..54, plain layer
    /// objects for the rest. Never calls the host.
    explicit TBoardLayers(HostHandle boardHandle);

    /// The layer object of a classic layer, or nullptr for 0 and numbers beyond 82.
    TLayerObject* operator[](int layer);
    const TLayerObject* operator[](int layer) const;

    /// The internal plane of a layer, or nullptr when the layer is not one of 39..54.
    TInternalPlane* InternalPlane(int layer);
    const TInternalPlane* InternalPlane(int layer) const;

    static constexpr int First = 1;
    static constexpr int Last = MaxClassicLayer;

private:
    static bool Valid(int layer) { return layer >= First && layer <= Last; }
    static bool IsInternalPlane(int layer) {
        return layer >= layer::InternalPlane1 && layer <= layer::InternalPlane16;
    }

    std::array<std::unique_ptr<TLayerObject>, MaxClassicLayer + 1> Objects;
};

} // namespace corvane
