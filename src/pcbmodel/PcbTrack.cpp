#include "pcbmodel/PcbTrack.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbTrack::TPcbTrack(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCode;
}

std::int32_t TPcbTrack::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryTrack(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag, &OwnerHandle,
                             &X, &Y, &X2, &Y2, &Width, &Aux1, &Aux2, &Aux3);
}

void TPcbTrack::MoveBy(std::int32_t dx, std::int32_t dy) {
    TPCBObject::MoveBy(dx, dy);
    X2 = Shifted(X2, dx);
    Y2 = Shifted(Y2, dy);
}

std::int32_t TPcbTrack::GetX2() const {
    return X2;
}
std::int32_t TPcbTrack::GetY2() const {
    return Y2;
}
std::int32_t TPcbTrack::GetAux1() const {
    return Aux1;
}
std::int32_t TPcbTrack::GetAux2() const {
    return Aux2;
}
std::int32_t TPcbTrack::GetAux3() const {
    return Aux3;
}
std::int32_t TPcbTrack::GetWidth() const {
    return Width;
}

void TPcbTrack::SetX2(std::int32_t value) {
    X2 = value;
}
void TPcbTrack::SetY2(std::int32_t value) {
    Y2 = value;
}
void TPcbTrack::SetAux1(std::int32_t value) {
    Aux1 = value;
}
void TPcbTrack::SetAux2(std::int32_t value) {
    Aux2 = value;
}
void TPcbTrack::SetAux3(std::int32_t value) {
    Aux3 = value;
}
void TPcbTrack::SetWidth(std::int32_t value) {
    Width = value;
}

} // namespace corvane
