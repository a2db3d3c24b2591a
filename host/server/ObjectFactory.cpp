#include "ObjectFactory.h"

#include "GroupRecords.h"
#include "OtherRecords.h"
#include "PadRecord.h"
#include "PrimitiveRecords.h"
#include "TextRecord.h"

namespace halvex {

ObjectRecord* MakeRecord(ObjectStore& store, std::uint8_t kindCode) {
    if (!IsKnownKind(kindCode)) {
        return nullptr;
    }
    const auto kind = static_cast<ObjectKind>(kindCode);
    switch (kind) {
    case ObjectKind::Arc:
        return store.Make<ArcRecord>();
    case ObjectKind::Pad:
        return store.Make<PadRecord>();
    case ObjectKind::Via:
        return store.Make<ViaRecord>();
    case ObjectKind::Track:
        return store.Make<TrackRecord>();
    case ObjectKind::Text:
        return store.Make<TextRecord>();
    case ObjectKind::Fill:
        return store.Make<FillRecord>();
    case ObjectKind::FromTo:
        return store.Make<FromToRecord>();
    case ObjectKind::Net:
        return store.Make<NetRecord>();
    case ObjectKind::Component:
        return store.Make<ComponentRecord>();
    case ObjectKind::Polygon:
    case ObjectKind::BoardOutline:
        return store.Make<PolygonRecord>(kind);
    case ObjectKind::Region:
        return store.Make<RegionRecord>();
    case ObjectKind::ComponentBody:
        return store.Make<ComponentBodyRecord>();
    case ObjectKind::Dimension:
        return store.Make<DimensionRecord>();
    case ObjectKind::Coordinate:
        return store.Make<CoordinateRecord>();
    case ObjectKind::ObjectClass:
        return store.Make<ClassRecord>();
    case ObjectKind::Rule:
        return store.Make<RuleRecord>();
    case ObjectKind::ManualFromTo:
        return store.Make<ManualFromToRecord>();
    case ObjectKind::DifferentialPair:
        return store.Make<DifferentialPairRecord>();
    case ObjectKind::Violation:
        return store.Make<ViolationRecord>();
    case ObjectKind::Embedded:
        return store.Make<EmbeddedRecord>();
    case ObjectKind::EmbeddedBoard:
        return store.Make<EmbeddedBoardRecord>();
    case ObjectKind::SplitPlane:
        return store.Make<SplitPlaneRecord>();
    }
    return nullptr;
}

} // namespace halvex
