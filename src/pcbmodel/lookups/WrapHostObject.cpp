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
    switch (static_cast<ObjectKind>(kind)) {
    case ObjectKind::Arc:
        return Make<TPcbArc>(handle);
    case ObjectKind::Pad:
        return Make<TPcbPad>(handle);
    case ObjectKind::Via:
        return Make<TPcbVia>(handle);
    case ObjectKind::Track:
        return Make<TPcbTrack>(handle);
    case ObjectKind::Text:
        return Make<TPcbText>(handle);
    case ObjectKind::Fill:
        return Make<TPcbFill>(handle);
    case ObjectKind::FromTo:
        return Make<TPcbFromTo>(handle);
    case ObjectKind::Net:
        return Make<TPcbNet>(handle);
    case ObjectKind::Component:
        return Make<TPcbComponent>(handle);
    case ObjectKind::Polygon:
        return Make<TPcbPolygon>(handle);
    case ObjectKind::Region:
        return Make<TPCBRegion>(handle);
    case ObjectKind::ComponentBody:
        return Make<TPcbComponentBody>(handle);
    case ObjectKind::Dimension:
        return Make<TPcbDimension>(handle);
    case ObjectKind::Coordinate:
        return Make<TPcbCoordinate>(handle);
    case ObjectKind::ObjectClass:
        return Make<TPCBObjectClass>(handle);
    case ObjectKind::Rule:
        return Make<TPcbRule>(handle);
    case ObjectKind::ManualFromTo:
        return Make<TPcbManualFromTo>(handle);
    case ObjectKind::DifferentialPair:
        return Make<TPcbDifferentialPair>(handle);
    case ObjectKind::Violation:
        return Make<TPcbViolation>(handle);
    case ObjectKind::Embedded:
        return Make<TPcbEmbedded>(handle);
    case ObjectKind::EmbeddedBoard:
        return Make<TPcbEmbeddedBoard>(handle);
    case ObjectKind::SplitPlane:
        return Make<TPcbSplitPlane>(handle);
    case ObjectKind::BoardOutline:
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
