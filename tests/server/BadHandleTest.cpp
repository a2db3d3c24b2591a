// A handle that names no object of the kind an entry works on (0, an unknown value, a board, an
// iterator, an object of another kind) gets a non-zero status and changes nothing.

#include "ExchangeChecks.h"
#include "ServerFixture.h"

#include <vector>

namespace servertest {
namespace {

class BadHandleTest : public ServerTest {
protected:
    // Handles that are not objects at all.
    std::vector<HostHandle> NotObjects() {
        const HostHandle board = Halvex_OpenBoard("bad-handles.pcb");
        const HostHandle iterator = PcbApi_CreateIterator(board, 0, 0, 0);
        return {0, 1, 0xDEADBEEF, 0xFFFFFFFF, board, iterator};
    }

    // Expects every handle that is not an object, and an object of another kind, refused.
    template <typename... F, typename Entry> void ExpectRefusedFor(Entry entry, U8 otherKind) {
        auto handles = NotObjects();
        handles.push_back(Create(otherKind));
        for (const HostHandle handle : handles) {
            SCOPED_TRACE(handle);
            ExpectRefused(entry, handle, Patterned<F...>());
        }
    }
};

TEST_F(BadHandleTest, PrimitiveQueriesRefuseNonObjects) {
    for (const HostHandle handle : NotObjects()) {
        ExpectRefused(PcbApi_QueryPrimitive, handle,
                      Patterned<U16, U16, TLayerId, U32, U32, Bool8>());
        U8 two = 0x5A;
        U16 three = 0x5A5A;
        PcbApi_GetObjectBitField2(Write, handle, &two);
        PcbApi_GetObjectBitField3(Write, handle, &three);
        PcbApi_GetObjectBitField2(Read, handle, &two);
        PcbApi_GetObjectBitField3(Read, handle, &three);
        EXPECT_EQ(0x5A, two);
        EXPECT_EQ(0x5A5A, three);
    }
}

TEST_F(BadHandleTest, KindQueriesRefuseOtherHandles) {
    ExpectRefusedFor<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32>(
        PcbApi_QueryTrack, 3);
    ExpectRefusedFor<U16, U16, TLayer, U32, Bool8, U32, I32, I32, I32, I32, TLayer, TLayer, Bool8,
                     Bool8>(PcbApi_QueryVia, 4);
    ExpectRefusedFor<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, double, double, I32, I32>(
        PcbApi_QueryArc, 4);
    ExpectRefusedFor<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, double>(
        PcbApi_QueryFill, 4);
    ExpectRefusedFor<U8, U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32>(
        PcbApi_QueryRegion, 4);
    ExpectRefusedFor<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32,
                     I32, U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>, I32, Block<21>, U8,
                     U8, I32, U64, I32, I32, I32, Bool8, Bool8>(PcbApi_QueryPad, 3);
    ExpectRefusedFor<U8>(PcbApi_QueryPadStackMode, 3);
    ExpectRefusedFor<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, double, Bool8, S254,
                     I32, I32, I32>(PcbApi_QueryText, 4);
    ExpectRefusedFor<U8, S255, U8, U8, U8, I32>(PcbApi_QueryTrueTypeTextInfo, 4);
    ExpectRefusedFor<U8, U8, U8, U8>(PcbApi_QueryBarCodeTextInfo, 4);
    ExpectRefusedFor<U16, U16, TLayer, Bool8, U32, U32, S250, U8, U8, I32, I32, I32, double, U8>(
        PcbApi_QueryComponent, 8);
    ExpectRefusedFor<I32, U8, U8, I32>(PcbApi_QueryComponentEx, 8);
    ExpectRefusedFor<S255, S255, S255, S255, S255, S255, S255, S255>(
        PcbApi_QueryComponentSourceLinks, 8);
    ExpectRefusedFor<S255>(PcbApi_QueryDefaultPCB3DModel, 8);
    ExpectRefusedFor<I32>(PcbApi_QueryComponentChannelOffset, 8);
    ExpectRefusedFor<U32>(PcbApi_QueryComponentKind, 8);
    ExpectRefusedFor<U16, S255, U8, U8>(PcbApi_QueryNet, 9);
    ExpectRefusedFor<U16, U16, Bool8, I32, I32, TLayerId, I32, I32, I32, I32, I32, I32>(
        PcbApi_QueryCoordinate, 13);
    ExpectRefusedFor<U16, U16, Bool8, I32, I32, I32, I32, TLayerId, I32, I32, I32, I32, I32, U8>(
        PcbApi_QueryDimension, 14);
    ExpectRefusedFor<U8, I32, I32, I32, U8, I32, S255, U8, I32, S255, S255, U64, I32, I32, I32, U8,
                     I32, I32, I32>(PcbApi_QueryExtDimension, 14);
    ExpectRefusedFor<I32>(PcbApi_References_Count, 14);
    ExpectRefusedFor<I32, I32, I32, I32>(
        [](U8 mode, HostHandle handle, I32* a, I32* b, I32* c, I32* d) {
            return PcbApi_References_At(mode, handle, 0, a, b, c, d);
        },
        14);
    ExpectRefusedFor<U16, I32, I32, Bool8, I32, I32, Bool8, U32>(PcbApi_QueryFromTo, 17);
    ExpectRefusedFor<U16, S255, S255, S255, I32>(PcbApi_QueryManualFromTo, 7);
    ExpectRefusedFor<U16, U8, U8, S255>(PcbApi_QueryClass, 16);
    ExpectRefusedFor<U16, U16, Bool8, I32, I32, S255, I32, I32, I32, I32, U64, Bool8, U8>(
        PcbApi_QueryEmbeddedBoard, 20);
    ExpectRefusedFor<U8, U8, U8, U8, U8, U8, U8, S255, S255, S255, S255, U8, U8, I32, I32, I32, I32,
                     S255, S255, S255, S255, S255, S255>(PcbApi_QueryRule, 19);
    ExpectRefusedFor<S255, S255, I32, I32, I32>(PcbApi_QueryViolation, 16);
}

TEST_F(BadHandleTest, SegmentAndDataQueriesRefuseOtherHandles) {
    auto handles = NotObjects();
    handles.push_back(Create(4));
    for (const HostHandle handle : handles) {
        std::vector<corvane::SegmentRecord> segments(1);
        I32 count = 1;
        auto polygonFields =
            Patterned<U16, U16, TLayerId, U32, Bool8, U8, U8, U8, I32, I32, U8, U8, I32, U8>();
        EXPECT_NE(0, std::apply(
                         [&](auto&... f) {
                             return PcbApi_QueryPolygon(Read, handle, &f..., &count,
                                                        segments.data());
                         },
                         polygonFields));
        auto planeFields = Patterned<U16, U16, TLayerId, U32, Bool8, U8>();
        EXPECT_NE(0, std::apply(
                         [&](auto&... f) {
                             return PcbApi_QuerySplitPlane(Read, handle, &f..., &count,
                                                           segments.data());
                         },
                         planeFields));
        EXPECT_EQ(1, count);
        std::vector<U8> data(4096, 0x77);
        S255 text("kept");
        EXPECT_NE(0, PcbApi_QueryEmbedded(Read, handle, &text, data.data()));
        EXPECT_EQ("kept", text.View());
        EXPECT_EQ(std::vector<U8>(4096, 0x77), data);
    }
}

TEST_F(BadHandleTest, PerLayerPadQueriesRefuseOtherHandles) {
    auto handles = NotObjects();
    handles.push_back(Create(4));
    for (const HostHandle handle : handles) {
        U8 shape = 0xAB;
        I32 x = 7, y = 8;
        EXPECT_NE(0, PcbApi_QueryPadOrViaShapeOnLayer(handle, 1, &shape));
        EXPECT_NE(0, PcbApi_QueryPadOrViaSizeOnLayer(handle, 1, &x, &y));
        EXPECT_NE(0, PcbApi_QueryPadCornerRadiusOnLayer(handle, 1, &x));
        EXPECT_NE(0, PcbApi_QueryPadCRPercentageOnLayer(handle, 1, &shape));
        EXPECT_NE(0, PcbApi_SetPadShapeOnLayer(handle, 1, 2));
        EXPECT_NE(0, PcbApi_SetPadSizeOnLayer(handle, 1, 1, 1));
        EXPECT_NE(0, PcbApi_SetCRPctOnLayer(handle, 1, 10));
        EXPECT_EQ(0xAB, shape);
        EXPECT_EQ(7, x);
        EXPECT_EQ(8, y);
    }
    // A via answers the two PadOrVia queries but not the pad-only ones.
    const HostHandle via = Create(3);
    I32 radius = 5;
    EXPECT_NE(0, PcbApi_QueryPadCornerRadiusOnLayer(via, 1, &radius));
    EXPECT_NE(0, PcbApi_SetPadShapeOnLayer(via, 1, 2));
    EXPECT_EQ(5, radius);
}

TEST_F(BadHandleTest, BoardQueriesRefuseNonBoards) {
    const HostHandle track = Create(4);
    for (const HostHandle handle : {HostHandle{0}, HostHandle{0xDEADBEEF}, track}) {
        SCOPED_TRACE(handle);
        ExpectRefused(PcbApi_QueryBoard, handle,
                      Patterned<U32, S255, U8, I32, I32, I32, I32, U8, TLayerId, U32>());
        ExpectRefused(PcbApi_QueryBoardSplitPlaneMode, handle, Patterned<U8>());
        ExpectRefused(PcbApi_QueryBoardGridsEx, handle,
                      Patterned<U8, U8, U8, U8, double, double, double, double, I32, U8, double,
                                double, double, double>());
        ExpectRefused(PcbApi_QueryBoardAdvancedPlacerOptions, handle,
                      Patterned<S255, S255, U8, U8, U8, U8>());
        ExpectRefused(PcbApi_QueryBoardEngineeringChangeOrderOptions, handle,
                      Patterned<U8, S255>());
        ExpectRefused(PcbApi_QueryBoardExternalDielectrics, handle,
                      Patterned<S255, U8, double, I32, S255, U8, double, I32>());
        ExpectRefused([](U8 mode, HostHandle board, S255* a, I32* b, U8* c, U8* d, U8* e, U8* f,
                         U8* g) { return PcbApi_QueryLayer(mode, 1, board, a, b, c, d, e, f, g); },
                      handle, Patterned<S255, I32, U8, U8, U8, U8, U8>());
        I32 count = 4;
        EXPECT_NE(0, PcbApi_QueryBoardLayerPairsCount(handle, &count, Read));
        EXPECT_EQ(4, count);
        S255 name("file.pcb");
        EXPECT_EQ(0u, PcbApi_GetBoardHandleFromFullFileName(&name));
    }
}

TEST_F(BadHandleTest, ContainerAndIteratorEntriesRefuseUnknownHandles) {
    const HostHandle track = Create(4);
    EXPECT_NE(0, PcbApi_AddObjectToContainer(0, track));
    EXPECT_NE(0, PcbApi_AddObjectToContainer(0xDEADBEEF, track));
    EXPECT_NE(0, PcbApi_AddObjectToContainer(Halvex_OpenBoard("b.pcb"), 0));
    EXPECT_EQ(0u, PcbApi_CreateIterator(0, 0, 0, 0));
    EXPECT_EQ(0u, PcbApi_CreateIterator(track, 0, 0, 0));
    EXPECT_EQ(0u, PcbApi_GetFirstObject(0));
    EXPECT_EQ(0u, PcbApi_GetNextObject(0xDEADBEEF));
    EXPECT_NE(0, PcbApi_DestroyIterator(0));
    EXPECT_NE(0, PcbApi_DestroyIterator(track));
}

} // namespace
} // namespace servertest
