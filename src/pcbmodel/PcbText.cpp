#include "pcbmodel/PcbText.h"

#include "serverclient/PcbApi.h"
#include "serverclient/Units.h"

namespace corvane {
namespace {

constexpr double DefaultTrueTypeValueMils = 20.0;
// The bar-code call's answer that overrides the TrueType call's status.
constexpr std::int32_t BarCodeOverride = 1;

} // namespace

TPcbText::TPcbText(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCode;
    // The other TrueType and bar-code settings stay zero.
    FontName.Assign("Arial");
    TrueTypeValue = MilsToCoord(DefaultTrueTypeValueMils);
}

std::int32_t TPcbText::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    // A failure of the main call is not reported: only the TrueType and bar-code calls count.
    ExchangeDescription(mode);
    std::int32_t result =
        PcbApi_QueryTrueTypeTextInfo(mode, Handle, &TrueTypeKind, &FontName, &TrueTypeFlag1,
                                     &TrueTypeFlag2, &TrueTypeFlag3, &TrueTypeValue);
    String255 display;
    PcbApi_GetDesignatorDisplayString(&display, Handle);
    DisplayString.AssignFrom(display);
    if (PcbApi_QueryBarCodeTextInfo(mode, Handle, &BarCodeByte1, &BarCodeByte2, &BarCodeByte3,
                                    &BarCodeByte4) == BarCodeOverride) {
        result = BarCodeOverride;
    }
    return result;
}

std::int32_t TPcbText::ExchangeDescription(std::uint8_t mode) {
    return PcbApi_QueryText(mode, Handle, &Flags, &Tag, &Layer, &Net, &ObjectFlag, &OwnerHandle, &X,
                            &Y, &Size, &FontId, &Rotation, &Mirror, &Text, &Width, &Aux2, &Aux3);
}

std::int32_t TPcbText::GetAux2() const {
    return Aux2;
}
std::int32_t TPcbText::GetAux3() const {
    return Aux3;
}
void TPcbText::GetText(String255& out) const {
    out.AssignFrom(Text);
}
double TPcbText::GetRotation() const {
    return Rotation;
}
std::int32_t TPcbText::GetWidth() const {
    return Width;
}
std::int32_t TPcbText::GetSize() const {
    return Size;
}
std::int32_t TPcbText::GetLineWidth() const {
    return Width;
}
std::int32_t TPcbText::GetFontId() const {
    return FontId;
}
bool TPcbText::GetMirror() const {
    return Mirror != 0;
}

void TPcbText::SetAux2(std::int32_t value) {
    Aux2 = value;
}
void TPcbText::SetAux3(std::int32_t value) {
    Aux3 = value;
}
void TPcbText::SetText(const String255& text) {
    Text.AssignFrom(text);
}
void TPcbText::SetRotation(double value) {
    Rotation = value;
}
void TPcbText::SetSize(std::int32_t value) {
    Size = value;
}
void TPcbText::SetLineWidth(std::int32_t value) {
    Width = value;
}
void TPcbText::SetFontId(std::int32_t value) {
    FontId = value;
}
void TPcbText::SetMirror(bool value) {
    Mirror = value ? 1 : 0;
}

} // namespace corvane
