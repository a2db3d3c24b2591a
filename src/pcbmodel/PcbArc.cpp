#include "pcbmodel/PcbArc.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbArc::TPcbArc(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCode;
}

std::int32_t TPcbArc::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryArc(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag, &OwnerHandle, &X,
                           &Y, &Radius, &StartAngle, &EndAngle, &LineWidth, &Aux1);
}

std::int32_t TPcbArc::GetAux1() const {
    return Aux1;
}
std::int32_t TPcbArc::GetRadius() const {
    return Radius;
}
double TPcbArc::GetStartAngle() const {
    return StartAngle;
}
double TPcbArc::GetEndAngle() const {
    return EndAngle;
}
std::int32_t TPcbArc::GetLineWidth() const {
    return LineWidth;
}

void TPcbArc::SetAux1(std::int32_t value) {
    Aux1 = value;
}
void TPcbArc::SetRadius(std::int32_t value) {
    Radius = value;
}
void TPcbArc::SetStartAngle(double value) {
    StartAngle = value;
}
void TPcbArc::SetEndAngle(double value) {
    EndAngle = value;
}
void TPcbArc::SetLineWidth(std::int32_t value) {
    LineWidth = value;
}

} // namespace corvane
