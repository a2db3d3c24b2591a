#include "pcbmodel/PcbFromTo.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbFromTo::TPcbFromTo(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::FromTo);
    Tag = 0;
}

std::int32_t TPcbFromTo::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryFromTo(mode, Handle, &Tag, &X, &Y, &FlagA, &X2, &Y2, &FlagB, &Net);
}

std::int32_t TPcbFromTo::GetX2() const {
    return X2;
}
std::int32_t TPcbFromTo::GetY2() const {
    return Y2;
}
bool TPcbFromTo::GetFlagA() const {
    return FlagA != 0;
}
bool TPcbFromTo::GetFlagB() const {
    return FlagB != 0;
}
void TPcbFromTo::SetX2(std::int32_t value) {
    X2 = value;
}
void TPcbFromTo::SetY2(std::int32_t value) {
    Y2 = value;
}
void TPcbFromTo::SetFlagA(bool value) {
    FlagA = value ? 1 : 0;
}
void TPcbFromTo::SetFlagB(bool value) {
    FlagB = value ? 1 : 0;
}

} // namespace corvane
