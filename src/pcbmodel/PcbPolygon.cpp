#include "pcbmodel/PcbPolygon.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbPolygon::TPcbPolygon(HostHandle handle) : TPcbGroupObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::Polygon);
}

std::int32_t TPcbPolygon::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryPolygon(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag,
                               &PolygonOption2, &PolygonOption3, &PolygonOption4, &PolygonValue1,
                               &PolygonValue2, &PolygonOption5, &PolygonOption6, &PolygonValue3,
                               &PolygonOption1, &SegmentCount, Segments.data());
}

TPcbBoardOutline::TPcbBoardOutline(HostHandle handle) : TPcbPolygon(handle) {
    ObjectId = KindCodeOf(ObjectKind::BoardOutline);
}

} // namespace corvane
