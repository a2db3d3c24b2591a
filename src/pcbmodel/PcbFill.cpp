#include "pcbmodel/PcbFill.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbFill::TPcbFill(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCode;
}

std::int32_t TPcbFill::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryFill(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag, &OwnerHandle, &X,
                            &Y, &X2, &Y2, &Aux1, &Rotation);
}

void TPcbFill::MoveBy(std::int32_t dx, std::int32_t dy) {
    TPCBObject::MoveBy(dx, dy);
    X2 = Shifted(X2, dx);
    Y2 = Shifted(Y2, dy);
}

std::int32_t TPcbFill::GetX2() const {
    return X2;
}
std::int32_t TPcbFill::GetY2() const {
    return Y2;
}
std::int32_t TPcbFill::GetAux1() const {
    return Aux1;
}
double TPcbFill::GetRotation() const {
    return Rotation;
}

void TPcbFill::SetX2(std::int32_t value) {
    X2 = value;
}
void TPcbFill::SetY2(std::int32_t value) {
    Y2 = value;
}
void TPcbFill::SetAux1(std::int32_t value) {
    Aux1 = value;
}
void TPcbFill::SetRotation(double value) {
    Rotation = value;
}

} // namespace corvane
