// The text against the recording server: constructor defaults and what a write without a read
// sends, the argument lists of the text, TrueType and bar-code calls, the display string
// refreshed in both modes and cut at 254, the result rule, and the text's own accessors.

#include "pcbmodel/PcbText.h"
#include "RecordingServer.h"
#include "serverclient/LayerNumbering.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::Fields;
using testing::Placed;

constexpr HostHandle TextHandle = 0x7E57;

class PcbTextTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }
};

Fields TextFields(TPcbText& t) {
    return {MODEL_FIELD(t, Flags),  MODEL_FIELD(t, Tag),        MODEL_FIELD(t, Layer),
            MODEL_FIELD(t, Net),    MODEL_FIELD(t, ObjectFlag), MODEL_FIELD(t, OwnerHandle),
            MODEL_FIELD(t, X),      MODEL_FIELD(t, Y),          MODEL_FIELD(t, Size),
            MODEL_FIELD(t, FontId), MODEL_FIELD(t, Rotation),   MODEL_FIELD(t, Mirror),
            MODEL_FIELD(t, Text),   MODEL_FIELD(t, Width),      MODEL_FIELD(t, Aux2),
            MODEL_FIELD(t, Aux3)};
}

Fields TrueTypeFields(TPcbText& t) {
    return {MODEL_FIELD(t, TrueTypeKind),  MODEL_FIELD(t, FontName),
            MODEL_FIELD(t, TrueTypeFlag1), MODEL_FIELD(t, TrueTypeFlag2),
            MODEL_FIELD(t, TrueTypeFlag3), MODEL_FIELD(t, TrueTypeValue)};
}

Fields BarCodeFields(TPcbText& t) {
    return {MODEL_FIELD(t, BarCodeByte1), MODEL_FIELD(t, BarCodeByte2),
            MODEL_FIELD(t, BarCodeByte3), MODEL_FIELD(t, BarCodeByte4)};
}

/// Makes the display-string entry answer text.
void AnswerDisplayString(const std::string& text) {
    recording::SetHandler("PcbApi_GetDesignatorDisplayString", [text](const recording::Call& c) {
        c.Ptr<String255>(0)->Assign(text);
        return 0;
    });
}

TEST_F(PcbTextTest, ConstructorSetsTheKindAndTheTrueTypeDefaultsWithoutCallingTheHost) {
    const TPcbText text(TextHandle);
    EXPECT_EQ(text.ObjectId, 5);
    EXPECT_EQ(text.TrueTypeValue, 200000);
    EXPECT_EQ(text.FontName, "Arial");
    const std::uint8_t arial[] = {5, 'A', 'r', 'i', 'a', 'l'};
    EXPECT_EQ(std::memcmp(&text.FontName, arial, sizeof arial), 0);
    for (std::size_t i = 5; i < 255; ++i) {
        ASSERT_EQ(text.FontName.Chars[i], '\0') << "byte " << i;
    }
    EXPECT_EQ(text.TrueTypeKind + text.TrueTypeFlag1 + text.TrueTypeFlag2 + text.TrueTypeFlag3 +
                  text.BarCodeByte1 + text.BarCodeByte2 + text.BarCodeByte3 + text.BarCodeByte4,
              0);
    EXPECT_TRUE(text.Text.Empty());
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(PcbTextTest, ExchangeCallsInOrderWithEachFieldAtItsAddressAndWidth) {
    Placed<TPcbText> text(TextHandle);
    const testing::Bytes before = text.Snapshot();
    recording::SetHandler("PcbApi_QueryText", testing::Filling(0x20));
    recording::SetHandler("PcbApi_QueryTrueTypeTextInfo", testing::Filling(0x40));
    recording::SetHandler("PcbApi_QueryBarCodeTextInfo", testing::Filling(0x60));
    AnswerDisplayString("R12");
    text->Exchange(ExchangeRead);

    ASSERT_EQ(testing::RecordedNames(),
              (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                        "PcbApi_QueryText", "PcbApi_QueryTrueTypeTextInfo",
                                        "PcbApi_GetDesignatorDisplayString",
                                        "PcbApi_QueryBarCodeTextInfo"}));
    const auto& calls = recording::Calls();
    const Fields textFields = TextFields(*text);
    const Fields trueTypeFields = TrueTypeFields(*text);
    const Fields barCodeFields = BarCodeFields(*text);
    testing::ExpectFieldPointers(calls[2], 2, textFields);
    testing::ExpectFieldPointers(calls[3], 2, trueTypeFields);
    testing::ExpectFieldPointers(calls[5], 2, barCodeFields);
    EXPECT_EQ(calls[4].Value(1), TextHandle);
    testing::ExpectFilledInOrder(textFields, 0x20);
    testing::ExpectFilledInOrder(trueTypeFields, 0x40);
    testing::ExpectFilledInOrder(barCodeFields, 0x60);
    EXPECT_EQ(text->DisplayString, "R12");

    Fields touched = textFields;
    touched.insert(touched.end(), trueTypeFields.begin(), trueTypeFields.end());
    touched.insert(touched.end(), barCodeFields.begin(), barCodeFields.end());
    touched.push_back(MODEL_FIELD(*text, DisplayString));
    touched.push_back(MODEL_FIELD(*text, BitField2));
    touched.push_back(MODEL_FIELD(*text, BitField3));
    text.ExpectUnchangedOutside(before, touched);
}

TEST_F(PcbTextTest, WriteWithoutAReadSendsTheConstructorDefaults) {
    TPcbText text(TextHandle);
    testing::Bytes sent;
    recording::SetHandler("PcbApi_QueryTrueTypeTextInfo", [&sent](const recording::Call& call) {
        EXPECT_EQ(call.Value(0), ExchangeWrite);
        for (const auto& bytes : testing::PointeeBytes(call)) {
            sent.insert(sent.end(), bytes.begin(), bytes.end());
        }
        return 0;
    });
    std::vector<testing::Bytes> barCode;
    recording::SetHandler("PcbApi_QueryBarCodeTextInfo", [&barCode](const recording::Call& call) {
        barCode = testing::PointeeBytes(call);
        return 0;
    });
    text.Exchange(ExchangeWrite);

    testing::Bytes expected{0, 5, 'A', 'r', 'i', 'a', 'l'};
    expected.resize(1 + 256, 0);                // kind, then the whole font-name field
    expected.insert(expected.end(), {0, 0, 0}); // three flags
    expected.insert(expected.end(), {0x40, 0x0D, 0x03, 0x00}); // 200000, little-endian
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(barCode, std::vector<testing::Bytes>(4, testing::Bytes{0}));
}

TEST_F(PcbTextTest, DisplayStringIsRefreshedOnAWriteAndCutAt254) {
    TPcbText text(TextHandle);
    AnswerDisplayString(std::string(255, 'd'));
    text.Exchange(ExchangeWrite);
    EXPECT_EQ(text.DisplayString.View(), std::string(254, 'd'));
    AnswerDisplayString("");
    text.Exchange(ExchangeRead);
    EXPECT_TRUE(text.DisplayString.Empty());
}

TEST_F(PcbTextTest, BarCodeAnswerOneOverridesTheTrueTypeStatus) {
    struct Case {
        std::int64_t Main, TrueType, BarCode, Expected;
    };
    const Case cases[] = {{0, 7, 1, 1}, {0, 7, 2, 7}, {0, 0, 1, 1}, {0, 3, 0, 3}, {9, 0, 0, 0}};
    for (const Case& c : cases) {
        recording::Reset();
        recording::SetHandler("PcbApi_QueryText", [c](const recording::Call&) { return c.Main; });
        recording::SetHandler("PcbApi_QueryTrueTypeTextInfo",
                              [c](const recording::Call&) { return c.TrueType; });
        recording::SetHandler("PcbApi_QueryBarCodeTextInfo",
                              [c](const recording::Call&) { return c.BarCode; });
        TPcbText text(TextHandle);
        EXPECT_EQ(text.Exchange(ExchangeRead), c.Expected)
            << c.Main << "/" << c.TrueType << "/" << c.BarCode;
    }
}

TEST_F(PcbTextTest, CarriedValuesSurviveAReadFollowedByAWrite) {
    TPcbText text(TextHandle);
    std::vector<std::vector<testing::Bytes>> seen;
    recording::SetDefaultHandler([&seen](const recording::Call& call) {
        if (call.Name == "PcbApi_GetDesignatorDisplayString") {
            return std::int64_t{0};
        }
        if (call.Value(0) == ExchangeRead) {
            recording::FillPointees(call, 0x03);
        }
        seen.push_back(testing::PointeeBytes(call));
        return std::int64_t{0};
    });
    text.Exchange(ExchangeRead);
    text.Exchange(ExchangeWrite);
    ASSERT_EQ(seen.size(), 10u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(seen[i], seen[i + 5]) << "call " << i;
    }
}

TEST_F(PcbTextTest, SetTextKeeps254CharactersAndGetTextCopiesThem) {
    TPcbText text(1);
    text.SetText(String255(std::string(255, 't')));
    EXPECT_EQ(text.Text.Length, 254);
    String255 out;
    text.GetText(out);
    EXPECT_EQ(out.View(), std::string(254, 't'));
}

TEST_F(PcbTextTest, StrokeWidthIsSetThroughSetLineWidthOnly) {
    TPcbText text(1);
    text.SetWidth(5000);
    EXPECT_EQ(text.GetWidth(), 0);
    text.SetLineWidth(7000);
    EXPECT_EQ(text.GetWidth(), 7000);
    EXPECT_EQ(text.GetLineWidth(), 7000);
    text.SetLayer(layer::TopOverlay);
    EXPECT_EQ(text.WidthOnLayer(layer::TopOverlay), 7000);
}

TEST_F(PcbTextTest, HeightServesAsSizeAndBothExtents) {
    TPcbText text(1);
    text.SetSize(600000);
    text.SetFontId(1);
    text.SetMirror(true);
    text.SetRotation(270.0);
    EXPECT_EQ(text.GetXSize(), 600000);
    EXPECT_EQ(text.GetYSize(), 600000);
    EXPECT_EQ(text.GetFontId(), 1);
    EXPECT_TRUE(text.GetMirror());
    EXPECT_EQ(text.Mirror, 1);
    EXPECT_EQ(text.GetRotation(), 270.0);
}

} // namespace
} // namespace corvane
