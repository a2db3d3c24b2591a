#include "pcbmodel/PcbManualFromTo.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbManualFromTo::TPcbManualFromTo(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::ManualFromTo);
    Tag = 0;
}

std::int32_t TPcbManualFromTo::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryManualFromTo(mode, Handle, &Tag, &ManualText1, &ManualText2, &ManualText3,
                                    &ManualValue);
}

} // namespace corvane
