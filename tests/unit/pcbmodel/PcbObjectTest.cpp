// The object base against the recording server: the base exchange's calls, pointers and field
// widths, the neutral answers of a fresh object, the flag bits (and which setters write at once),
// the host queries, the corner geometry and the layer-conditional queries.

#include "pcbmodel/PcbObject.h"
#include "RecordingServer.h"
#include "serverclient/LayerNumbering.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::Fields;
using testing::Placed;

constexpr HostHandle ObjectHandle = 0x1234;

/// A base object whose geometry getters a test can set, standing in for a descendant.
class ShapedObject : public TPCBObject {
public:
    using TPCBObject::TPCBObject;
    std::int32_t GetX2() const override { return EndX; }
    std::int32_t GetY2() const override { return EndY; }
    double GetRotation() const override { return Turn; }
    std::int32_t GetSize() const override { return SizeValue; }
    std::int32_t EndX = 0;
    std::int32_t EndY = 0;
    double Turn = 0.0;
    std::int32_t SizeValue = 0;
};

class PcbObjectTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }
};

Fields PrimitiveFields(TPCBObject& object) {
    return {MODEL_FIELD(object, Flags),       MODEL_FIELD(object, Tag),
            MODEL_FIELD(object, Layer),       MODEL_FIELD(object, Net),
            MODEL_FIELD(object, OwnerHandle), MODEL_FIELD(object, ObjectFlag)};
}

TEST_F(PcbObjectTest, ExchangePassesTheBitFieldsThenThePrimitiveFieldsInOrder) {
    TPCBObject object(ObjectHandle);
    recording::SetHandler("PcbApi_QueryPrimitive", [](const recording::Call&) { return 17; });
    EXPECT_EQ(object.Exchange(ExchangeRead), 17);

    ASSERT_EQ(testing::RecordedNames(),
              (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                        "PcbApi_QueryPrimitive"}));
    for (const auto& call : recording::Calls()) {
        EXPECT_EQ(call.Value(0), ExchangeRead);
        EXPECT_EQ(call.Value(1), ObjectHandle);
    }
    testing::ExpectFieldPointers(recording::Calls()[0], 2, {MODEL_FIELD(object, BitField2)});
    testing::ExpectFieldPointers(recording::Calls()[1], 2, {MODEL_FIELD(object, BitField3)});
    testing::ExpectFieldPointers(recording::Calls()[2], 2, PrimitiveFields(object));
}

TEST_F(PcbObjectTest, WhatTheHostWritesLandsInExactlyTheNamedFields) {
    Placed<TPCBObject> object(ObjectHandle);
    const testing::Bytes before = object.Snapshot();
    recording::SetDefaultHandler(testing::Filling(0x40));
    object->Exchange(ExchangeRead);

    Fields touched = PrimitiveFields(*object);
    testing::ExpectFilledInOrder(touched, 0x40);
    testing::ExpectFilledInOrder({MODEL_FIELD(*object, BitField2)}, 0x40);
    testing::ExpectFilledInOrder({MODEL_FIELD(*object, BitField3)}, 0x40);
    touched.push_back(MODEL_FIELD(*object, BitField2));
    touched.push_back(MODEL_FIELD(*object, BitField3));
    object.ExpectUnchangedOutside(before, touched);
}

TEST_F(PcbObjectTest, FreshObjectAnswersNeutralValuesWithoutCallingTheHost) {
    const ShapedObject object(77);
    EXPECT_EQ(object.GetHandle(), 77u);
    EXPECT_EQ(object.GetObjectId(), 0);
    const std::vector<std::function<std::int64_t()>> numeric = {
        [&] { return object.GetX(); },           [&] { return object.GetY(); },
        [&] { return object.GetFlags(); },       [&] { return object.GetTag(); },
        [&] { return object.GetLayer(); },       [&] { return object.GetNet(); },
        [&] { return object.GetOwnerHandle(); }, [&] { return object.GetAux1(); },
        [&] { return object.GetAux3(); },        [&] { return object.GetTopXSize(); },
        [&] { return object.GetBotYSize(); },    [&] { return object.GetHoleSize(); },
        [&] { return object.GetMidShape(); },    [&] { return object.GetWidth(); },
        [&] { return object.GetShape(); },       [&] { return object.GetXSize(); },
        [&] { return object.GetStartLayer(); },  [&] { return object.GetEndLayer(); },
        [&] { return object.GetRadius(); },      [&] { return object.GetLineWidth(); },
        [&] { return object.GetFontId(); },
    };
    for (std::size_t i = 0; i < numeric.size(); ++i) {
        EXPECT_EQ(numeric[i](), 0) << "getter " << i;
    }
    EXPECT_FALSE(object.GetObjectFlag() || object.GetMirror() || object.GetFlagA() ||
                 object.GetFlagB() || object.GetPadViaFlag1() || object.GetPadViaFlag2() ||
                 object.GetFlagsBit3() || object.GetFlagsBit15() || object.GetBitField2Bit0() ||
                 object.GetBitField3Any());
    EXPECT_TRUE(object.GetNotFlagsBit8());
    EXPECT_EQ(TPCBObject(1).GetRotation(), 0.0);
    EXPECT_EQ(object.GetStartAngle(), 0.0);
    String255 name("stale");
    object.GetName(name);
    EXPECT_TRUE(name.Empty());
    String255 text("stale");
    object.GetText(text);
    EXPECT_TRUE(text.Empty());
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(PcbObjectTest, EachBoundAsksTheHostAfreshAndAnswersItsOwnValue) {
    const TPCBObject object(ObjectHandle);
    recording::SetHandler("PcbApi_QueryObjectBoundingRectangle", [](const recording::Call& call) {
        for (std::size_t i = 1; i <= 4; ++i) {
            *call.Ptr<std::int32_t>(i) = static_cast<std::int32_t>(i * 11);
        }
        return 0;
    });
    EXPECT_EQ(object.GetBound1(), 11);
    EXPECT_EQ(object.GetBound2(), 22);
    EXPECT_EQ(object.GetBound3(), 33);
    EXPECT_EQ(object.GetBound4(), 44);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryObjectBoundingRectangle"), 4u);

    std::int32_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    object.GetBoundingRectangle(b1, b2, b3, b4);
    const auto call = recording::Calls().back();
    EXPECT_EQ(call.Value(0), ObjectHandle);
    testing::ExpectFieldPointers(call, 1,
                                 {testing::SpanOf(b1, "b1"), testing::SpanOf(b2, "b2"),
                                  testing::SpanOf(b3, "b3"), testing::SpanOf(b4, "b4")});
}

TEST_F(PcbObjectTest, HostQueriesPassTheHandleAndInterpretTheStatus) {
    const TPCBObject object(ObjectHandle);
    recording::SetHandler("PcbApi_QueryObjectImport_FromUser",
                          [](const recording::Call&) { return 0; });
    EXPECT_TRUE(object.ImportFromUser());
    recording::SetHandler("PcbApi_QueryObjectImport_FromUser",
                          [](const recording::Call&) { return 3; });
    EXPECT_FALSE(object.ImportFromUser());
    recording::SetHandler("PcbApi_QueryObjectGraphicallyInvalidate",
                          [](const recording::Call&) { return -9; });
    EXPECT_EQ(object.GraphicallyInvalidate(), -9);
    for (const auto& call : recording::Calls()) {
        EXPECT_EQ(call.Value(0), ObjectHandle) << call.Name;
    }
}

struct FlagBit {
    const char* Name;
    std::uint16_t Mask;
    void (TPCBObject::*Set)(bool);
    bool (TPCBObject::*Get)() const;
};

TEST_F(PcbObjectTest, ModelOnlyFlagSettersChangeTheirOwnBitAndWaitForTheNextWrite) {
    const FlagBit bits[] = {
        {"4", 0x0010, &TPCBObject::SetFlagsBit4, &TPCBObject::GetFlagsBit4},
        {"11", 0x0800, &TPCBObject::SetFlagsBit11, &TPCBObject::GetFlagsBit11},
        {"12", 0x1000, &TPCBObject::SetFlagsBit12, &TPCBObject::GetFlagsBit12},
        {"13", 0x2000, &TPCBObject::SetFlagsBit13, &TPCBObject::GetFlagsBit13},
        {"14", 0x4000, &TPCBObject::SetFlagsBit14, &TPCBObject::GetFlagsBit14},
        {"15", 0x8000, &TPCBObject::SetFlagsBit15, &TPCBObject::GetFlagsBit15},
    };
    for (const FlagBit& bit : bits) {
        TPCBObject object(ObjectHandle);
        object.Flags = 0x0421;
        (object.*bit.Set)(true);
        EXPECT_EQ(object.Flags, 0x0421 | bit.Mask) << bit.Name;
        EXPECT_TRUE((object.*bit.Get)()) << bit.Name;
        object.Flags = 0xFFFF;
        (object.*bit.Set)(false);
        EXPECT_EQ(object.Flags, 0xFFFF & ~bit.Mask) << bit.Name;
        EXPECT_FALSE((object.*bit.Get)()) << bit.Name;
    }
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(PcbObjectTest, FlagBit3AndInvertedBit8WriteTheObjectAtOnce) {
    TPCBObject object(ObjectHandle);
    std::vector<std::uint16_t> written;
    recording::SetHandler("PcbApi_QueryPrimitive", [&](const recording::Call& call) {
        EXPECT_EQ(call.Value(0), ExchangeWrite);
        written.push_back(*call.Ptr<std::uint16_t>(2));
        return 0;
    });
    object.Flags = 0x0100;
    object.SetNotFlagsBit8(true);
    EXPECT_TRUE(object.GetNotFlagsBit8());
    object.SetFlagsBit3(true);
    EXPECT_TRUE(object.GetFlagsBit3());
    object.SetNotFlagsBit8(false);
    EXPECT_FALSE(object.GetNotFlagsBit8());
    object.SetFlagsBit3(false);
    EXPECT_EQ(written, (std::vector<std::uint16_t>{0x0000, 0x0008, 0x0108, 0x0100}));
}

TEST_F(PcbObjectTest, BitFieldTwoIsReadBitByBit) {
    TPCBObject object(ObjectHandle);
    object.BitField2 = 0x84; // bits 2 and 7: not read by the model
    EXPECT_FALSE(object.GetBitField2Bit0() || object.GetBitField2Bit1() ||
                 object.GetBitField2Bit3() || object.GetBitField2Bit4() ||
                 object.GetBitField2Bit5() || object.GetBitField2Bit6());
    object.BitField2 = 0x7B;
    EXPECT_TRUE(object.GetBitField2Bit0() && object.GetBitField2Bit1() &&
                object.GetBitField2Bit3() && object.GetBitField2Bit4() &&
                object.GetBitField2Bit5() && object.GetBitField2Bit6());
}

TEST_F(PcbObjectTest, BitFieldThreeSettersKeepTheOtherBits) {
    TPCBObject object(ObjectHandle);
    object.BitField3 = 0xF009;
    object.SetBitField3Both(true);
    EXPECT_EQ(object.BitField3, 0xF00F);
    object.SetBitField3Bit1(false);
    EXPECT_TRUE(object.GetBitField3Any());
    object.SetBitField3Bit2(false);
    EXPECT_FALSE(object.GetBitField3Any());
    EXPECT_EQ(object.BitField3, 0xF009);
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(PcbObjectTest, SettersWithoutABaseFieldChangeNothing) {
    TPCBObject plain(1);
    plain.SetX(10);
    plain.SetObjectFlag(true);
    plain.SetX2(99);
    plain.SetWidth(5);
    plain.SetRotation(45.0);
    plain.SetName(String255("name"));
    EXPECT_EQ(plain.ObjectFlag, 1);
    EXPECT_EQ(plain.GetX2(), 10);
    EXPECT_EQ(plain.GetWidth(), 0);
    EXPECT_EQ(plain.GetRotation(), 0.0);
}

TEST_F(PcbObjectTest, LayerAccessorsConvertBetweenClassicLayersAndIdentifiers) {
    TPCBObject object(1);
    object.SetLayer(layer::MultiLayer);
    EXPECT_EQ(object.Layer, 74u);
    object.SetClassicLayer(83);
    EXPECT_EQ(object.Layer, 0u);
    object.Layer = SignalLayer(64); // an extended layer the classic numbering lacks
    EXPECT_EQ(object.GetClassicLayer(), 31);
    EXPECT_EQ(object.GetLayer(), 31);
    object.Layer = InternalPlaneLayer(20);
    EXPECT_EQ(object.GetLayer(), layer::InternalPlane16);
}

TEST_F(PcbObjectTest, MoveByShiftsTheReferencePointAndWrapsAtTheRangeEnd) {
    TPCBObject object(1);
    object.X = 100;
    object.Y = 0;
    object.MoveBy(10, -5);
    EXPECT_EQ(object.X, 110);
    EXPECT_EQ(object.Y, -5);
    object.X = std::numeric_limits<std::int32_t>::max();
    object.MoveBy(1, 0);
    EXPECT_EQ(object.X, std::numeric_limits<std::int32_t>::min());
}

std::vector<std::int32_t> Corners(const TPCBObject& object, std::int32_t margin) {
    return {object.CornerX1(margin), object.CornerY1(margin), object.CornerX2(margin),
            object.CornerY2(margin), object.CornerX3(margin), object.CornerY3(margin),
            object.CornerX4(margin), object.CornerY4(margin)};
}

TEST_F(PcbObjectTest, BaseCornersAreTheMarginSquareAroundTheReferencePoint) {
    ShapedObject object(1);
    object.X = object.EndX = 1000;
    object.Y = object.EndY = -2000;
    EXPECT_EQ(Corners(object, 100),
              (std::vector<std::int32_t>{900, -2100, 1100, -2100, 900, -1900, 1100, -1900}));
}

TEST_F(PcbObjectTest, RotatedSquareTurnsItsCornersAboutTheCentre) {
    ShapedObject object(1);
    object.Turn = 45.0;
    // R = 100·√2 = 141.42…: each corner lies on an axis.
    EXPECT_EQ(Corners(object, 100), (std::vector<std::int32_t>{0, -141, 141, 0, -141, 0, 0, 141}));
    object.Turn = 90.0;
    EXPECT_EQ(Corners(object, 100),
              (std::vector<std::int32_t>{100, -100, 100, 100, -100, -100, -100, 100}));
}

TEST_F(PcbObjectTest, FlatRectangleIgnoresRotationAndRoundsHalvesToEven) {
    ShapedObject object(1);
    object.X = -2;
    object.EndX = 3;            // cx = -1 + 1 = 0, W = 5
    object.Y = object.EndY = 7; // cy = 3 + 3: halves truncate before they are added
    object.Turn = 30.0;
    EXPECT_EQ(Corners(object, 0), (std::vector<std::int32_t>{-2, 6, 2, 6, -2, 6, 2, 6}));
    object.EndX = 4; // cx = 1, W = 6
    EXPECT_EQ(object.CornerX1(0), -2);
    EXPECT_EQ(object.CornerX2(0), 4);
}

TEST_F(PcbObjectTest, ExtremeGeometryGivesDefinedClampedCorners) {
    ShapedObject object(1);
    object.X = std::numeric_limits<std::int32_t>::min();
    object.EndX = std::numeric_limits<std::int32_t>::max();
    object.Turn = 10.0;
    const std::int32_t wide = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(object.CornerX1(wide), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(object.CornerX4(wide), std::numeric_limits<std::int32_t>::max());
    object.Turn = std::nan("");
    EXPECT_EQ(Corners(object, 5), std::vector<std::int32_t>(8, 0));
    // A negative margin can cancel the height: the flat case, not a division by zero.
    object.X = object.EndX = 0;
    object.EndY = 10;
    EXPECT_EQ(object.CornerY1(-5), 5);
    EXPECT_EQ(object.CornerX1(-5), 5); // W = -10: the "left" corner lies to the right
}

TEST_F(PcbObjectTest, LayerConditionalQueriesAnswerOnlyForTheObjectsLayer) {
    ShapedObject object(1);
    object.SizeValue = 500;
    object.X = object.EndX = 40;
    object.SetLayer(layer::TopOverlay);
    EXPECT_EQ(object.SizeOnLayer(layer::TopOverlay), 500);
    EXPECT_EQ(object.XSizeOnLayer(layer::TopOverlay), 500);
    EXPECT_EQ(object.YSizeOnLayer(layer::TopOverlay), 500);
    EXPECT_EQ(object.XOnLayer(layer::TopOverlay), 40);
    EXPECT_EQ(object.X2OnLayer(layer::TopOverlay), 40);
    EXPECT_EQ(object.CornerX1OnLayer(layer::TopOverlay, 10), 30);
    EXPECT_EQ(object.CornerY4OnLayer(layer::TopOverlay, 10), 10);
    EXPECT_EQ(object.SizeOnLayer(layer::BottomOverlay), 0);
    EXPECT_EQ(object.XOnLayer(layer::TopLayer), 0);
    EXPECT_EQ(object.CornerX1OnLayer(layer::NoLayer, 10), 0);

    // Without a layer the object answers for 0, and for numbers that convert to no layer.
    object.SetLayer(layer::NoLayer);
    EXPECT_EQ(object.SizeOnLayer(0), 500);
    EXPECT_EQ(object.SizeOnLayer(200), 500);
    EXPECT_EQ(object.SizeOnLayer(layer::TopOverlay), 0);
}

} // namespace
} // namespace corvane
