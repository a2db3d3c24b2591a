#include "pcbmodel/PcbViolation.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbViolation::TPcbViolation(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::Violation);
}

std::int32_t TPcbViolation::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryViolation(mode, Handle, &ViolationText1, &ViolationText2, &ViolationValue1,
                                 &ViolationValue2, &ViolationValue3);
}

} // namespace corvane
