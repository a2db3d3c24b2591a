// Tracks, vias, arcs, fills and regions against the recording server: kind codes, the argument
// list of each exchange (addresses, order, widths), that host values land in exactly their fields
// and survive a read followed by a write, the via's one-byte layer and host-queried per-layer
// answers, and the motion and corner geometry of each kind.

#include "RecordingServer.h"
#include "pcbmodel/PcbArc.h"
#include "pcbmodel/PcbFill.h"
#include "pcbmodel/PcbRegion.h"
#include "pcbmodel/PcbTrack.h"
#include "pcbmodel/PcbVia.h"
#include "serverclient/LayerNumbering.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::Fields;
using testing::Placed;

constexpr HostHandle PrimitiveHandle = 0xC0FFEE;

class PcbPrimitivesTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }
};

Fields TrackFields(TPcbTrack& t) {
    return {MODEL_FIELD(t, Flags), MODEL_FIELD(t, Tag),        MODEL_FIELD(t, Layer),
            MODEL_FIELD(t, Net),   MODEL_FIELD(t, ObjectFlag), MODEL_FIELD(t, OwnerHandle),
            MODEL_FIELD(t, X),     MODEL_FIELD(t, Y),          MODEL_FIELD(t, X2),
            MODEL_FIELD(t, Y2),    MODEL_FIELD(t, Width),      MODEL_FIELD(t, Aux1),
            MODEL_FIELD(t, Aux2),  MODEL_FIELD(t, Aux3)};
}

Fields ArcFields(TPcbArc& a) {
    return {MODEL_FIELD(a, Flags),      MODEL_FIELD(a, Tag),        MODEL_FIELD(a, Layer),
            MODEL_FIELD(a, Net),        MODEL_FIELD(a, ObjectFlag), MODEL_FIELD(a, OwnerHandle),
            MODEL_FIELD(a, X),          MODEL_FIELD(a, Y),          MODEL_FIELD(a, Radius),
            MODEL_FIELD(a, StartAngle), MODEL_FIELD(a, EndAngle),   MODEL_FIELD(a, LineWidth),
            MODEL_FIELD(a, Aux1)};
}

Fields FillFields(TPcbFill& f) {
    return {MODEL_FIELD(f, Flags), MODEL_FIELD(f, Tag),        MODEL_FIELD(f, Layer),
            MODEL_FIELD(f, Net),   MODEL_FIELD(f, ObjectFlag), MODEL_FIELD(f, OwnerHandle),
            MODEL_FIELD(f, X),     MODEL_FIELD(f, Y),          MODEL_FIELD(f, X2),
            MODEL_FIELD(f, Y2),    MODEL_FIELD(f, Aux1),       MODEL_FIELD(f, Rotation)};
}

Fields RegionFields(TPCBRegion& r) {
    return {
        MODEL_FIELD(r, RegionByte),   MODEL_FIELD(r, Flags),        MODEL_FIELD(r, Tag),
        MODEL_FIELD(r, Layer),        MODEL_FIELD(r, Net),          MODEL_FIELD(r, ObjectFlag),
        MODEL_FIELD(r, OwnerHandle),  MODEL_FIELD(r, RegionValue6), MODEL_FIELD(r, RegionValue5),
        MODEL_FIELD(r, RegionValue1), MODEL_FIELD(r, RegionValue2), MODEL_FIELD(r, RegionValue3),
        MODEL_FIELD(r, RegionValue4)};
}

/// Reads the object with the kind's entry filling from seed and checks the calls, the pointers,
/// that each field got its own bytes and that nothing else in the object changed.
template <typename T>
void CheckReadExchange(const char* entry, std::uint32_t kind, Fields (*fieldsOf)(T&)) {
    SCOPED_TRACE(entry);
    recording::Reset();
    Placed<T> object(PrimitiveHandle);
    EXPECT_EQ(object->ObjectId, kind);
    EXPECT_TRUE(recording::Calls().empty()) << "a constructor never calls the host";
    const testing::Bytes before = object.Snapshot();
    recording::SetHandler(entry, testing::Filling(0x21, 5));
    EXPECT_EQ(object->Exchange(ExchangeRead), 5);

    ASSERT_EQ(testing::RecordedNames(),
              (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                        entry}));
    const recording::Call call = recording::Calls()[2];
    EXPECT_EQ(call.Value(0), ExchangeRead);
    EXPECT_EQ(call.Value(1), PrimitiveHandle);
    const Fields fields = fieldsOf(*object);
    testing::ExpectFieldPointers(recording::Calls()[0], 2, {MODEL_FIELD(*object, BitField2)});
    testing::ExpectFieldPointers(recording::Calls()[1], 2, {MODEL_FIELD(*object, BitField3)});
    testing::ExpectFieldPointers(call, 2, fields);
    testing::ExpectFilledInOrder(fields, 0x21);
    object.ExpectUnchangedOutside(before, fields);
}

/// A read filled by the host and the following write hand the host the same bytes everywhere.
template <typename T> void CheckRoundTrip(const char* entry) {
    SCOPED_TRACE(entry);
    recording::Reset();
    T object(PrimitiveHandle);
    std::vector<std::vector<testing::Bytes>> seen;
    recording::SetDefaultHandler([&seen](const recording::Call& call) {
        if (call.Value(0) == ExchangeRead) {
            recording::FillPointees(call, 0x01);
        }
        seen.push_back(testing::PointeeBytes(call));
        return 0;
    });
    object.Exchange(ExchangeRead);
    object.Exchange(ExchangeWrite);
    ASSERT_EQ(seen.size(), 6u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(seen[i], seen[i + 3]) << "call " << i;
    }
}

TEST_F(PcbPrimitivesTest, EachExchangePassesItsFieldsInTheHostsOrder) {
    CheckReadExchange<TPcbTrack>("PcbApi_QueryTrack", 4, TrackFields);
    CheckReadExchange<TPcbArc>("PcbApi_QueryArc", 1, ArcFields);
    CheckReadExchange<TPcbFill>("PcbApi_QueryFill", 6, FillFields);
    // A region passes no reference point: its X and Y stay 0 after the read.
    CheckReadExchange<TPCBRegion>("PcbApi_QueryRegion", 11, RegionFields);
}

TEST_F(PcbPrimitivesTest, CarriedValuesSurviveAReadFollowedByAWrite) {
    CheckRoundTrip<TPcbTrack>("PcbApi_QueryTrack");
    CheckRoundTrip<TPcbVia>("PcbApi_QueryVia");
    CheckRoundTrip<TPcbArc>("PcbApi_QueryArc");
    CheckRoundTrip<TPcbFill>("PcbApi_QueryFill");
    CheckRoundTrip<TPCBRegion>("PcbApi_QueryRegion");
}

TEST_F(PcbPrimitivesTest, ViaExchangesItsLayerThroughAOneByteClassicLocal) {
    Placed<TPcbVia> via(PrimitiveHandle);
    EXPECT_EQ(via->ObjectId, 3);
    const testing::Bytes before = via.Snapshot();
    recording::SetHandler("PcbApi_QueryVia", testing::Filling(0x01));
    via->Exchange(ExchangeRead);

    const recording::Call call = recording::CallsTo("PcbApi_QueryVia").at(0);
    ASSERT_EQ(call.Args.size(), 16u);
    EXPECT_TRUE(call.Args[4].IsPointer);
    EXPECT_EQ(call.Args[4].PointeeSize, 1u);
    EXPECT_NE(call.Address(4), static_cast<const void*>(&via->Layer));
    const Fields before4 = {MODEL_FIELD(*via, Flags), MODEL_FIELD(*via, Tag)};
    const Fields after4 = {MODEL_FIELD(*via, Net),         MODEL_FIELD(*via, ObjectFlag),
                           MODEL_FIELD(*via, OwnerHandle), MODEL_FIELD(*via, X),
                           MODEL_FIELD(*via, Y),           MODEL_FIELD(*via, Size),
                           MODEL_FIELD(*via, HoleSize),    MODEL_FIELD(*via, StartLayer),
                           MODEL_FIELD(*via, EndLayer),    MODEL_FIELD(*via, PadViaFlag1),
                           MODEL_FIELD(*via, PadViaFlag2)};
    recording::Call head = call; // mode, handle, Flags, Tag
    head.Args.resize(4);
    testing::ExpectFieldPointers(head, 2, before4);
    recording::Call tail = call; // everything after the layer byte
    tail.Args.erase(tail.Args.begin(), tail.Args.begin() + 5);
    testing::ExpectFieldPointers(tail, 0, after4);
    testing::ExpectFilledInOrder(before4, 0x01);
    testing::ExpectFilledInOrder(after4, 0x06); // the layer byte took 0x05
    EXPECT_EQ(via->Layer, 5u);
    Fields touched = before4;
    touched.insert(touched.end(), after4.begin(), after4.end());
    touched.push_back(MODEL_FIELD(*via, Layer));
    via.ExpectUnchangedOutside(before, touched);
}

TEST_F(PcbPrimitivesTest, ViaStoresTheConvertedLayerBackInBothModes) {
    TPcbVia via(PrimitiveHandle);
    via.Layer = SignalLayer(64); // no classic number: written as the fallback MidLayer30
    TLayer sent = 0;
    recording::SetHandler("PcbApi_QueryVia", [&sent](const recording::Call& call) {
        sent = *call.Ptr<TLayer>(4);
        return 0;
    });
    via.Exchange(ExchangeWrite);
    EXPECT_EQ(sent, 31);
    EXPECT_EQ(via.Layer, 31u);

    // A failed read still stores back whatever the byte holds; a byte beyond 82 is no layer.
    recording::SetHandler("PcbApi_QueryVia", [](const recording::Call& call) {
        *call.Ptr<TLayer>(4) = 200;
        return 7;
    });
    EXPECT_EQ(via.Exchange(ExchangeRead), 7);
    EXPECT_EQ(via.Layer, 0u);
}

TEST_F(PcbPrimitivesTest, ViaAsksTheHostForItsSizeAndShapeOnAnyLayer) {
    TPcbVia via(PrimitiveHandle);
    via.SetLayer(layer::TopLayer);
    std::int64_t status = 0;
    recording::SetHandler("PcbApi_QueryPadOrViaSizeOnLayer", [&status](const recording::Call& c) {
        *c.Ptr<std::int32_t>(2) = 600000;
        *c.Ptr<std::int32_t>(3) = 400000;
        return status;
    });
    recording::SetHandler("PcbApi_QueryPadOrViaShapeOnLayer", [&status](const recording::Call& c) {
        *c.Ptr<std::uint8_t>(2) = 3;
        return status;
    });
    via.SetSize(500000);
    EXPECT_EQ(via.GetXSize(), 500000);
    EXPECT_EQ(via.GetYSize(), 500000);
    EXPECT_EQ(via.SizeOnLayer(layer::KeepOutLayer), 600000);
    EXPECT_EQ(via.ShapeOnLayer(layer::KeepOutLayer), 3);
    const auto sizeCall = recording::CallsTo("PcbApi_QueryPadOrViaSizeOnLayer").at(0);
    EXPECT_EQ(sizeCall.Value(0), PrimitiveHandle);
    EXPECT_EQ(sizeCall.Value(1), layer::KeepOutLayer);
    EXPECT_EQ(sizeCall.Args[2].PointeeSize, 4u);
    EXPECT_EQ(sizeCall.Args[3].PointeeSize, 4u);
    status = 1;
    EXPECT_EQ(via.SizeOnLayer(layer::TopLayer), 0);
    EXPECT_EQ(via.ShapeOnLayer(layer::TopLayer), 0);
}

TEST_F(PcbPrimitivesTest, TracksAndFillsMoveBothPointsArcsAndViasOnlyTheirCentre) {
    TPcbTrack track(1);
    track.SetX2(100);
    track.MoveBy(10, -5);
    EXPECT_EQ(std::vector<std::int32_t>({track.X, track.Y, track.X2, track.Y2}),
              std::vector<std::int32_t>({10, -5, 110, -5}));
    TPcbFill fill(1);
    fill.SetX2(20);
    fill.SetY2(30);
    fill.MoveBy(-1, 1);
    EXPECT_EQ(std::vector<std::int32_t>({fill.X, fill.Y, fill.GetX2(), fill.GetY2()}),
              std::vector<std::int32_t>({-1, 1, 19, 31}));
    TPcbArc arc(1);
    arc.MoveBy(7, 8);
    EXPECT_EQ(arc.GetX2(), 7);
    EXPECT_EQ(arc.GetY2(), 8);
}

TEST_F(PcbPrimitivesTest, FillCornersAreThoseOfItsRectangle) {
    TPcbFill fill(1);
    fill.SetX2(100);
    fill.SetY2(50);
    EXPECT_EQ(fill.CornerX1(0), 0);
    EXPECT_EQ(fill.CornerY1(0), 0);
    EXPECT_EQ(fill.CornerX2(0), 100);
    EXPECT_EQ(fill.CornerY2(0), 0);
    EXPECT_EQ(fill.CornerX3(0), 0);
    EXPECT_EQ(fill.CornerY3(0), 50);
    EXPECT_EQ(fill.CornerX4(10), 110);
    EXPECT_EQ(fill.CornerY4(10), 60);
    fill.SetRotation(90.0); // turned about its centre (50, 25)
    EXPECT_EQ(fill.CornerX1(0), 75);
    EXPECT_EQ(fill.CornerY1(0), -25);
}

TEST_F(PcbPrimitivesTest, ArcCornersDescribeOnlyTheMarginSquareAroundTheCentre) {
    TPcbArc arc(1);
    arc.X = 500;
    arc.Y = 500;
    arc.SetRadius(1000);
    EXPECT_EQ(arc.CornerX1(20), 480);
    EXPECT_EQ(arc.CornerY4(20), 520);
    EXPECT_EQ(arc.CornerX2(0), 500);
}

TEST_F(PcbPrimitivesTest, TrackWidthAnswersOnlyOnItsLayer) {
    TPcbTrack track(1);
    track.SetWidth(100000);
    track.SetLayer(layer::BottomLayer);
    EXPECT_EQ(track.WidthOnLayer(layer::BottomLayer), 100000);
    EXPECT_EQ(track.WidthOnLayer(layer::TopLayer), 0);
    EXPECT_EQ(track.SizeOnLayer(layer::BottomLayer), 0);
}

} // namespace
} // namespace corvane
