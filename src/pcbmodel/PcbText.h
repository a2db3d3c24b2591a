#pragma once
// Model of a host text: a string on a layer, with the host's TrueType and bar-code settings and
// the display string the host derives from the text.

#include "pcbmodel/PcbObject.h"

namespace corvane {

/// A text placed at (X, Y). Height and stroke width in host units of 1/10000 mil, rotation in
/// degrees.
class TPcbText : public TPCBObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Text);

    /// Stores the handle, the text kind code and the TrueType and bar-code defaults, which reach
    /// the host only if the text is written before it is read; never calls the host.
    explicit TPcbText(HostHandle handle);

    /// Exchanges the text, its TrueType and bar-code settings, and refreshes DisplayString from
    /// the host in both modes. Answers the TrueType call's status, or 1 when the bar-code call
    /// answers 1.
    std::int32_t Exchange(std::uint8_t mode) override;
    /// Exchanges the main description alone (the one call that carries the string, the
    /// position, the size and the layer); answers its result. A part of Exchange, for a reader
    /// that needs no more.
    std::int32_t ExchangeDescription(std::uint8_t mode);

    std::int32_t GetAux2() const override;
    std::int32_t GetAux3() const override;
    void GetText(String255& out) const override;
    double GetRotation() const override;
    /// The stroke width; it is set through SetLineWidth (SetWidth does nothing on a text).
    std::int32_t GetWidth() const override;
    std::int32_t GetSize() const override;
    std::int32_t GetLineWidth() const override;
    std::int32_t GetFontId() const override;
    bool GetMirror() const override;

    void SetAux2(std::int32_t value) override;
    void SetAux3(std::int32_t value) override;
    /// Stores at most the first 254 characters.
    void SetText(const String255& text) override;
    void SetRotation(double value) override;
    void SetSize(std::int32_t value) override;
    void SetLineWidth(std::int32_t value) override;
    void SetFontId(std::int32_t value) override;
    void SetMirror(bool value) override;

    std::int32_t Size = 0;
    std::int32_t FontId = 0;
    double Rotation = 0.0;
    Bool8 Mirror = 0;
    String254 Text;
    std::int32_t Width = 0;
    // Host values the model carries unchanged from a read to the next write.
    std::int32_t Aux2 = 0;
    std::int32_t Aux3 = 0;
    /// The text as the host displays it; refreshed by every exchange, never sent.
    String254 DisplayString;
    // TrueType settings, carried for the host.
    std::uint8_t TrueTypeKind = 0;
    String255 FontName;
    std::uint8_t TrueTypeFlag1 = 0;
    std::uint8_t TrueTypeFlag2 = 0;
    std::uint8_t TrueTypeFlag3 = 0;
    std::int32_t TrueTypeValue = 0;
    // Bar-code settings, carried for the host.
    std::uint8_t BarCodeByte1 = 0;
    std::uint8_t BarCodeByte2 = 0;
    std::uint8_t BarCodeByte3 = 0;
    std::uint8_t BarCodeByte4 = 0;
};

} // namespace corvane
