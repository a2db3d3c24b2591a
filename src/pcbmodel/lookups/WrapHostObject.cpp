#include "pcbmodel/lookups/WrapHostObject.h"

#include "pcbmodel/PcbArc.h"
#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbComponentBody.h"
#include "pcbmodel/PcbCoordinate.h"
#include "pcbmodel/PcbDifferentialPair.h"
#include "pcbmodel/PcbDimension.h"
#include "pcbmodel/PcbEmbedded.h"
#include "pcbmodel/PcbEmbeddedBoard.h"
#include "pcbmodel/PcbFill.h"
#include "pcbmodel/PcbFromTo.h"
#include "pcbmodel/PcbManualFromTo.h"
#include "pcbmodel/PcbNet.h"
#include "pcbmodel/PcbObjectClass.h"
#include "pcbmodel/PcbPad.h"
#include "pcbmodel/PcbPolygon.h"
#include "pcbmodel/PcbRegion.h"
#include "pcbmodel/PcbRule.h"
#include "pcbmodel/PcbSplitPlane.h"
#include "pcbmodel/PcbText.h"
#include "pcbmodel/PcbTrack.h"
#include "pcbmodel/PcbVia.h"
#include "pcbmodel/PcbViolation.h"
#include "serverclient/PcbApi.h"

namespace corvane {
namespace {

template <typename Model> std::unique_ptr<TPCBObject> Make(HostHandle handle) {
    return std::make_unique<Model>(handle);
}

} // namespace

std::unique_ptr<TPCBObject> NewModelObject(std::uint8_t kind, HostHandle handle) {
    namespace k = objectkind;
    switch (kind) {
    case k::Arc:
        return Make<TPcbArc>(handle);
    case k::Pad:
        return Make<TPcbPad>(handle);
    case k::Via:
        return Make<TPcbVia>(handle);
    case k::Track:
        return Make<TPcbTrack>(handle);
    case k::Text:
        return Make<TPcbText>(handle);
    case k::Fill:
        return Make<TPcbFill>(handle);
    case k::FromTo:
        return Make<TPcbFromTo>(handle);
    case k::Net:
        return Make<TPcbNet>(handle);
    case k::Component:
        return Make<TPcbComponent>(handle);
    case k::Polygon:
        return Make<TPcbPolygon>(handle);
    case k::Region:
        return Make<TPCBRegion>(handle);
    case k::ComponentBody:
        return Make<TPcbComponentBody>(handle);
    case k::Dimension:
        return Make<TPcbDimension>(handle);
    case k::Coordinate:
        return Make<TPcbCoordinate>(handle);
    case k::ObjectClass:
        return Make<TPCBObjectClass>(handle);
    case k::Rule:
        return Make<TPcbRule>(handle);
    case k::ManualFromTo:
        return Make<TPcbManualFromTo>(handle);
    case k::DifferentialPair:
        return Make<TPcbDifferentialPair>(handle);
    case k::Violation:
        return Make<TPcbViolation>(handle);
    case k::Embedded:
        return Make<TPcbEmbedded>(handle);
    case k::EmbeddedBoard:
        return Make<TPcbEmbeddedBoard>(handle);
    case k::SplitPlane:
        return Make<TPcbSplitPlane>(handle);
    case k::BoardOutline:
        return Make<TPcbBoardOutline>(handle);
    default:
        return nullptr;
    }
}

std::unique_ptr<TPCBObject> WrapHostObject(HostHandle handle) {
    const auto kind =
        static_cast<std::uint8_t>(PcbApi_GetObjectIdFromObjectHandle(handle) & KindCodeMask);
    std::unique_ptr<TPCBObject> object = NewModelObject(kind, handle);
    if (object != nullptr) {
        object->Exchange(ExchangeRead);
    }
    return object;
}

} // namespace corvane
