#include "pcbmodel/PcbSplitPlane.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbSplitPlane::TPcbSplitPlane(HostHandle handle) : TPcbGroupObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::SplitPlane);
}

std::int32_t TPcbSplitPlane::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QuerySplitPlane(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag,
                                  &SplitPlaneOption, &SegmentCount, Segments.data());
}

} // namespace corvane
