#include "pcbmodel/PcbCoordinate.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbCoordinate::TPcbCoordinate(HostHandle handle) : TPcbGroupObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::Coordinate);
}

std::int32_t TPcbCoordinate::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryCoordinate(mode, Handle, &Flags, &Tag, &ObjectFlag, &X, &Y, &Layer,
                                  &CoordValue1, &CoordValue2, &CoordValue3, &CoordValue4,
                                  &CoordValue5, &CoordValue6);
}

} // namespace corvane
