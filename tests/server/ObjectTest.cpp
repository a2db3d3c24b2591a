// Objects of the server: creation, identity, defaults of new objects and property round trips of
// every kind at the widths of the contract.

#include "ExchangeChecks.h"
#include "ServerFixture.h"

#include <array>
#include <set>
#include <vector>

namespace servertest {
namespace {

// The kinds the server creates, and the kind codes without a kind.
constexpr U8 KnownKinds[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                             13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 26};
constexpr U8 UnknownKinds[] = {0, 23, 24, 25, 27, 100, 127, 128, 130, 255};

using ObjectTest = ServerTest;

TEST_F(ObjectTest, CreatesEveryKindWithAUniqueHandleAndReportsItsKind) {
    std::set<HostHandle> handles;
    for (const U8 kind : KnownKinds) {
        for (int copy = 0; copy < 3; ++copy) {
            const HostHandle handle = Create(kind);
            EXPECT_TRUE(handles.insert(handle).second) << "handle given twice: " << handle;
            EXPECT_EQ(kind, PcbApi_GetObjectIdFromObjectHandle(handle));
        }
    }
}

TEST_F(ObjectTest, KindCodesWithoutAKindGiveNoObject) {
    for (const U8 kind : UnknownKinds) {
        EXPECT_EQ(0u, PcbApi_CreateObject(kind)) << "kind " << int(kind);
    }
}

TEST_F(ObjectTest, UnknownHandlesHaveNoKind) {
    const HostHandle board = Halvex_OpenBoard("board.pcb");
    EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(0));
    EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(0xDEADBEEF));
    EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(board));
}

TEST_F(ObjectTest, HandlesAreNeverGivenAgainAfterAReset) {
    const HostHandle before = Create(4);
    Halvex_CloseAllBoards();
    EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(before));
    const HostHandle after = Create(4);
    EXPECT_NE(before, after);
}

TEST_F(ObjectTest, ManyObjectsOfEveryKindSurviveTheirNeighboursAndAResetFreesThemAll) {
    // Enough objects to fill many of the server's memory blocks, some pads with a stored stack
    // (memory of their own), then a reset and a second round in the memory given back.
    for (int round = 0; round < 2; ++round) {
        std::vector<std::pair<HostHandle, U8>> made;
        for (int i = 0; i < 20000; ++i) {
            const U8 kind = KnownKinds[static_cast<std::size_t>(i) % std::size(KnownKinds)];
            made.emplace_back(Create(kind), kind);
            if (kind == 2 && i % 3 == 0) {
                ASSERT_EQ(0, PcbApi_SetPadSizeOnLayer(made.back().first, 40, Mils(i % 100), 7));
            }
        }
        for (std::size_t i = 0; i < made.size(); ++i) {
            const auto [handle, kind] = made[i];
            ASSERT_EQ(kind, PcbApi_GetObjectIdFromObjectHandle(handle)) << i;
            if (kind == 2 && i % 3 == 0) {
                I32 x = 0;
                I32 y = 0;
                ASSERT_EQ(0, PcbApi_QueryPadOrViaSizeOnLayer(handle, 40, &x, &y));
                EXPECT_EQ(Mils(static_cast<int>(i % 100)), x);
                EXPECT_EQ(7, y);
            }
        }
        Halvex_CloseAllBoards();
        EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(made.front().first));
        EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(made.back().first));
    }
}

// ---- Defaults of new objects -----------------------------------------------------------------

TEST_F(ObjectTest, NewTrackIsTenMilWideOnTheTopLayer) {
    const auto f =
        ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32>(
            PcbApi_QueryTrack, Create(4));
    EXPECT_EQ(1u, std::get<2>(f));        // TopLayer
    EXPECT_EQ(0u, std::get<3>(f));        // no net
    EXPECT_EQ(Mils(10), std::get<10>(f)); // width
}

TEST_F(ObjectTest, NewViaIsFiftyMilWithATwentyEightMilHoleFromTopToBottom) {
    const auto f = ReadFields<U16, U16, TLayer, U32, Bool8, U32, I32, I32, I32, I32, TLayer, TLayer,
                              Bool8, Bool8>(PcbApi_QueryVia, Create(3));
    EXPECT_EQ(74, std::get<2>(f)); // MultiLayer
    EXPECT_EQ(Mils(50), std::get<8>(f));
    EXPECT_EQ(Mils(28), std::get<9>(f));
    EXPECT_EQ(1, std::get<10>(f));
    EXPECT_EQ(32, std::get<11>(f));
}

TEST_F(ObjectTest, NewArcIsAFullCircleOnTheTopLayer) {
    const auto f =
        ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, double, double, I32, I32>(
            PcbApi_QueryArc, Create(1));
    EXPECT_EQ(1u, std::get<2>(f));
    EXPECT_EQ(Mils(50), std::get<8>(f));
    EXPECT_EQ(0.0, std::get<9>(f));
    EXPECT_EQ(360.0, std::get<10>(f));
    EXPECT_EQ(Mils(10), std::get<11>(f));
}

TEST_F(ObjectTest, NewFillIsAHundredMilSquareOnTheTopLayer) {
    const auto f = ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, double>(
        PcbApi_QueryFill, Create(6));
    EXPECT_EQ(1u, std::get<2>(f));
    EXPECT_EQ(0, std::get<6>(f));
    EXPECT_EQ(Mils(100), std::get<8>(f));
    EXPECT_EQ(Mils(100), std::get<9>(f));
}

TEST_F(ObjectTest, NewPadIsRoundSixtyMilOnTheTopLayerInStackModeZero) {
    const HostHandle pad = Create(2);
    const auto f =
        ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32, I32,
                   U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>, I32, Block<21>, U8, U8,
                   I32, U64, I32, I32, I32, Bool8, Bool8>(PcbApi_QueryPad, pad);
    EXPECT_EQ(1u, std::get<2>(f));
    for (const I32 size : {std::get<8>(f), std::get<9>(f), std::get<10>(f), std::get<11>(f),
                           std::get<12>(f), std::get<13>(f)}) {
        EXPECT_EQ(Mils(60), size);
    }
    EXPECT_EQ(0, std::get<14>(f)); // no hole
    EXPECT_EQ(1, std::get<15>(f));
    EXPECT_EQ(1, std::get<16>(f));
    EXPECT_EQ(1, std::get<17>(f));
    U8 stackMode = 99;
    EXPECT_EQ(0, PcbApi_QueryPadStackMode(Read, pad, &stackMode));
    EXPECT_EQ(0, stackMode);
}

TEST_F(ObjectTest, NewTextIsSixtyMilHighOnTheTopOverlayWithArialTrueTypeSettings) {
    const HostHandle text = Create(5);
    const auto f = ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, double,
                              Bool8, S254, I32, I32, I32>(PcbApi_QueryText, text);
    EXPECT_EQ(33u, std::get<2>(f)); // TopOverlay
    EXPECT_EQ(Mils(60), std::get<8>(f));
    EXPECT_EQ(1, std::get<9>(f));
    EXPECT_TRUE(std::get<12>(f).Empty());
    EXPECT_EQ(Mils(10), std::get<13>(f));
    const auto tt = ReadFields<U8, S255, U8, U8, U8, I32>(PcbApi_QueryTrueTypeTextInfo, text);
    EXPECT_EQ("Arial", std::get<1>(tt).View());
    EXPECT_EQ(Mils(20), std::get<5>(tt));
    const auto bar = ReadFields<U8, U8, U8, U8>(PcbApi_QueryBarCodeTextInfo, text);
    EXPECT_EQ(std::make_tuple(U8{0}, U8{0}, U8{0}, U8{0}), bar);
}

TEST_F(ObjectTest, NewComponentIsOnTheTopLayerWithTwoTextsOfItsOwn) {
    const HostHandle component = Create(9);
    const auto f =
        ReadFields<U16, U16, TLayer, Bool8, U32, U32, S250, U8, U8, I32, I32, I32, double, U8>(
            PcbApi_QueryComponent, component);
    EXPECT_EQ(1, std::get<2>(f));
    const U32 nameText = std::get<4>(f);
    const U32 commentText = std::get<5>(f);
    EXPECT_NE(0u, nameText);
    EXPECT_NE(0u, commentText);
    EXPECT_NE(nameText, commentText);
    EXPECT_EQ(5, PcbApi_GetObjectIdFromObjectHandle(nameText));
    EXPECT_EQ(5, PcbApi_GetObjectIdFromObjectHandle(commentText));
    // The texts belong to the component through the two handles only, not as children.
    EXPECT_EQ(0, Halvex_GetMemberCount(component));
    // A second component has texts of its own.
    const auto g =
        ReadFields<U16, U16, TLayer, Bool8, U32, U32, S250, U8, U8, I32, I32, I32, double, U8>(
            PcbApi_QueryComponent, Create(9));
    EXPECT_NE(nameText, std::get<4>(g));
}

TEST_F(ObjectTest, NewNetIsUnnamedOnTheMultiLayer) {
    const HostHandle net = Create(8);
    const auto f = ReadFields<U16, S255, U8, U8>(PcbApi_QueryNet, net);
    EXPECT_TRUE(std::get<1>(f).Empty());
    const auto p = ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, net);
    EXPECT_EQ(74u, std::get<2>(p));
}

TEST_F(ObjectTest, NewDimensionHasKindEight) {
    const auto f = ReadFields<U8, I32, I32, I32, U8, I32, S255, U8, I32, S255, S255, U64, I32, I32,
                              I32, U8, I32, I32, I32>(PcbApi_QueryExtDimension, Create(13));
    EXPECT_EQ(8, std::get<0>(f));
}

// ---- Round trips -----------------------------------------------------------------------------

TEST_F(ObjectTest, PrimitiveFieldsRoundTripForEveryKind) {
    for (const U8 kind : KnownKinds) {
        SCOPED_TRACE(int(kind));
        ExpectRoundTrip(PcbApi_QueryPrimitive, Create(kind),
                        Patterned<U16, U16, TLayerId, U32, U32, Bool8>(static_cast<U8>(kind * 7)));
    }
}

TEST_F(ObjectTest, BitFieldsRoundTripForEveryKind) {
    for (const U8 kind : KnownKinds) {
        const HostHandle handle = Create(kind);
        U8 two = static_cast<U8>(0xA0 + kind);
        U16 three = static_cast<U16>(0xBEE0 + kind);
        PcbApi_GetObjectBitField2(Write, handle, &two);
        PcbApi_GetObjectBitField3(Write, handle, &three);
        U8 twoRead = 0;
        U16 threeRead = 0;
        PcbApi_GetObjectBitField2(Read, handle, &twoRead);
        PcbApi_GetObjectBitField3(Read, handle, &threeRead);
        EXPECT_EQ(two, twoRead);
        EXPECT_EQ(three, threeRead);
    }
}

TEST_F(ObjectTest, TrackRoundTrips) {
    ExpectRoundTrip(
        PcbApi_QueryTrack, Create(4),
        Patterned<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32>());
}

TEST_F(ObjectTest, ViaRoundTripsWithItsLayerAsAClassicByte) {
    auto fields = Patterned<U16, U16, TLayer, U32, Bool8, U32, I32, I32, I32, I32, TLayer, TLayer,
                            Bool8, Bool8>();
    std::get<2>(fields) = 32;
    const HostHandle via = Create(3);
    ExpectRoundTrip(PcbApi_QueryVia, via, fields);
    // The layer is kept as the identifier of the classic layer.
    const auto p = ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, via);
    EXPECT_EQ(32u, std::get<2>(p));
}

TEST_F(ObjectTest, ViaLayerAboveTheClassicRangeBecomesNoLayer) {
    const HostHandle via = Create(3);
    auto fields = ReadFields<U16, U16, TLayer, U32, Bool8, U32, I32, I32, I32, I32, TLayer, TLayer,
                             Bool8, Bool8>(PcbApi_QueryVia, via);
    std::get<2>(fields) = 200;
    ASSERT_EQ(0, Exchange(PcbApi_QueryVia, Write, via, fields));
    const auto again = ReadFields<U16, U16, TLayer, U32, Bool8, U32, I32, I32, I32, I32, TLayer,
                                  TLayer, Bool8, Bool8>(PcbApi_QueryVia, via);
    EXPECT_EQ(0, std::get<2>(again));
}

TEST_F(ObjectTest, ArcRoundTrips) {
    ExpectRoundTrip(
        PcbApi_QueryArc, Create(1),
        Patterned<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, double, double, I32, I32>());
}

TEST_F(ObjectTest, FillRoundTrips) {
    ExpectRoundTrip(
        PcbApi_QueryFill, Create(6),
        Patterned<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, double>());
}

TEST_F(ObjectTest, RegionRoundTrips) {
    ExpectRoundTrip(
        PcbApi_QueryRegion, Create(11),
        Patterned<U8, U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32>());
}

TEST_F(ObjectTest, PadRoundTrips) {
    ExpectRoundTrip(PcbApi_QueryPad, Create(2),
                    Patterned<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32,
                              I32, I32, I32, U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>,
                              I32, Block<21>, U8, U8, I32, U64, I32, I32, I32, Bool8, Bool8>());
}

TEST_F(ObjectTest, TextRoundTripsWithTrueTypeAndBarCodeSettings) {
    const HostHandle text = Create(5);
    ExpectRoundTrip(PcbApi_QueryText, text,
                    Patterned<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, double,
                              Bool8, S254, I32, I32, I32>());
    ExpectRoundTrip(PcbApi_QueryTrueTypeTextInfo, text, Patterned<U8, S255, U8, U8, U8, I32>(9));
    ExpectRoundTrip(PcbApi_QueryBarCodeTextInfo, text, Patterned<U8, U8, U8, U8>(77));
}

TEST_F(ObjectTest, TextDisplayStringIsTheText) {
    const HostHandle text = Create(5);
    auto fields = ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, double, Bool8,
                             S254, I32, I32, I32>(PcbApi_QueryText, text);
    std::get<12>(fields).Assign("R12");
    ASSERT_EQ(0, Exchange(PcbApi_QueryText, Write, text, fields));
    S255 display("stale");
    PcbApi_GetDesignatorDisplayString(&display, text);
    EXPECT_EQ("R12", display.View());
    // Not a text: an empty string.
    PcbApi_GetDesignatorDisplayString(&display, Create(4));
    EXPECT_TRUE(display.Empty());
    display.Assign("stale");
    PcbApi_GetDesignatorDisplayString(&display, 0);
    EXPECT_TRUE(display.Empty());
    PcbApi_GetDesignatorDisplayString(nullptr, text); // no buffer: nothing happens
}

TEST_F(ObjectTest, ComponentRoundTripsInEveryExchange) {
    const HostHandle component = Create(9);
    auto fields =
        Patterned<U16, U16, TLayer, Bool8, U32, U32, S250, U8, U8, I32, I32, I32, double, U8>();
    std::get<2>(fields) = 32;
    ExpectRoundTrip(PcbApi_QueryComponent, component, fields);
    ExpectRoundTrip(PcbApi_QueryComponentEx, component, Patterned<I32, U8, U8, I32>(3));
    ExpectRoundTrip(PcbApi_QueryComponentSourceLinks, component,
                    Patterned<S255, S255, S255, S255, S255, S255, S255, S255>(5));
    ExpectRoundTrip(PcbApi_QueryDefaultPCB3DModel, component, Patterned<S255>(11));
    ExpectRoundTrip(PcbApi_QueryComponentChannelOffset, component, Patterned<I32>(13));
    ExpectRoundTrip(PcbApi_QueryComponentKind, component, Patterned<U32>(17));
}

TEST_F(ObjectTest, NetRoundTrips) {
    ExpectRoundTrip(PcbApi_QueryNet, Create(8), Patterned<U16, S255, U8, U8>());
}

TEST_F(ObjectTest, CoordinateRoundTrips) {
    ExpectRoundTrip(PcbApi_QueryCoordinate, Create(14),
                    Patterned<U16, U16, Bool8, I32, I32, TLayerId, I32, I32, I32, I32, I32, I32>());
}

TEST_F(ObjectTest, DimensionRoundTripsWithItsReferences) {
    const HostHandle dimension = Create(13);
    ExpectRoundTrip(
        PcbApi_QueryDimension, dimension,
        Patterned<U16, U16, Bool8, I32, I32, I32, I32, TLayerId, I32, I32, I32, I32, I32, U8>());
    ExpectRoundTrip(PcbApi_QueryExtDimension, dimension,
                    Patterned<U8, I32, I32, I32, U8, I32, S255, U8, I32, S255, S255, U64, I32, I32,
                              I32, U8, I32, I32, I32>(40));

    I32 count = 3;
    ASSERT_EQ(0, PcbApi_References_Count(Write, dimension, &count));
    for (I32 index = 0; index < 3; ++index) {
        const auto at = [index](U8 mode, HostHandle handle, I32* a, I32* b, I32* c, I32* d) {
            return PcbApi_References_At(mode, handle, index, a, b, c, d);
        };
        ExpectRoundTrip(at, dimension, Patterned<I32, I32, I32, I32>(static_cast<U8>(index * 16)));
    }
    count = 0;
    ASSERT_EQ(0, PcbApi_References_Count(Read, dimension, &count));
    EXPECT_EQ(3, count);
    I32 value = 0;
    EXPECT_NE(0, PcbApi_References_At(Read, dimension, 3, &value, &value, &value, &value));
    EXPECT_NE(0, PcbApi_References_At(Read, dimension, -1, &value, &value, &value, &value));
    count = -5;
    ASSERT_EQ(0, PcbApi_References_Count(Write, dimension, &count));
    ASSERT_EQ(0, PcbApi_References_Count(Read, dimension, &count));
    EXPECT_EQ(0, count);
}

TEST_F(ObjectTest, PolygonAndBoardOutlineRoundTripTheirSegments) {
    for (const U8 kind : {U8{10}, U8{26}}) {
        SCOPED_TRACE(int(kind));
        const HostHandle polygon = Create(kind);
        auto fields =
            Patterned<U16, U16, TLayerId, U32, Bool8, U8, U8, U8, I32, I32, U8, U8, I32, U8>();
        std::vector<corvane::SegmentRecord> segments(3);
        U8 seed = 50;
        for (auto& segment : segments) {
            Pattern(segment, seed);
        }
        const auto entry = [&](U8 mode, HostHandle handle, auto*... p) {
            return PcbApi_QueryPolygon(mode, handle, p...);
        };
        I32 count = 3;
        ASSERT_EQ(0, std::apply(
                         [&](auto&... f) {
                             return entry(Write, polygon, &f..., &count, segments.data());
                         },
                         fields));
        auto read = decltype(fields){};
        I32 readCount = 0;
        std::vector<corvane::SegmentRecord> readSegments(5001);
        ASSERT_EQ(0, std::apply(
                         [&](auto&... f) {
                             return entry(Read, polygon, &f..., &readCount, readSegments.data());
                         },
                         read));
        EXPECT_EQ("", DifferingFields(fields, read));
        EXPECT_EQ(3, readCount);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_TRUE(SameField(segments[i], readSegments[i])) << i;
        }
    }
}

TEST_F(ObjectTest, SplitPlaneRoundTripsItsSegments) {
    const HostHandle plane = Create(22);
    auto fields = Patterned<U16, U16, TLayerId, U32, Bool8, U8>();
    std::vector<corvane::SegmentRecord> segments(2);
    U8 seed = 7;
    for (auto& segment : segments) {
        Pattern(segment, seed);
    }
    I32 count = 2;
    ASSERT_EQ(0, std::apply(
                     [&](auto&... f) {
                         return PcbApi_QuerySplitPlane(Write, plane, &f..., &count,
                                                       segments.data());
                     },
                     fields));
    auto read = decltype(fields){};
    I32 readCount = 0;
    std::vector<corvane::SegmentRecord> readSegments(5001);
    ASSERT_EQ(0, std::apply(
                     [&](auto&... f) {
                         return PcbApi_QuerySplitPlane(Read, plane, &f..., &readCount,
                                                       readSegments.data());
                     },
                     read));
    EXPECT_EQ("", DifferingFields(fields, read));
    EXPECT_EQ(2, readCount);
    EXPECT_TRUE(SameField(segments[1], readSegments[1]));
}

TEST_F(ObjectTest, OtherKindsRoundTrip) {
    ExpectRoundTrip(PcbApi_QueryFromTo, Create(7),
                    Patterned<U16, I32, I32, Bool8, I32, I32, Bool8, U32>());
    ExpectRoundTrip(PcbApi_QueryManualFromTo, Create(17), Patterned<U16, S255, S255, S255, I32>());
    ExpectRoundTrip(PcbApi_QueryClass, Create(15), Patterned<U16, U8, U8, S255>());
    ExpectRoundTrip(
        PcbApi_QueryEmbeddedBoard, Create(21),
        Patterned<U16, U16, Bool8, I32, I32, S255, I32, I32, I32, I32, U64, Bool8, U8>());
    ExpectRoundTrip(PcbApi_QueryRule, Create(16),
                    Patterned<U8, U8, U8, U8, U8, U8, U8, S255, S255, S255, S255, U8, U8, I32, I32,
                              I32, I32, S255, S255, S255, S255, S255, S255>());
    ExpectRoundTrip(PcbApi_QueryViolation, Create(19), Patterned<S255, S255, I32, I32, I32>());
}

TEST_F(ObjectTest, EmbeddedObjectRoundTripsItsDataBlock) {
    const HostHandle embedded = Create(20);
    std::vector<U8> fresh(4096, 0xEE);
    S255 text;
    ASSERT_EQ(0, PcbApi_QueryEmbedded(Read, embedded, &text, fresh.data()));
    EXPECT_EQ(std::vector<U8>(4096, 0), fresh); // nothing written yet: zeros

    std::vector<U8> data(4096);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<U8>(i * 31);
    }
    text.Assign("blob");
    ASSERT_EQ(0, PcbApi_QueryEmbedded(Write, embedded, &text, data.data()));
    std::vector<U8> read(4096);
    S255 readText;
    ASSERT_EQ(0, PcbApi_QueryEmbedded(Read, embedded, &readText, read.data()));
    EXPECT_EQ(data, read);
    EXPECT_EQ("blob", readText.View());
}

TEST_F(ObjectTest, ClassMembersAreAddedListedAndRemoved) {
    const HostHandle objectClass = Create(15);
    S255 member;
    EXPECT_EQ(1, PcbApi_GetMemberFromClassAt(objectClass, 0, &member)); // empty: end at once
    for (const char* name : {"A", "B"}) {
        const S255 added(name);
        EXPECT_EQ(0, PcbApi_AddMemberToClass(objectClass, &added));
    }
    ASSERT_EQ(0, PcbApi_GetMemberFromClassAt(objectClass, 0, &member));
    EXPECT_EQ("A", member.View());
    ASSERT_EQ(0, PcbApi_GetMemberFromClassAt(objectClass, 1, &member));
    EXPECT_EQ("B", member.View());
    EXPECT_EQ(1, PcbApi_GetMemberFromClassAt(objectClass, 2, &member));
    EXPECT_EQ(1, PcbApi_GetMemberFromClassAt(objectClass, -1, &member));
    EXPECT_EQ(0, PcbApi_RemoveAllMembersFromClass(objectClass));
    EXPECT_EQ(1, PcbApi_GetMemberFromClassAt(objectClass, 0, &member));
    // Not a class.
    const S255 added("X");
    EXPECT_NE(0, PcbApi_AddMemberToClass(Create(4), &added));
    EXPECT_NE(0, PcbApi_AddMemberToClass(objectClass, nullptr));
    EXPECT_NE(0, PcbApi_RemoveAllMembersFromClass(0));
    EXPECT_EQ(1, PcbApi_GetMemberFromClassAt(0, 0, &member));
}

TEST_F(ObjectTest, ShortStringsAreCutToTheirCapacity) {
    const HostHandle pad = Create(2);
    auto fields =
        ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32, I32,
                   U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>, I32, Block<21>, U8, U8,
                   I32, U64, I32, I32, I32, Bool8, Bool8>(PcbApi_QueryPad, pad);
    std::get<18>(fields).Assign("12345678901234567890");
    std::get<18>(fields).Length = 200; // a broken length byte is not trusted past the buffer
    ASSERT_EQ(0, Exchange(PcbApi_QueryPad, Write, pad, fields));
    const auto read =
        ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32, I32,
                   U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>, I32, Block<21>, U8, U8,
                   I32, U64, I32, I32, I32, Bool8, Bool8>(PcbApi_QueryPad, pad);
    EXPECT_EQ("12345678901234567890", std::get<18>(read).View());
}

TEST_F(ObjectTest, NullPointersArePassedOver) {
    const HostHandle track = Create(4);
    I32 width = Mils(25);
    EXPECT_EQ(0, PcbApi_QueryTrack(Write, track, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, &width, nullptr,
                                   nullptr, nullptr));
    I32 read = 0;
    EXPECT_EQ(0, PcbApi_QueryTrack(Read, track, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, &read, nullptr,
                                   nullptr, nullptr));
    EXPECT_EQ(Mils(25), read);
}

TEST_F(ObjectTest, BoundingRectangleOfATrackIsItsSegmentGrownByHalfItsWidth) {
    const HostHandle track = Create(4);
    auto fields =
        ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32>(
            PcbApi_QueryTrack, track);
    std::get<6>(fields) = Mils(100);
    std::get<7>(fields) = Mils(200);
    std::get<8>(fields) = Mils(300);
    std::get<9>(fields) = Mils(150);
    std::get<10>(fields) = Mils(10);
    ASSERT_EQ(0, Exchange(PcbApi_QueryTrack, Write, track, fields));
    I32 left = 0, bottom = 0, right = 0, top = 0;
    ASSERT_EQ(0, PcbApi_QueryObjectBoundingRectangle(track, &left, &bottom, &right, &top));
    EXPECT_EQ(Mils(95), left);
    EXPECT_EQ(Mils(145), bottom);
    EXPECT_EQ(Mils(305), right);
    EXPECT_EQ(Mils(205), top);
    EXPECT_NE(0, PcbApi_QueryObjectBoundingRectangle(0, &left, &bottom, &right, &top));
}

TEST_F(ObjectTest, UserInteractionQueriesSucceedForObjectsOnly) {
    const HostHandle track = Create(4);
    EXPECT_EQ(0, PcbApi_QueryObjectImport_FromUser(track));
    EXPECT_EQ(0, PcbApi_QueryObjectGraphicallyInvalidate(track));
    EXPECT_NE(0, PcbApi_QueryObjectImport_FromUser(0));
    EXPECT_NE(0, PcbApi_QueryObjectGraphicallyInvalidate(12345));
}

} // namespace
} // namespace servertest
