#include "pcbmodel/PcbObject.h"

#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"
#include "serverclient/Units.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace corvane {
namespace {

constexpr unsigned FlagsBit3 = 3;
constexpr unsigned FlagsBit4 = 4;
constexpr unsigned FlagsBit8 = 8;
constexpr unsigned FlagsBit11 = 11;
constexpr unsigned FlagsBit12 = 12;
constexpr unsigned FlagsBit13 = 13;
constexpr unsigned FlagsBit14 = 14;
constexpr unsigned FlagsBit15 = 15;

template <typename Word> constexpr bool BitOf(Word word, unsigned bit) {
    return ((static_cast<unsigned>(word) >> bit) & 1u) != 0;
}

template <typename Word> constexpr Word WithBit(Word word, unsigned bit, bool value) {
    const auto mask = static_cast<unsigned>(1u << bit);
    const auto bits = static_cast<unsigned>(word);
    return static_cast<Word>(value ? (bits | mask) : (bits & ~mask));
}

bool IsLeftCorner(CornerCoordinate which) {
    return which == CornerCoordinate::X1 || which == CornerCoordinate::X3;
}

bool IsRightCorner(CornerCoordinate which) {
    return which == CornerCoordinate::X2 || which == CornerCoordinate::X4;
}

// The spread of a rectangle along one axis: the distance of its two ends plus the margin on both
// sides. Kept in 64 bits so that far-apart ends or a large margin cannot overflow.
std::int64_t GrownExtent(std::int32_t from, std::int32_t to, std::int32_t margin) {
    return std::llabs(static_cast<std::int64_t>(to) - from) + 2 * static_cast<std::int64_t>(margin);
}

// Midpoint as the sum of the halves, each truncated toward zero (never overflows).
std::int64_t HalvesSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int64_t>(a / 2) + b / 2;
}

} // namespace

// --- Host queries, motion -----------------------------------------------------------

std::int32_t TPCBObject::GetBoundingRectangle(std::int32_t& bound1, std::int32_t& bound2,
                                              std::int32_t& bound3, std::int32_t& bound4) const {
    return PcbApi_QueryObjectBoundingRectangle(Handle, &bound1, &bound2, &bound3, &bound4);
}

std::int32_t TPCBObject::Shifted(std::int32_t coordinate, std::int32_t delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(coordinate) +
                                     static_cast<std::uint32_t>(delta));
}

void TPCBObject::MoveBy(std::int32_t dx, std::int32_t dy) {
    X = Shifted(X, dx);
    Y = Shifted(Y, dy);
}

bool TPCBObject::ImportFromUser() const {
    return PcbApi_QueryObjectImport_FromUser(Handle) == 0;
}

std::int32_t TPCBObject::GraphicallyInvalidate() const {
    return PcbApi_QueryObjectGraphicallyInvalidate(Handle);
}

// --- Flag bits --------------------------------------------------------------------------------

bool TPCBObject::FlagsBit(unsigned bit) const {
    return BitOf(Flags, bit);
}
void TPCBObject::SetFlagsBit(unsigned bit, bool value) {
    Flags = WithBit(Flags, bit, value);
}
bool TPCBObject::BitField2Bit(unsigned bit) const {
    return BitOf(BitField2, bit);
}
bool TPCBObject::BitField3Bit(unsigned bit) const {
    return BitOf(BitField3, bit);
}
void TPCBObject::SetBitField3Bit(unsigned bit, bool value) {
    BitField3 = WithBit(BitField3, bit, value);
}

bool TPCBObject::GetFlagsBit4() const {
    return FlagsBit(FlagsBit4);
}
bool TPCBObject::GetBitField2Bit4() const {
    return BitField2Bit(4);
}
bool TPCBObject::GetBitField2Bit0() const {
    return BitField2Bit(0);
}
bool TPCBObject::GetBitField2Bit1() const {
    return BitField2Bit(1);
}
bool TPCBObject::GetBitField2Bit3() const {
    return BitField2Bit(3);
}
bool TPCBObject::GetBitField2Bit5() const {
    return BitField2Bit(5);
}
bool TPCBObject::GetBitField2Bit6() const {
    return BitField2Bit(6);
}
void TPCBObject::SetFlagsBit4(bool value) {
    SetFlagsBit(FlagsBit4, value);
}
bool TPCBObject::GetFlagsBit3() const {
    return FlagsBit(FlagsBit3);
}

void TPCBObject::SetFlagsBit3(bool value) {
    SetFlagsBit(FlagsBit3, value);
    Exchange(ExchangeWrite);
}

bool TPCBObject::GetNotFlagsBit8() const {
    return !FlagsBit(FlagsBit8);
}

void TPCBObject::SetNotFlagsBit8(bool value) {
    SetFlagsBit(FlagsBit8, !value);
    Exchange(ExchangeWrite);
}

bool TPCBObject::GetBitField3Any() const {
    return GetBitField3Bit1() || GetBitField3Bit2();
}

void TPCBObject::SetBitField3Both(bool value) {
    SetBitField3Bit1(value);
    SetBitField3Bit2(value);
}

bool TPCBObject::GetBitField3Bit1() const {
    return BitField3Bit(1);
}
void TPCBObject::SetBitField3Bit1(bool value) {
    SetBitField3Bit(1, value);
}
bool TPCBObject::GetBitField3Bit2() const {
    return BitField3Bit(2);
}
void TPCBObject::SetBitField3Bit2(bool value) {
    SetBitField3Bit(2, value);
}
bool TPCBObject::GetFlagsBit11() const {
    return FlagsBit(FlagsBit11);
}
void TPCBObject::SetFlagsBit11(bool value) {
    SetFlagsBit(FlagsBit11, value);
}
bool TPCBObject::GetFlagsBit13() const {
    return FlagsBit(FlagsBit13);
}
void TPCBObject::SetFlagsBit13(bool value) {
    SetFlagsBit(FlagsBit13, value);
}
bool TPCBObject::GetPadViaFlag1() const {
    return false;
}
void TPCBObject::SetPadViaFlag1(bool) {}
bool TPCBObject::GetPadViaFlag2() const {
    return false;
}
void TPCBObject::SetPadViaFlag2(bool) {}
bool TPCBObject::GetFlagsBit12() const {
    return FlagsBit(FlagsBit12);
}
void TPCBObject::SetFlagsBit12(bool value) {
    SetFlagsBit(FlagsBit12, value);
}
bool TPCBObject::GetFlagsBit14() const {
    return FlagsBit(FlagsBit14);
}
void TPCBObject::SetFlagsBit14(bool value) {
    SetFlagsBit(FlagsBit14, value);
}
bool TPCBObject::GetFlagsBit15() const {
    return FlagsBit(FlagsBit15);
}
void TPCBObject::SetFlagsBit15(bool value) {
    SetFlagsBit(FlagsBit15, value);
}

// --- Getters ----------------------------------------------------------------------------------

std::uint32_t TPCBObject::GetHandle() const {
    return Handle;
}
std::uint8_t TPCBObject::GetObjectId() const {
    return ObjectId;
}
std::int32_t TPCBObject::GetX() const {
    return X;
}
std::int32_t TPCBObject::GetY() const {
    return Y;
}
std::int32_t TPCBObject::GetX2() const {
    return X;
}
std::int32_t TPCBObject::GetY2() const {
    return Y;
}
std::uint16_t TPCBObject::GetFlags() const {
    return Flags;
}
std::uint16_t TPCBObject::GetTag() const {
    return Tag;
}
TLayer TPCBObject::GetLayer() const {
    return GetClassicLayer();
}
bool TPCBObject::GetObjectFlag() const {
    return ObjectFlag != 0;
}
std::uint32_t TPCBObject::GetNet() const {
    return Net;
}
std::uint32_t TPCBObject::GetOwnerHandle() const {
    return OwnerHandle;
}
std::int32_t TPCBObject::GetAux1() const {
    return 0;
}
std::int32_t TPCBObject::GetAux2() const {
    return 0;
}
std::int32_t TPCBObject::GetAux3() const {
    return 0;
}
std::int32_t TPCBObject::GetTopXSize() const {
    return 0;
}
std::int32_t TPCBObject::GetTopYSize() const {
    return 0;
}
std::int32_t TPCBObject::GetMidXSize() const {
    return 0;
}
std::int32_t TPCBObject::GetMidYSize() const {
    return 0;
}
std::int32_t TPCBObject::GetBotXSize() const {
    return 0;
}
std::int32_t TPCBObject::GetBotYSize() const {
    return 0;
}
std::int32_t TPCBObject::GetHoleSize() const {
    return 0;
}
std::uint8_t TPCBObject::GetTopShape() const {
    return 0;
}
std::uint8_t TPCBObject::GetMidShape() const {
    return 0;
}
std::uint8_t TPCBObject::GetBotShape() const {
    return 0;
}
void TPCBObject::GetName(String255& out) const {
    out.Clear();
}
double TPCBObject::GetRotation() const {
    return 0.0;
}
std::int32_t TPCBObject::GetWidth() const {
    return 0;
}
std::uint8_t TPCBObject::GetShape() const {
    return 0;
}
std::int32_t TPCBObject::GetSize() const {
    return 0;
}
std::int32_t TPCBObject::GetXSize() const {
    return GetSize();
}
std::int32_t TPCBObject::GetYSize() const {
    return GetSize();
}
TLayer TPCBObject::GetStartLayer() const {
    return 0;
}
TLayer TPCBObject::GetEndLayer() const {
    return 0;
}
std::int32_t TPCBObject::GetRadius() const {
    return 0;
}
double TPCBObject::GetStartAngle() const {
    return 0.0;
}
double TPCBObject::GetEndAngle() const {
    return 0.0;
}
std::int32_t TPCBObject::GetLineWidth() const {
    return 0;
}

std::int32_t TPCBObject::QueryBound(int index) const {
    std::int32_t bounds[4] = {0, 0, 0, 0};
    PcbApi_QueryObjectBoundingRectangle(Handle, &bounds[0], &bounds[1], &bounds[2], &bounds[3]);
    return bounds[index];
}

std::int32_t TPCBObject::GetBound1() const {
    return QueryBound(0);
}
std::int32_t TPCBObject::GetBound2() const {
    return QueryBound(1);
}
std::int32_t TPCBObject::GetBound3() const {
    return QueryBound(2);
}
std::int32_t TPCBObject::GetBound4() const {
    return QueryBound(3);
}
std::int32_t TPCBObject::GetFontId() const {
    return 0;
}
bool TPCBObject::GetMirror() const {
    return false;
}
void TPCBObject::GetText(String255& out) const {
    out.Clear();
}
bool TPCBObject::GetFlagA() const {
    return false;
}
bool TPCBObject::GetFlagB() const {
    return false;
}

// --- Corner geometry --------------------------------------------------------------------------

std::int32_t TPCBObject::TurnedCorner(CornerCoordinate which, long double centreX,
                                      long double centreY, long double width, long double height,
                                      double rotation) {
    const long double halfWidth = width / 2;
    const long double halfHeight = height / 2;
    // The radius is held as a double; the rest stays in extended precision until the rounding.
    const double radius =
        static_cast<double>(std::sqrt(halfWidth * halfWidth + halfHeight * halfHeight));
    // For a flat rectangle the angle is the limit of arctan(W/H) as H approaches 0 from above:
    // the corners then lie on its long axis instead of dividing by zero.
    constexpr long double quarter = std::numbers::pi_v<long double> / 2;
    const long double theta = height != 0 ? std::atan(width / height)
                              : width > 0 ? quarter
                              : width < 0 ? -quarter
                                          : 0.0L;
    const long double turn = theta + DegreesToRadians(-rotation);
    const long double skew = DegreesToRadians(90.0 - rotation) - theta;
    const long double r = radius;
    switch (which) {
    case CornerCoordinate::X1:
        return RoundToInt32(centreX - std::sin(turn) * r);
    case CornerCoordinate::Y1:
        return RoundToInt32(centreY - std::cos(turn) * r);
    case CornerCoordinate::X2:
        return RoundToInt32(centreX + std::cos(skew) * r);
    case CornerCoordinate::Y2:
        return RoundToInt32(centreY - std::sin(skew) * r);
    case CornerCoordinate::X3:
        return RoundToInt32(centreX - std::cos(skew) * r);
    case CornerCoordinate::Y3:
        return RoundToInt32(centreY + std::sin(skew) * r);
    case CornerCoordinate::X4:
        return RoundToInt32(centreX + std::sin(turn) * r);
    case CornerCoordinate::Y4:
        return RoundToInt32(centreY + std::cos(turn) * r);
    }
    return 0;
}

std::int32_t TPCBObject::Corner(CornerCoordinate which, std::int32_t margin) const {
    const std::int32_t x1 = GetX();
    const std::int32_t y1 = GetY();
    const std::int32_t x2 = GetX2();
    const std::int32_t y2 = GetY2();
    const std::int64_t width = GrownExtent(x1, x2, margin);
    const std::int64_t height = GrownExtent(y1, y2, margin);
    const std::int64_t centreX = HalvesSum(x1, x2);
    const std::int64_t centreY = HalvesSum(y1, y2);
    if (height == 0) {
        // A flat rectangle is not turned: its corners lie on the horizontal through the centre.
        const long double halfWidth = static_cast<long double>(width) / 2;
        if (IsLeftCorner(which)) {
            return RoundToInt32(centreX - halfWidth);
        }
        if (IsRightCorner(which)) {
            return RoundToInt32(centreX + halfWidth);
        }
        return static_cast<std::int32_t>(centreY);
    }
    return TurnedCorner(which, static_cast<long double>(centreX), static_cast<long double>(centreY),
                        static_cast<long double>(width), static_cast<long double>(height),
                        GetRotation());
}

std::int32_t TPCBObject::CornerX1(std::int32_t margin) const {
    return Corner(CornerCoordinate::X1, margin);
}
std::int32_t TPCBObject::CornerY1(std::int32_t margin) const {
    return Corner(CornerCoordinate::Y1, margin);
}
std::int32_t TPCBObject::CornerX2(std::int32_t margin) const {
    return Corner(CornerCoordinate::X2, margin);
}
std::int32_t TPCBObject::CornerY2(std::int32_t margin) const {
    return Corner(CornerCoordinate::Y2, margin);
}
std::int32_t TPCBObject::CornerX3(std::int32_t margin) const {
    return Corner(CornerCoordinate::X3, margin);
}
std::int32_t TPCBObject::CornerY3(std::int32_t margin) const {
    return Corner(CornerCoordinate::Y3, margin);
}
std::int32_t TPCBObject::CornerX4(std::int32_t margin) const {
    return Corner(CornerCoordinate::X4, margin);
}
std::int32_t TPCBObject::CornerY4(std::int32_t margin) const {
    return Corner(CornerCoordinate::Y4, margin);
}

// --- Layer-conditional queries ----------------------------------------------------------------

bool TPCBObject::IsOnLayer(TLayer layer) const {
    return LayerToLayerId(layer) == Layer;
}

std::int32_t TPCBObject::SizeOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetSize() : 0;
}
std::int32_t TPCBObject::XSizeOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetXSize() : 0;
}
std::int32_t TPCBObject::YSizeOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetYSize() : 0;
}
std::uint8_t TPCBObject::ShapeOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetShape() : 0;
}
std::int32_t TPCBObject::WidthOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetWidth() : 0;
}

std::int32_t TPCBObject::CornerOnLayer(CornerCoordinate which, TLayer layer,
                                       std::int32_t margin) const {
    if (!IsOnLayer(layer)) {
        return 0;
    }
    switch (which) {
    case CornerCoordinate::X1:
        return CornerX1(margin);
    case CornerCoordinate::Y1:
        return CornerY1(margin);
    case CornerCoordinate::X2:
        return CornerX2(margin);
    case CornerCoordinate::Y2:
        return CornerY2(margin);
    case CornerCoordinate::X3:
        return CornerX3(margin);
    case CornerCoordinate::Y3:
        return CornerY3(margin);
    case CornerCoordinate::X4:
        return CornerX4(margin);
    case CornerCoordinate::Y4:
        return CornerY4(margin);
    }
    return 0;
}

std::int32_t TPCBObject::CornerX1OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X1, layer, margin);
}
std::int32_t TPCBObject::CornerY1OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y1, layer, margin);
}
std::int32_t TPCBObject::CornerX2OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X2, layer, margin);
}
std::int32_t TPCBObject::CornerY2OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y2, layer, margin);
}
std::int32_t TPCBObject::CornerX3OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X3, layer, margin);
}
std::int32_t TPCBObject::CornerY3OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y3, layer, margin);
}
std::int32_t TPCBObject::CornerX4OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::X4, layer, margin);
}
std::int32_t TPCBObject::CornerY4OnLayer(TLayer layer, std::int32_t margin) const {
    return CornerOnLayer(CornerCoordinate::Y4, layer, margin);
}

std::int32_t TPCBObject::XOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetX() : 0;
}
std::int32_t TPCBObject::YOnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetY() : 0;
}
std::int32_t TPCBObject::X2OnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetX2() : 0;
}
std::int32_t TPCBObject::Y2OnLayer(TLayer layer) const {
    return IsOnLayer(layer) ? GetY2() : 0;
}

// --- Setters ----------------------------------------------------------------------------------

void TPCBObject::SetHandle(std::uint32_t value) {
    Handle = value;
}
void TPCBObject::SetObjectId(std::uint8_t value) {
    ObjectId = value;
}
void TPCBObject::SetX(std::int32_t value) {
    X = value;
}
void TPCBObject::SetY(std::int32_t value) {
    Y = value;
}
void TPCBObject::SetX2(std::int32_t) {}
void TPCBObject::SetY2(std::int32_t) {}
void TPCBObject::SetFlags(std::uint16_t value) {
    Flags = value;
}
void TPCBObject::SetTag(std::uint16_t value) {
    Tag = value;
}
void TPCBObject::SetLayer(TLayer value) {
    SetClassicLayer(value);
}
void TPCBObject::SetObjectFlag(bool value) {
    ObjectFlag = value ? 1 : 0;
}
void TPCBObject::SetNet(std::uint32_t value) {
    Net = value;
}
void TPCBObject::SetOwnerHandle(std::uint32_t value) {
    OwnerHandle = value;
}
void TPCBObject::SetAux1(std::int32_t) {}
void TPCBObject::SetAux2(std::int32_t) {}
void TPCBObject::SetAux3(std::int32_t) {}
void TPCBObject::SetTopXSize(std::int32_t) {}
void TPCBObject::SetTopYSize(std::int32_t) {}
void TPCBObject::SetMidXSize(std::int32_t) {}
void TPCBObject::SetMidYSize(std::int32_t) {}
void TPCBObject::SetBotXSize(std::int32_t) {}
void TPCBObject::SetBotYSize(std::int32_t) {}
void TPCBObject::SetHoleSize(std::int32_t) {}
void TPCBObject::SetTopShape(std::uint8_t) {}
void TPCBObject::SetMidShape(std::uint8_t) {}
void TPCBObject::SetBotShape(std::uint8_t) {}
void TPCBObject::SetName(const String255&) {}
void TPCBObject::SetRotation(double) {}
void TPCBObject::SetWidth(std::int32_t) {}
void TPCBObject::SetShape(std::uint8_t) {}
void TPCBObject::SetSize(std::int32_t) {}
void TPCBObject::SetXSize(std::int32_t) {}
void TPCBObject::SetYSize(std::int32_t) {}
void TPCBObject::SetStartLayer(TLayer) {}
void TPCBObject::SetEndLayer(TLayer) {}
void TPCBObject::SetRadius(std::int32_t) {}
void TPCBObject::SetStartAngle(double) {}
void TPCBObject::SetEndAngle(double) {}
void TPCBObject::SetLineWidth(std::int32_t) {}
void TPCBObject::SetFontId(std::int32_t) {}
void TPCBObject::SetMirror(bool) {}
void TPCBObject::SetText(const String255&) {}
void TPCBObject::SetFlagA(bool) {}
void TPCBObject::SetFlagB(bool) {}

// --- Layer accessors --------------------------------------------------------------------------

} // namespace corvane
