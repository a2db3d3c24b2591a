#pragma once
// The whole surface of a model object as the host's interface declares it. The host declares
// these operations on every object, so the model keeps all of them although the import uses a
// handful; names such as GetFlagsBit4, Aux1 or Bound1 are positional because the host names those
// bits and fields only by their place. The core every import uses is in PcbObjectCore.h.

#include "contract/ShortString.h"
#include "pcbmodel/PcbObjectCore.h"

#include <cstdint>

namespace corvane {

/// Selects one coordinate of one corner of a turned rectangle.
enum class CornerCoordinate : std::uint8_t { X1, Y1, X2, Y2, X3, Y3, X4, Y4 };

/// Base of every model class: the core and the rest of the host's operations, each with a neutral
/// answer (or no effect) where the kind has no such property. Units as in the core.
class TPCBObject : public TPcbObjectCore {
public:
    using TPcbObjectCore::TPcbObjectCore;

    // --- Host queries, motion, flag bits ---------------------------------------------------

    virtual std::int32_t GetBoundingRectangle(std::int32_t& bound1, std::int32_t& bound2,
                                              std::int32_t& bound3, std::int32_t& bound4) const;
    virtual void MoveBy(std::int32_t dx, std::int32_t dy);
    virtual bool ImportFromUser() const;
    virtual std::int32_t GraphicallyInvalidate() const;
    virtual bool GetFlagsBit4() const;
    virtual bool GetBitField2Bit4() const;
    virtual bool GetBitField2Bit0() const;
    virtual bool GetBitField2Bit1() const;
    virtual bool GetBitField2Bit3() const;
    virtual bool GetBitField2Bit5() const;
    virtual bool GetBitField2Bit6() const;
    virtual void SetFlagsBit4(bool value);
    virtual bool GetFlagsBit3() const;
    /// Writes the whole object to the host at once.
    virtual void SetFlagsBit3(bool value);
    /// True when Flags bit 8 is clear.
    virtual bool GetNotFlagsBit8() const;
    /// True clears bit 8, false sets it; writes the whole object to the host at once.
    virtual void SetNotFlagsBit8(bool value);
    virtual bool GetBitField3Any() const;
    virtual void SetBitField3Both(bool value);
    virtual bool GetBitField3Bit1() const;
    virtual void SetBitField3Bit1(bool value);
    virtual bool GetBitField3Bit2() const;
    virtual void SetBitField3Bit2(bool value);
    virtual bool GetFlagsBit11() const;
    virtual void SetFlagsBit11(bool value);
    virtual bool GetFlagsBit13() const;
    virtual void SetFlagsBit13(bool value);
    virtual bool GetPadViaFlag1() const;
    virtual void SetPadViaFlag1(bool value);
    virtual bool GetPadViaFlag2() const;
    virtual void SetPadViaFlag2(bool value);
    virtual bool GetFlagsBit12() const;
    virtual void SetFlagsBit12(bool value);
    virtual bool GetFlagsBit14() const;
    virtual void SetFlagsBit14(bool value);
    virtual bool GetFlagsBit15() const;
    virtual void SetFlagsBit15(bool value);

    // --- Property getters (neutral values where the class has no such property) --------------

    virtual std::uint32_t GetHandle() const;
    virtual std::uint8_t GetObjectId() const;
    virtual std::int32_t GetX() const;
    virtual std::int32_t GetY() const;
    virtual std::int32_t GetX2() const;
    virtual std::int32_t GetY2() const;
    virtual std::uint16_t GetFlags() const;
    virtual std::uint16_t GetTag() const;
    virtual TLayer GetLayer() const;
    virtual bool GetObjectFlag() const;
    virtual std::uint32_t GetNet() const;
    virtual std::uint32_t GetOwnerHandle() const;
    virtual std::int32_t GetAux1() const;
    virtual std::int32_t GetAux2() const;
    virtual std::int32_t GetAux3() const;
    virtual std::int32_t GetTopXSize() const;
    virtual std::int32_t GetTopYSize() const;
    virtual std::int32_t GetMidXSize() const;
    virtual std::int32_t GetMidYSize() const;
    virtual std::int32_t GetBotXSize() const;
    virtual std::int32_t GetBotYSize() const;
    virtual std::int32_t GetHoleSize() const;
    virtual std::uint8_t GetTopShape() const;
    virtual std::uint8_t GetMidShape() const;
    virtual std::uint8_t GetBotShape() const;
    virtual void GetName(String255& out) const;
    virtual double GetRotation() const;
    virtual std::int32_t GetWidth() const;
    virtual std::uint8_t GetShape() const;
    virtual std::int32_t GetSize() const;
    virtual std::int32_t GetXSize() const;
    virtual std::int32_t GetYSize() const;
    virtual TLayer GetStartLayer() const;
    virtual TLayer GetEndLayer() const;
    virtual std::int32_t GetRadius() const;
    virtual double GetStartAngle() const;
    virtual double GetEndAngle() const;
    virtual std::int32_t GetLineWidth() const;
    // Each asks the host afresh and answers one of the four bounding values.
    virtual std::int32_t GetBound1() const;
    virtual std::int32_t GetBound2() const;
    virtual std::int32_t GetBound3() const;
    virtual std::int32_t GetBound4() const;
    virtual std::int32_t GetFontId() const;
    virtual bool GetMirror() const;
    virtual void GetText(String255& out) const;
    virtual bool GetFlagA() const;
    virtual bool GetFlagB() const;

    // --- Corners of the object's rectangle, grown by a margin and turned by GetRotation ------

    virtual std::int32_t CornerX1(std::int32_t margin) const;
    virtual std::int32_t CornerY1(std::int32_t margin) const;
    virtual std::int32_t CornerX2(std::int32_t margin) const;
    virtual std::int32_t CornerY2(std::int32_t margin) const;
    virtual std::int32_t CornerX3(std::int32_t margin) const;
    virtual std::int32_t CornerY3(std::int32_t margin) const;
    virtual std::int32_t CornerX4(std::int32_t margin) const;
    virtual std::int32_t CornerY4(std::int32_t margin) const;

    // --- Queries that answer only for the object's own layer (0 for any other) ---------------

    virtual std::int32_t SizeOnLayer(TLayer layer) const;
    virtual std::int32_t XSizeOnLayer(TLayer layer) const;
    virtual std::int32_t YSizeOnLayer(TLayer layer) const;
    virtual std::uint8_t ShapeOnLayer(TLayer layer) const;
    virtual std::int32_t WidthOnLayer(TLayer layer) const;
    virtual std::int32_t CornerX1OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerY1OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerX2OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerY2OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerX3OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerY3OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerX4OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t CornerY4OnLayer(TLayer layer, std::int32_t margin) const;
    virtual std::int32_t XOnLayer(TLayer layer) const;
    virtual std::int32_t YOnLayer(TLayer layer) const;
    virtual std::int32_t X2OnLayer(TLayer layer) const;
    virtual std::int32_t Y2OnLayer(TLayer layer) const;

    // --- Property setters (do nothing where the class has no such property) ------------------

    virtual void SetHandle(std::uint32_t value);
    virtual void SetObjectId(std::uint8_t value);
    virtual void SetX(std::int32_t value);
    virtual void SetY(std::int32_t value);
    virtual void SetX2(std::int32_t value);
    virtual void SetY2(std::int32_t value);
    virtual void SetFlags(std::uint16_t value);
    virtual void SetTag(std::uint16_t value);
    virtual void SetLayer(TLayer value);
    virtual void SetObjectFlag(bool value);
    virtual void SetNet(std::uint32_t value);
    virtual void SetOwnerHandle(std::uint32_t value);
    virtual void SetAux1(std::int32_t value);
    virtual void SetAux2(std::int32_t value);
    virtual void SetAux3(std::int32_t value);
    virtual void SetTopXSize(std::int32_t value);
    virtual void SetTopYSize(std::int32_t value);
    virtual void SetMidXSize(std::int32_t value);
    virtual void SetMidYSize(std::int32_t value);
    virtual void SetBotXSize(std::int32_t value);
    virtual void SetBotYSize(std::int32_t value);
    virtual void SetHoleSize(std::int32_t value);
    virtual void SetTopShape(std::uint8_t value);
    virtual void SetMidShape(std::uint8_t value);
    virtual void SetBotShape(std::uint8_t value);
    virtual void SetName(const String255& name);
    virtual void SetRotation(double value);
    virtual void SetWidth(std::int32_t value);
    virtual void SetShape(std::uint8_t value);
    virtual void SetSize(std::int32_t value);
    virtual void SetXSize(std::int32_t value);
    virtual void SetYSize(std::int32_t value);
    virtual void SetStartLayer(TLayer value);
    virtual void SetEndLayer(TLayer value);
    virtual void SetRadius(std::int32_t value);
    virtual void SetStartAngle(double value);
    virtual void SetEndAngle(double value);
    virtual void SetLineWidth(std::int32_t value);
    virtual void SetFontId(std::int32_t value);
    virtual void SetMirror(bool value);
    virtual void SetText(const String255& text);
    virtual void SetFlagA(bool value);
    virtual void SetFlagB(bool value);

protected:
    /// A coordinate moved by delta; wraps around like the host's 32-bit coordinates instead of
    /// overflowing.
    static std::int32_t Shifted(std::int32_t coordinate, std::int32_t delta);

    /// One corner coordinate of a width × height rectangle centred on (centreX, centreY) and
    /// turned by rotation degrees, rounded to nearest, halves to even. A height of 0 is taken
    /// as the limit of a flat rectangle, so the answer is always defined.
    static std::int32_t TurnedCorner(CornerCoordinate which, long double centreX,
                                     long double centreY, long double width, long double height,
                                     double rotation);

private:
    std::int32_t Corner(CornerCoordinate which, std::int32_t margin) const;
    std::int32_t CornerOnLayer(CornerCoordinate which, TLayer layer, std::int32_t margin) const;
    bool IsOnLayer(TLayer layer) const;
    bool FlagsBit(unsigned bit) const;
    void SetFlagsBit(unsigned bit, bool value);
    bool BitField2Bit(unsigned bit) const;
    bool BitField3Bit(unsigned bit) const;
    void SetBitField3Bit(unsigned bit, bool value);
    std::int32_t QueryBound(int index) const;
};

} // namespace corvane
