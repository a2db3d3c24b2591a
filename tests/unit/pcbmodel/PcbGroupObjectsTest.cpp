// Components, nets, polygons, board outlines, split planes, coordinates and dimensions against
// the recording server: kind codes and defaults, every field of every exchange in the host's
// order and width, the component's one-byte layer, and the dimension's bounded references.

#include "RecordingServer.h"
#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbCoordinate.h"
#include "pcbmodel/PcbDimension.h"
#include "pcbmodel/PcbNet.h"
#include "pcbmodel/PcbPolygon.h"
#include "pcbmodel/PcbSplitPlane.h"
#include "serverclient/LayerNumbering.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::Fields;
using testing::Placed;

constexpr HostHandle GroupHandle = 0x5150;

class PcbGroupObjectsTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }
};

std::vector<std::string> Named(std::vector<std::string> tail) {
    std::vector<std::string> names{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3"};
    names.insert(names.end(), tail.begin(), tail.end());
    return names;
}

/// A read of a kind with one entry point of its own: the calls, the mode and handle, the field
/// pointers, that each field took exactly its own bytes and nothing else changed; the result is
/// that of the kind's entry.
template <typename T>
void CheckSingleCallRead(const char* entry, std::uint8_t kind, Fields (*fieldsOf)(T&)) {
    SCOPED_TRACE(entry);
    recording::Reset();
    Placed<T> object(GroupHandle);
    EXPECT_EQ(object->ObjectId, kind);
    EXPECT_TRUE(recording::Calls().empty()) << "a constructor never calls the host";
    const testing::Bytes before = object.Snapshot();
    recording::SetHandler(entry, testing::Filling(0x31, 6));
    EXPECT_EQ(object->Exchange(ExchangeRead), 6);
    ASSERT_EQ(testing::RecordedNames(), Named({entry}));
    const recording::Call call = recording::Calls()[2];
    EXPECT_EQ(call.Value(0), ExchangeRead);
    EXPECT_EQ(call.Value(1), GroupHandle);
    testing::ExpectFieldPointers(recording::Calls()[0], 2, {MODEL_FIELD(*object, BitField2)});
    testing::ExpectFieldPointers(recording::Calls()[1], 2, {MODEL_FIELD(*object, BitField3)});
    const Fields fields = fieldsOf(*object);
    testing::ExpectFieldPointers(call, 2, fields);
    testing::ExpectFilledInOrder(fields, 0x31);
    Fields touched = fields;
    touched.push_back(MODEL_FIELD(*object, BitField2));
    touched.push_back(MODEL_FIELD(*object, BitField3));
    object.ExpectUnchangedOutside(before, touched);
}

/// Whatever the host gave on a read, the following write gives back, call by call.
template <typename T> void CheckRoundTrip(T& object) {
    std::vector<std::vector<testing::Bytes>> seen;
    std::uint8_t seed = 1;
    recording::SetDefaultHandler([&](const recording::Call& call) {
        if (call.Value(0) == ExchangeRead) {
            seed = recording::FillPointees(call, seed);
        }
        seen.push_back(testing::PointeeBytes(call));
        return 0;
    });
    object.Exchange(ExchangeRead);
    const std::size_t reads = seen.size();
    object.Exchange(ExchangeWrite);
    ASSERT_EQ(seen.size(), 2 * reads);
    for (std::size_t i = 0; i < reads; ++i) {
        EXPECT_EQ(seen[i], seen[reads + i]) << "call " << i;
    }
}

// --- Kind codes and defaults ---------------------------------------------------------------------

TEST_F(PcbGroupObjectsTest, NewObjectsCarryTheirKindCodesAndDefaultsAndCallNoHost) {
    const std::vector<std::pair<std::unique_ptr<TPCBObject>, std::uint8_t>> objects = [] {
        std::vector<std::pair<std::unique_ptr<TPCBObject>, std::uint8_t>> all;
        all.emplace_back(std::make_unique<TPcbComponent>(GroupHandle), 9);
        all.emplace_back(std::make_unique<TPcbNet>(GroupHandle), 8);
        all.emplace_back(std::make_unique<TPcbPolygon>(GroupHandle), 10);
        all.emplace_back(std::make_unique<TPcbBoardOutline>(GroupHandle), 26);
        all.emplace_back(std::make_unique<TPcbSplitPlane>(GroupHandle), 22);
        all.emplace_back(std::make_unique<TPcbCoordinate>(GroupHandle), 14);
        all.emplace_back(std::make_unique<TPcbDimension>(GroupHandle), 13);
        return all;
    }();
    for (const auto& [object, kind] : objects) {
        EXPECT_EQ(object->ObjectId, kind);
        EXPECT_EQ(object->GetObjectId(), kind);
        EXPECT_EQ(object->Handle, GroupHandle);
        EXPECT_EQ(object->Layer, 0u);
        EXPECT_NE(dynamic_cast<TPcbGroupObject*>(object.get()), nullptr) << int{kind};
    }
    EXPECT_EQ(TPcbDimension(1).DimensionKind, 8);
    EXPECT_EQ(TPcbDimension(1).ReferenceCount, 0);
    EXPECT_NE(dynamic_cast<TPcbPolygon*>(objects[3].first.get()), nullptr);
    const TPcbComponent component(1);
    EXPECT_EQ(component.NameText, 0u);
    EXPECT_EQ(component.CommentText, 0u);
    EXPECT_TRUE(component.Pattern.Empty());
    EXPECT_EQ(component.GetRotation(), 0.0);
    EXPECT_TRUE(recording::Calls().empty());
}

// --- Component ---------------------------------------------------------------------------------

Fields ComponentMainBefore(TPcbComponent& c) {
    return {MODEL_FIELD(c, Flags), MODEL_FIELD(c, Tag)};
}

Fields ComponentMainAfter(TPcbComponent& c) {
    return {MODEL_FIELD(c, ObjectFlag),
            MODEL_FIELD(c, NameText),
            MODEL_FIELD(c, CommentText),
            MODEL_FIELD(c, Pattern),
            MODEL_FIELD(c, ComponentOption1),
            MODEL_FIELD(c, ComponentOption2),
            MODEL_FIELD(c, X),
            MODEL_FIELD(c, Y),
            MODEL_FIELD(c, ComponentValue),
            MODEL_FIELD(c, Rotation),
            MODEL_FIELD(c, ComponentOption3)};
}

Fields ComponentLinks(TPcbComponent& c) {
    Fields links;
    for (std::size_t i = 0; i < c.SourceLinks.size(); ++i) {
        links.push_back(testing::SpanOf(c.SourceLinks[i], "SourceLinks" + std::to_string(i + 1)));
    }
    return links;
}

TEST_F(PcbGroupObjectsTest, ComponentReadMakesItsSixCallsWithEveryFieldAtItsWidth) {
    Placed<TPcbComponent> c(GroupHandle);
    const testing::Bytes before = c.Snapshot();
    recording::SetHandler("PcbApi_QueryComponentChannelOffset", testing::Filling(0x10, 91));
    recording::SetHandler("PcbApi_QueryComponentKind", testing::Filling(0x20, 92));
    // Flags and Tag take 0x1C..0x1F, so the layer byte becomes 0x20 = 32, the bottom layer.
    recording::SetHandler("PcbApi_QueryComponent", testing::Filling(0x1C, 7));
    recording::SetHandler("PcbApi_QueryComponentEx", testing::Filling(0x40, 93));
    recording::SetHandler("PcbApi_QueryComponentSourceLinks", testing::Filling(0x50, 94));
    recording::SetHandler("PcbApi_QueryDefaultPCB3DModel", testing::Filling(0x60, 95));
    EXPECT_EQ(c->Exchange(ExchangeRead), 7); // the main call's result
    ASSERT_EQ(testing::RecordedNames(),
              Named({"PcbApi_QueryComponentChannelOffset", "PcbApi_QueryComponentKind",
                     "PcbApi_QueryComponent", "PcbApi_QueryComponentEx",
                     "PcbApi_QueryComponentSourceLinks", "PcbApi_QueryDefaultPCB3DModel"}));
    const auto& calls = recording::Calls();
    for (const auto& call : calls) {
        EXPECT_EQ(call.Value(0), ExchangeRead) << call.Name;
        EXPECT_EQ(call.Value(1), GroupHandle) << call.Name;
    }
    const Fields offset = {MODEL_FIELD(*c, ChannelOffset)};
    const Fields kind = {MODEL_FIELD(*c, ComponentKind)};
    const Fields ex = {MODEL_FIELD(*c, ExValue1), MODEL_FIELD(*c, ExOption1),
                       MODEL_FIELD(*c, ExOption2), MODEL_FIELD(*c, ExValue2)};
    const Fields links = ComponentLinks(*c);
    const Fields model = {MODEL_FIELD(*c, DefaultModel)};
    testing::ExpectFieldPointers(calls[2], 2, offset);
    testing::ExpectFieldPointers(calls[3], 2, kind);
    testing::ExpectFieldPointers(calls[5], 2, ex);
    testing::ExpectFieldPointers(calls[6], 2, links);
    testing::ExpectFieldPointers(calls[7], 2, model);

    recording::Call head = calls[4];
    head.Args.resize(4);
    testing::ExpectFieldPointers(head, 2, ComponentMainBefore(*c));
    EXPECT_TRUE(calls[4].Args[4].IsPointer);
    EXPECT_EQ(calls[4].Args[4].PointeeSize, 1u) << "the layer travels as the classic byte";
    EXPECT_NE(calls[4].Address(4), static_cast<const void*>(&c->Layer));
    recording::Call tail = calls[4];
    tail.Args.erase(tail.Args.begin(), tail.Args.begin() + 5);
    testing::ExpectFieldPointers(tail, 0, ComponentMainAfter(*c));

    testing::ExpectFilledInOrder(offset, 0x10);
    testing::ExpectFilledInOrder(kind, 0x20);
    testing::ExpectFilledInOrder(ComponentMainBefore(*c), 0x1C);
    testing::ExpectFilledInOrder(ComponentMainAfter(*c), 0x21);
    testing::ExpectFilledInOrder(ex, 0x40);
    testing::ExpectFilledInOrder(links, 0x50);
    EXPECT_EQ(c->Layer, LayerToLayerId(32));
    EXPECT_EQ(c->GetLayer(), 32);

    Fields touched = {MODEL_FIELD(*c, BitField2), MODEL_FIELD(*c, BitField3),
                      MODEL_FIELD(*c, Layer)};
    for (const Fields* part : {&offset, &kind, &ex, &links, &model}) {
        touched.insert(touched.end(), part->begin(), part->end());
    }
    for (const Fields& part : {ComponentMainBefore(*c), ComponentMainAfter(*c)}) {
        touched.insert(touched.end(), part.begin(), part.end());
    }
    c.ExpectUnchangedOutside(before, touched);
}

TEST_F(PcbGroupObjectsTest, ComponentWritesItsLayerAsTheClassicByteAndKeepsIt) {
    TPcbComponent component(GroupHandle);
    component.SetClassicLayer(layer::BottomLayer);
    TLayer sent = 0;
    recording::SetHandler("PcbApi_QueryComponent", [&sent](const recording::Call& call) {
        EXPECT_EQ(call.Value(0), ExchangeWrite);
        sent = *call.Ptr<TLayer>(4);
        return 0;
    });
    component.Exchange(ExchangeWrite);
    EXPECT_EQ(sent, 32);
    EXPECT_EQ(component.Layer, LayerToLayerId(32));

    // A byte the host gives back beyond the classic layers is stored as no layer.
    recording::SetHandler("PcbApi_QueryComponent", [](const recording::Call& call) {
        *call.Ptr<TLayer>(4) = 200;
        return 0;
    });
    component.Exchange(ExchangeRead);
    EXPECT_EQ(component.Layer, 0u);
}

TEST_F(PcbGroupObjectsTest, ComponentCarriesEverythingFromAReadToTheNextWrite) {
    TPcbComponent component(GroupHandle);
    CheckRoundTrip(component);
}

TEST_F(PcbGroupObjectsTest, AddPrimitiveOfNothingAnswersOneWithoutTheHost) {
    TPcbComponent component(GroupHandle);
    EXPECT_EQ(component.AddPrimitive(0), 1);
    EXPECT_TRUE(recording::Calls().empty());
    recording::SetHandler("PcbApi_AddObjectToContainer",
                          [](const recording::Call&) { return std::int64_t{-3}; });
    EXPECT_EQ(component.AddPrimitive(0x77), -3);
    const auto calls = recording::CallsTo("PcbApi_AddObjectToContainer");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Value(0), GroupHandle); // the component is the container
    EXPECT_EQ(calls[0].Value(1), 0x77u);
}

TEST_F(PcbGroupObjectsTest, ComponentNameIsTheCurrentTextOfItsDesignator) {
    TPcbComponent component(GroupHandle);
    String255 name("stale");
    component.GetName(name);
    EXPECT_TRUE(name.Empty()) << "no designator object";
    EXPECT_TRUE(recording::Calls().empty());

    component.NameText = 0x600;
    std::uint8_t reportedKind = 5;
    recording::SetHandler("PcbApi_GetObjectIdFromObjectHandle",
                          [&reportedKind](const recording::Call&) { return reportedKind; });
    recording::SetHandler("PcbApi_QueryText", [](const recording::Call& call) {
        EXPECT_EQ(call.Value(1), 0x600u);
        *call.Ptr<String254>(14) = String254("U17");
        return 0;
    });
    component.GetName(name);
    EXPECT_EQ(name, "U17");
    reportedKind = 5 | 0x80; // only the low seven bits count
    component.GetName(name);
    EXPECT_EQ(name, "U17");
    reportedKind = 8; // a net is not a text: no text to give
    component.GetName(name);
    EXPECT_TRUE(name.Empty());
    reportedKind = 23; // no class at all
    component.GetName(name);
    EXPECT_TRUE(name.Empty());
    EXPECT_EQ(recording::CountOf("PcbApi_QueryText"), 2u);
    component.Rotation = 270.5;
    EXPECT_EQ(component.GetRotation(), 270.5);
}

// --- Net ---------------------------------------------------------------------------------------

Fields NetFields(TPcbNet& n) {
    return {MODEL_FIELD(n, Tag), MODEL_FIELD(n, Name), MODEL_FIELD(n, NetOption1),
            MODEL_FIELD(n, NetOption2)};
}

TEST_F(PcbGroupObjectsTest, NetExchangesTagNameAndOptions) {
    CheckSingleCallRead<TPcbNet>("PcbApi_QueryNet", 8, NetFields);
    TPcbNet net(GroupHandle);
    CheckRoundTrip(net);
}

TEST_F(PcbGroupObjectsTest, NetNameIsExactlyTheStoredNameEvenWhenEmpty) {
    TPcbNet net(GroupHandle);
    for (const std::string& stored : {std::string(), std::string("GND"), std::string(255, 'n')}) {
        net.Name = String255(stored);
        String255 name("previous");
        net.GetName(name);
        EXPECT_EQ(name.Str(), stored);
    }
    EXPECT_TRUE(recording::Calls().empty());
}

// --- Polygon, board outline, split plane, coordinate ---------------------------------------

template <typename P> Fields PolygonFields(P& p) {
    return {MODEL_FIELD(p, Flags),          MODEL_FIELD(p, Tag),
            MODEL_FIELD(p, Layer),          MODEL_FIELD(p, Net),
            MODEL_FIELD(p, ObjectFlag),     MODEL_FIELD(p, PolygonOption2),
            MODEL_FIELD(p, PolygonOption3), MODEL_FIELD(p, PolygonOption4),
            MODEL_FIELD(p, PolygonValue1),  MODEL_FIELD(p, PolygonValue2),
            MODEL_FIELD(p, PolygonOption5), MODEL_FIELD(p, PolygonOption6),
            MODEL_FIELD(p, PolygonValue3),  MODEL_FIELD(p, PolygonOption1),
            MODEL_FIELD(p, SegmentCount),   MODEL_FIELD(p, Segments[0])};
}

Fields SplitPlaneFields(TPcbSplitPlane& s) {
    return {MODEL_FIELD(s, Flags),        MODEL_FIELD(s, Tag),
            MODEL_FIELD(s, Layer),        MODEL_FIELD(s, Net),
            MODEL_FIELD(s, ObjectFlag),   MODEL_FIELD(s, SplitPlaneOption),
            MODEL_FIELD(s, SegmentCount), MODEL_FIELD(s, Segments[0])};
}

Fields CoordinateFields(TPcbCoordinate& c) {
    return {MODEL_FIELD(c, Flags),       MODEL_FIELD(c, Tag),         MODEL_FIELD(c, ObjectFlag),
            MODEL_FIELD(c, X),           MODEL_FIELD(c, Y),           MODEL_FIELD(c, Layer),
            MODEL_FIELD(c, CoordValue1), MODEL_FIELD(c, CoordValue2), MODEL_FIELD(c, CoordValue3),
            MODEL_FIELD(c, CoordValue4), MODEL_FIELD(c, CoordValue5), MODEL_FIELD(c, CoordValue6)};
}

TEST_F(PcbGroupObjectsTest, AreaKindsPassTheirFieldsAndTheFirstSegmentRecord) {
    CheckSingleCallRead<TPcbPolygon>("PcbApi_QueryPolygon", 10, PolygonFields<TPcbPolygon>);
    CheckSingleCallRead<TPcbBoardOutline>("PcbApi_QueryPolygon", 26,
                                          PolygonFields<TPcbBoardOutline>);
    CheckSingleCallRead<TPcbSplitPlane>("PcbApi_QuerySplitPlane", 22, SplitPlaneFields);
    CheckSingleCallRead<TPcbCoordinate>("PcbApi_QueryCoordinate", 14, CoordinateFields);
    const recording::Call call = recording::CallsTo("PcbApi_QueryCoordinate").at(0);
    EXPECT_EQ(call.Args[7].PointeeSize, sizeof(TLayerId)) << "the layer as its identifier";
}

TEST_F(PcbGroupObjectsTest, SegmentCountsBeyondTheArrayAreNotTrustedPastIt) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> counts{
        {0, 0},
        {1, 1},
        {5001, 5001},
        {5002, 5001},
        {std::numeric_limits<std::int32_t>::max(), 5001},
        {-1, 0},
        {std::numeric_limits<std::int32_t>::min(), 0}};
    auto polygon = std::make_unique<TPcbPolygon>(GroupHandle);
    auto plane = std::make_unique<TPcbSplitPlane>(GroupHandle);
    EXPECT_EQ(polygon->Segments.size(), 5001u);
    EXPECT_EQ(sizeof(polygon->Segments[0]), 37u);
    for (const auto& [reported, usable] : counts) {
        polygon->SegmentCount = reported;
        plane->SegmentCount = reported;
        EXPECT_EQ(polygon->SegmentsInArray(), usable) << reported;
        EXPECT_EQ(plane->SegmentsInArray(), usable) << reported;
    }
}

// --- Dimension -------------------------------------------------------------------------------

Fields DimensionFields(TPcbDimension& d) {
    return {MODEL_FIELD(d, Flags),     MODEL_FIELD(d, Tag),       MODEL_FIELD(d, ObjectFlag),
            MODEL_FIELD(d, X),         MODEL_FIELD(d, Y),         MODEL_FIELD(d, DimValue1),
            MODEL_FIELD(d, DimValue2), MODEL_FIELD(d, Layer),     MODEL_FIELD(d, DimValue3),
            MODEL_FIELD(d, DimValue4), MODEL_FIELD(d, DimValue5), MODEL_FIELD(d, DimValue6),
            MODEL_FIELD(d, DimValue7), MODEL_FIELD(d, DimOption1)};
}

Fields ExtDimensionFields(TPcbDimension& d) {
    return {MODEL_FIELD(d, DimensionKind), MODEL_FIELD(d, ExtValue1),  MODEL_FIELD(d, ExtValue2),
            MODEL_FIELD(d, ExtValue3),     MODEL_FIELD(d, ExtOption1), MODEL_FIELD(d, ExtValue4),
            MODEL_FIELD(d, ExtText1),      MODEL_FIELD(d, ExtOption2), MODEL_FIELD(d, ExtValue5),
            MODEL_FIELD(d, ExtText2),      MODEL_FIELD(d, ExtText3),   MODEL_FIELD(d, ExtValue64),
            MODEL_FIELD(d, ExtValue6),     MODEL_FIELD(d, ExtValue7),  MODEL_FIELD(d, ExtValue8),
            MODEL_FIELD(d, ExtOption3),    MODEL_FIELD(d, ExtValue9),  MODEL_FIELD(d, ExtValue10),
            MODEL_FIELD(d, ExtValue11)};
}

void ScriptReferenceCount(std::int32_t count) {
    recording::SetHandler("PcbApi_References_Count", [count](const recording::Call& call) {
        if (call.Value(0) == ExchangeRead) {
            *call.Ptr<std::int32_t>(2) = count;
        }
        return 0;
    });
}

TEST_F(PcbGroupObjectsTest, DimensionExchangesItsPartsInOrderAndAnswersBothResultsAnded) {
    Placed<TPcbDimension> d(GroupHandle);
    EXPECT_EQ(d->ObjectId, 13);
    EXPECT_EQ(d->DimensionKind, 8);
    recording::SetHandler("PcbApi_QueryDimension", testing::Filling(0x11, 0b0110));
    recording::SetHandler("PcbApi_QueryExtDimension", testing::Filling(0x41, 0b0011));
    ScriptReferenceCount(3);
    EXPECT_EQ(d->Exchange(ExchangeRead), 0b0010);
    ASSERT_EQ(testing::RecordedNames(),
              Named({"PcbApi_QueryDimension", "PcbApi_References_Count", "PcbApi_References_At",
                     "PcbApi_References_At", "PcbApi_References_At", "PcbApi_QueryExtDimension"}));
    const auto& calls = recording::Calls();
    testing::ExpectFieldPointers(calls[2], 2, DimensionFields(*d));
    testing::ExpectFieldPointers(calls[3], 2, {MODEL_FIELD(*d, ReferenceCount)});
    for (std::size_t c = 0; c < 3; ++c) {
        const recording::Call& at = calls[4 + c];
        EXPECT_EQ(at.Value(0), ExchangeRead);
        EXPECT_EQ(at.Value(1), GroupHandle);
        EXPECT_EQ(at.Value(2), c);
        auto& reference = d->References[c];
        testing::ExpectFieldPointers(at, 3,
                                     {MODEL_FIELD(reference, First), MODEL_FIELD(reference, Second),
                                      MODEL_FIELD(reference, Third),
                                      MODEL_FIELD(reference, Fourth)});
    }
    testing::ExpectFieldPointers(calls[7], 2, ExtDimensionFields(*d));
    testing::ExpectFilledInOrder(DimensionFields(*d), 0x11);
    testing::ExpectFilledInOrder(ExtDimensionFields(*d), 0x41);

    TPcbDimension again(GroupHandle);
    CheckRoundTrip(again);
}

TEST_F(PcbGroupObjectsTest, DimensionNeverExchangesReferencesOutsideItsArray) {
    const std::vector<std::pair<std::int32_t, std::size_t>> counts{
        {0, 0},
        {1, 1},
        {200, 200},
        {201, 200},
        {std::numeric_limits<std::int32_t>::max(), 200},
        {-4, 0},
        {std::numeric_limits<std::int32_t>::min(), 0}};
    for (const auto& [reported, exchanged] : counts) {
        SCOPED_TRACE(reported);
        recording::Reset();
        auto dimension = std::make_unique<TPcbDimension>(GroupHandle);
        ScriptReferenceCount(reported);
        dimension->Exchange(ExchangeRead);
        const auto references = recording::CallsTo("PcbApi_References_At");
        ASSERT_EQ(references.size(), exchanged);
        for (std::size_t c = 0; c < references.size(); ++c) {
            EXPECT_EQ(references[c].Value(2), c);
            EXPECT_EQ(references[c].Address(3), &dimension->References[c].First);
        }
        EXPECT_EQ(dimension->ReferenceCount, reported) << "the host's count is carried";

        recording::Reset();
        dimension->Exchange(ExchangeWrite);
        EXPECT_EQ(recording::CountOf("PcbApi_References_At"), exchanged);
    }
}

} // namespace
} // namespace corvane
