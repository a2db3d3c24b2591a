#pragma once
// One layer of a board's stack, and the internal-plane variant that also carries its net.
// Thicknesses and heights are host units (1/10000 mil); the dielectric constant is relative.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <cstdint>

namespace corvane {

class TLayerObject {
public:
    /// Stores the board and layer and sets the defaults of a fresh stack; never calls the host.
    TLayerObject(HostHandle boardHandle, TLayer layerNumber);
    virtual ~TLayerObject() = default;

    TLayerObject(const TLayerObject&) = delete;
    TLayerObject& operator=(const TLayerObject&) = delete;

    /// Reads (ExchangeRead) or writes (ExchangeWrite) the layer and its dielectric; returns the
    /// result of the layer call.
    virtual std::int32_t Exchange(std::uint8_t mode);

    // Every field below is handed to the host by address and must keep its width.
    HostHandle BoardHandle;
    TLayer LayerNumber;
    String255 LayerName;
    std::int32_t CopperThickness = 14000;
    String255 DielectricMaterial{"FR-4"};
    std::uint8_t DielectricType = 1;
    double DielectricConstant = 4.8;
    std::int32_t DielectricHeight = 126000;
    std::uint8_t LayerOption1 = 0;
    std::uint8_t LayerOption2 = 0;
    TLayer PrevLayer = 0; // the layer above in the stack; 0 = none
    TLayer NextLayer = 0; // the layer below in the stack; 0 = none
    std::uint8_t LayerOption3 = 0;
    std::uint8_t Spare = 0;

protected:
    std::int32_t ExchangeDielectric(std::uint8_t mode);
};

/// A classic internal plane (layers 39..54): the host reports the plane's net name in place of
/// the third layer option.
class TInternalPlane : public TLayerObject {
public:
    TInternalPlane(HostHandle boardHandle, TLayer layerNumber);

    std::int32_t Exchange(std::uint8_t mode) override;

    String255 PlaneNetName{"(No Net)"};
};

} // namespace corvane
