#include "pcbmodel/PcbRegion.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPCBRegion::TPCBRegion(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::Region);
}

std::int32_t TPCBRegion::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryRegion(mode, Handle, &RegionByte, &Flags, &Tag, &Layer, &Net, &ObjectFlag,
                              &OwnerHandle, &RegionValue6, &RegionValue5, &RegionValue1,
                              &RegionValue2, &RegionValue3, &RegionValue4);
}

} // namespace corvane
