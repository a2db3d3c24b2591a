// Boards: opening a document for a file name and finding it again, the default layer stack, and
// round trips of every board exchange at the widths of the board's exchange.

#include "ExchangeChecks.h"
#include "ServerFixture.h"

#include <string>

namespace servertest {
namespace {

class BoardTest : public ServerTest {
protected:
    HostHandle board_ = 0;
    void SetUp() override {
        ServerTest::SetUp();
        board_ = Halvex_OpenBoard("/tmp/boards/Main.PCB");
        ASSERT_NE(0u, board_);
    }

    static HostHandle Find(const std::string& name) {
        const S255 text(name);
        return PcbApi_GetBoardHandleFromFullFileName(&text);
    }

    std::tuple<S255, I32, U8, U8, TLayer, TLayer, U8> LayerFields(TLayer layer) const {
        return ReadFields<S255, I32, U8, U8, TLayer, TLayer, U8>(
            [layer](U8 mode, HostHandle board, auto*... p) {
                return PcbApi_QueryLayer(mode, layer, board, p...);
            },
            board_);
    }
    std::tuple<S255, I32, U8, U8, TLayer, TLayer, S255> PlaneFields(TLayer layer) const {
        return ReadFields<S255, I32, U8, U8, TLayer, TLayer, S255>(
            [layer](U8 mode, HostHandle board, auto*... p) {
                return PcbApi_QueryInternalPlane(mode, layer, board, p...);
            },
            board_);
    }
};

TEST_F(BoardTest, TheBoardIsFoundForExactlyItsFileName) {
    EXPECT_EQ(board_, Find("/tmp/boards/Main.PCB"));
    EXPECT_EQ(0u, Find("/tmp/boards/main.pcb"));
    EXPECT_EQ(0u, Find("/tmp/boards/Main.PCB "));
    EXPECT_EQ(0u, Find("Main.PCB"));
    EXPECT_EQ(0u, Find(""));
    EXPECT_EQ(0u, PcbApi_GetBoardHandleFromFullFileName(nullptr));
    EXPECT_EQ(board_, Halvex_FindBoard("/tmp/boards/Main.PCB"));
    EXPECT_EQ(0u, Halvex_FindBoard("/tmp/boards/Other.PCB"));
}

TEST_F(BoardTest, OpeningTheSameNameAgainGivesTheSameBoardAndAnotherNameAnother) {
    EXPECT_EQ(board_, Halvex_OpenBoard("/tmp/boards/Main.PCB"));
    const HostHandle other = Halvex_OpenBoard("/tmp/boards/Other.PCB");
    EXPECT_NE(0u, other);
    EXPECT_NE(board_, other);
    EXPECT_EQ(other, Find("/tmp/boards/Other.PCB"));
    EXPECT_EQ(0u, Halvex_OpenBoard(""));
    EXPECT_EQ(0u, Halvex_OpenBoard(nullptr));
}

TEST_F(BoardTest, ClosingAllBoardsForgetsThem) {
    Halvex_CloseAllBoards();
    EXPECT_EQ(0u, Find("/tmp/boards/Main.PCB"));
    HalvexBoardInfo info{};
    EXPECT_NE(0, Halvex_GetBoardInfo(board_, &info));
    const HostHandle reopened = Halvex_OpenBoard("/tmp/boards/Main.PCB");
    EXPECT_NE(board_, reopened); // board handles are not given again either
}

TEST_F(BoardTest, NewBoardHasTopTwoPlanesAndBottomInItsStack) {
    const TLayer expected[][3] = {{1, 0, 39}, {39, 1, 40}, {40, 39, 32}, {32, 40, 0}};
    for (const auto& [layer, prev, next] : expected) {
        const auto f = LayerFields(layer);
        EXPECT_EQ(prev, std::get<4>(f)) << int(layer);
        EXPECT_EQ(next, std::get<5>(f)) << int(layer);
    }
    EXPECT_EQ("TopLayer", std::get<0>(LayerFields(1)).View());
    EXPECT_EQ("MidLayer1", std::get<0>(LayerFields(2)).View());
    EXPECT_EQ("BottomLayer", std::get<0>(LayerFields(32)).View());
    EXPECT_EQ("MultiLayer", std::get<0>(LayerFields(74)).View());
    EXPECT_EQ("ViaHoleLayer", std::get<0>(LayerFields(82)).View());
    EXPECT_EQ(14000, std::get<1>(LayerFields(1)));
    // Layers outside the stack have no neighbours.
    EXPECT_EQ(0, std::get<4>(LayerFields(2)));
    EXPECT_EQ(0, std::get<5>(LayerFields(41)));
    for (TLayer plane = 39; plane <= 54; ++plane) {
        const auto f = PlaneFields(plane);
        EXPECT_EQ("InternalPlane" + std::to_string(plane - 38), std::get<0>(f).View());
        EXPECT_EQ("(No Net)", std::get<6>(f).View());
    }
}

TEST_F(BoardTest, NewBoardDefaults) {
    const auto board =
        ReadFields<U32, S255, U8, I32, I32, I32, I32, U8, TLayerId, U32>(PcbApi_QueryBoard, board_);
    EXPECT_EQ(1u, std::get<8>(board)); // current layer TopLayer
    const auto mode = ReadFields<U8>(PcbApi_QueryBoardSplitPlaneMode, board_);
    EXPECT_EQ(1, std::get<0>(mode));
    const auto dielectric = ReadFields<S255, U8, double, I32>(
        [](U8 m, HostHandle b, auto*... p) { return PcbApi_QueryLayerDielectric(m, 1, b, p...); },
        board_);
    EXPECT_EQ("FR-4", std::get<0>(dielectric).View());
    EXPECT_EQ(1, std::get<1>(dielectric));
    EXPECT_EQ(4.8, std::get<2>(dielectric));
    EXPECT_EQ(126000, std::get<3>(dielectric));
    const auto external = ReadFields<S255, U8, double, I32, S255, U8, double, I32>(
        PcbApi_QueryBoardExternalDielectrics, board_);
    EXPECT_EQ("FR-4", std::get<4>(external).View());
    EXPECT_EQ(126000, std::get<7>(external));
    I32 pairs = -1;
    EXPECT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &pairs, Read));
    EXPECT_EQ(0, pairs);
}

TEST_F(BoardTest, InternalPlaneQueryAnswersPlanesOnly) {
    auto fields = Patterned<S255, I32, U8, U8, TLayer, TLayer, S255>();
    for (const TLayer layer : {TLayer{1}, TLayer{38}, TLayer{55}, TLayer{0}, TLayer{83}}) {
        EXPECT_NE(0, std::apply(
                         [&](auto&... f) {
                             return PcbApi_QueryInternalPlane(Read, layer, board_, &f...);
                         },
                         fields))
            << int(layer);
    }
}

TEST_F(BoardTest, LayerEntriesRefuseLayersOutsideOneToEightyTwo) {
    for (const TLayer layer : {TLayer{0}, TLayer{83}, TLayer{255}}) {
        ExpectRefused([layer](U8 m, HostHandle b,
                              auto*... p) { return PcbApi_QueryLayer(m, layer, b, p...); },
                      board_, Patterned<S255, I32, U8, U8, TLayer, TLayer, U8>());
        ExpectRefused(
            [layer](U8 m, HostHandle b, auto*... p) {
                return PcbApi_QueryLayerDielectric(m, layer, b, p...);
            },
            board_, Patterned<S255, U8, double, I32>());
        ExpectRefused([layer](U8 m, HostHandle b,
                              auto*... p) { return PcbApi_QueryBoardLayerInfo(m, b, layer, p...); },
                      board_, Patterned<U8, U8, U32>());
        ExpectRefused(
            [layer](U8 m, HostHandle b, auto*... p) {
                return PcbApi_QueryBoardPrinterOptionsCompositeLayer(m, b, layer, p...);
            },
            board_, Patterned<I32, I32, U8, I32>());
    }
}

TEST_F(BoardTest, BoardPropertiesRoundTrip) {
    ExpectRoundTrip(PcbApi_QueryBoard, board_,
                    Patterned<U32, S255, U8, I32, I32, I32, I32, U8, TLayerId, U32>());
    ExpectRoundTrip(PcbApi_QueryBoardSplitPlaneMode, board_, Patterned<U8>(3));
    ExpectRoundTrip(PcbApi_QueryBoardGridsEx, board_,
                    Patterned<U8, U8, U8, U8, double, double, double, double, I32, U8, double,
                              double, double, double>());
    ExpectRoundTrip(PcbApi_QueryBoardExternalDielectrics, board_,
                    Patterned<S255, U8, double, I32, S255, U8, double, I32>());
}

TEST_F(BoardTest, LayerStackRoundTripsForEveryLayer) {
    for (int number = 1; number <= 82; ++number) {
        const auto layer = static_cast<TLayer>(number);
        SCOPED_TRACE(number);
        auto fields = Patterned<S255, I32, U8, U8, TLayer, TLayer, U8>(layer);
        ExpectRoundTrip([layer](U8 m, HostHandle b,
                                auto*... p) { return PcbApi_QueryLayer(m, layer, b, p...); },
                        board_, fields);
        ExpectRoundTrip(
            [layer](U8 m, HostHandle b, auto*... p) {
                return PcbApi_QueryLayerDielectric(m, layer, b, p...);
            },
            board_, Patterned<S255, U8, double, I32>(static_cast<U8>(layer * 3)));
        ExpectRoundTrip(
            [layer](U8 m, HostHandle b, auto*... p) {
                return PcbApi_QueryBoardLayerInfo(m, b, layer, p...);
            },
            board_, Patterned<U8, U8, U32>(static_cast<U8>(layer * 5)));
        ExpectRoundTrip(
            [layer](U8 m, HostHandle b, auto*... p) {
                return PcbApi_QueryBoardPrinterOptionsCompositeLayer(m, b, layer, p...);
            },
            board_, Patterned<I32, I32, U8, I32>(static_cast<U8>(layer * 7)));
    }
    for (TLayer plane = 39; plane <= 54; ++plane) {
        ExpectRoundTrip(
            [plane](U8 m, HostHandle b, auto*... p) {
                return PcbApi_QueryInternalPlane(m, plane, b, p...);
            },
            board_, Patterned<S255, I32, U8, U8, TLayer, TLayer, S255>(plane));
    }
}

TEST_F(BoardTest, OptionBlocksRoundTrip) {
    ExpectRoundTrip(PcbApi_QueryBoardOutputOptions, board_,
                    Patterned<I32, I32, U8, U8, U8, U8, U8, U8, U8, U8, U8, U8, U8, U8, U8, U8, U8,
                              U8, U8, U8, U8, U8, U8, Block<25>>());
    ExpectRoundTrip(PcbApi_QueryBoardGerberOptions, board_,
                    Patterned<U8, U8, U8, U8, U8, U8, U8, I32, I32, I32, I32, I32, S255, I32, U8,
                              U8, I32, I32, U8>());
    ExpectRoundTrip(
        PcbApi_QueryBoardPrinterOptions, board_,
        Patterned<S255, S255, S255, U8, U8, U8, U8, U8, U8, I32, double, double, double, Block<27>,
                  U8, U8, double, double, double, I32, I32, U8, U8, U8, U8, U8>());
    ExpectRoundTrip(PcbApi_QueryBoardAdvancedPlacerOptions, board_,
                    Patterned<S255, S255, U8, U8, U8, U8>());
    ExpectRoundTrip(PcbApi_QueryBoardEngineeringChangeOrderOptions, board_, Patterned<U8, S255>());
}

TEST_F(BoardTest, IndexedOptionsRoundTripInsideTheirRangesOnly) {
    for (int i = 1; i <= 109; ++i) {
        const auto index = static_cast<U8>(i);
        ExpectRoundTrip(
            [index](U8 m, HostHandle b, U8* v) {
                return PcbApi_QueryBoardOutputOptionsPlotLayers(m, b, index, v);
            },
            board_, Patterned<U8>(index));
        ExpectRoundTrip(
            [index](U8 m, HostHandle b, U8* v) {
                return PcbApi_QueryBoardOutputOptionsFlipLayers(m, b, index, v);
            },
            board_, Patterned<U8>(static_cast<U8>(index + 1)));
    }
    for (const U8 index : {U8{0}, U8{110}, U8{255}}) {
        ExpectRefused(
            [index](U8 m, HostHandle b, U8* v) {
                return PcbApi_QueryBoardOutputOptionsPlotLayers(m, b, index, v);
            },
            board_, Patterned<U8>());
        ExpectRefused(
            [index](U8 m, HostHandle b, U8* v) {
                return PcbApi_QueryBoardOutputOptionsFlipLayers(m, b, index, v);
            },
            board_, Patterned<U8>());
    }
    for (I32 pen = 1; pen <= 8; ++pen) {
        ExpectRoundTrip(
            [pen](U8 m, HostHandle b, I32* first, I32* second) {
                return PcbApi_QueryBoardPrinterOptionsPlotterPen(m, b, pen, first, second);
            },
            board_, Patterned<I32, I32>(static_cast<U8>(pen * 8)));
    }
    for (const I32 pen : {0, 9, -1}) {
        ExpectRefused(
            [pen](U8 m, HostHandle b, I32* first, I32* second) {
                return PcbApi_QueryBoardPrinterOptionsPlotterPen(m, b, pen, first, second);
            },
            board_, Patterned<I32, I32>());
    }
}

TEST_F(BoardTest, LayerPairsAreCountedAndExchangedInBothModes) {
    I32 count = 2;
    ASSERT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &count, Write));
    for (I32 index = 0; index < 2; ++index) {
        const auto at = [index](U8 m, HostHandle b, TLayerId* first, TLayerId* second, U8* o1,
                                U8* o2) {
            return PcbApi_QueryBoardLayerPairAt(m, b, index, first, second, o1, o2);
        };
        ExpectRoundTrip(at, board_,
                        Patterned<TLayerId, TLayerId, U8, U8>(static_cast<U8>(index * 20)));
    }
    count = 0;
    ASSERT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &count, Read));
    EXPECT_EQ(2, count);
    ExpectRefused(
        [](U8 m, HostHandle b, TLayerId* first, TLayerId* second, U8* o1, U8* o2) {
            return PcbApi_QueryBoardLayerPairAt(m, b, 2, first, second, o1, o2);
        },
        board_, Patterned<TLayerId, TLayerId, U8, U8>());
    // The view reports them.
    U32 first = 0, second = 0;
    ASSERT_EQ(0, Halvex_GetLayerPair(board_, 1, &first, &second));
    const auto pair = ReadFields<TLayerId, TLayerId, U8, U8>(
        [](U8 m, HostHandle b, TLayerId* f, TLayerId* s, U8* o1, U8* o2) {
            return PcbApi_QueryBoardLayerPairAt(m, b, 1, f, s, o1, o2);
        },
        board_);
    EXPECT_EQ(std::get<0>(pair), first);
    EXPECT_EQ(std::get<1>(pair), second);
    // Fewer pairs drop the last ones; a negative count leaves none.
    count = 1;
    ASSERT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &count, Write));
    ASSERT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &count, Read));
    EXPECT_EQ(1, count);
    count = -3;
    ASSERT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &count, Write));
    ASSERT_EQ(0, PcbApi_QueryBoardLayerPairsCount(board_, &count, Read));
    EXPECT_EQ(0, count);
    EXPECT_NE(0, PcbApi_QueryBoardLayerPairsCount(board_, nullptr, Read));
}

TEST_F(BoardTest, PlaneNetNamesWrittenByTheModelAreKeptAndShown) {
    auto fields = PlaneFields(40);
    std::get<6>(fields).Assign("GND");
    ASSERT_EQ(
        0,
        std::apply([&](auto&... f) { return PcbApi_QueryInternalPlane(Write, 40, board_, &f...); },
                   fields));
    EXPECT_EQ("GND", std::get<6>(PlaneFields(40)).View());

    HalvexBoardInfo info{};
    ASSERT_EQ(0, Halvex_GetBoardInfo(board_, &info));
    EXPECT_STREQ("/tmp/boards/Main.PCB", info.FileName);
    EXPECT_EQ(4, info.StackLayerCount);
    EXPECT_EQ(1u, info.CurrentLayer);
    EXPECT_EQ(1, info.SplitPlaneMode);
    const char* names[] = {"TopLayer", "InternalPlane1", "InternalPlane2", "BottomLayer"};
    const char* nets[] = {"", "(No Net)", "GND", ""};
    for (I32 index = 0; index < 4; ++index) {
        HalvexLayerInfo layer{};
        ASSERT_EQ(0, Halvex_GetStackLayer(board_, index, &layer));
        EXPECT_STREQ(names[index], layer.Name);
        EXPECT_STREQ(nets[index], layer.PlaneNetName);
        EXPECT_EQ(index == 1 || index == 2 ? 1 : 0, layer.IsPlane);
        EXPECT_STREQ("FR-4", layer.DielectricMaterial);
    }
    HalvexLayerInfo layer{};
    EXPECT_NE(0, Halvex_GetStackLayer(board_, 4, &layer));
    EXPECT_NE(0, Halvex_GetLayerInfo(board_, 0, &layer));
    ASSERT_EQ(0, Halvex_GetLayerInfo(board_, 74, &layer));
    EXPECT_STREQ("MultiLayer", layer.Name);
}

TEST_F(BoardTest, StackWrittenByTheModelIsWalkedFromTheTop) {
    // Insert MidLayer1 (2) between TopLayer and InternalPlane1.
    auto top = LayerFields(1);
    std::get<5>(top) = 2;
    auto mid = LayerFields(2);
    std::get<4>(mid) = 1;
    std::get<5>(mid) = 39;
    auto plane = PlaneFields(39);
    std::get<4>(plane) = 2;
    const auto write = [this](TLayer layer, auto& fields) {
        return std::apply(
            [&](auto&... f) { return PcbApi_QueryLayer(Write, layer, board_, &f...); }, fields);
    };
    ASSERT_EQ(0, write(1, top));
    ASSERT_EQ(0, write(2, mid));
    ASSERT_EQ(
        0,
        std::apply([&](auto&... f) { return PcbApi_QueryInternalPlane(Write, 39, board_, &f...); },
                   plane));
    HalvexBoardInfo info{};
    ASSERT_EQ(0, Halvex_GetBoardInfo(board_, &info));
    ASSERT_EQ(5, info.StackLayerCount);
    const U8 expected[] = {1, 2, 39, 40, 32};
    for (I32 index = 0; index < 5; ++index) {
        HalvexLayerInfo layer{};
        ASSERT_EQ(0, Halvex_GetStackLayer(board_, index, &layer));
        EXPECT_EQ(expected[index], layer.Layer);
    }
}

TEST_F(BoardTest, AStackWithACycleEndsWhereItComesBack) {
    auto bottom = LayerFields(32);
    std::get<5>(bottom) = 1; // bottom -> top: a cycle
    ASSERT_EQ(0, std::apply([&](auto&... f) { return PcbApi_QueryLayer(Write, 32, board_, &f...); },
                            bottom));
    HalvexBoardInfo info{};
    ASSERT_EQ(0, Halvex_GetBoardInfo(board_, &info));
    EXPECT_EQ(4, info.StackLayerCount);
}

} // namespace
} // namespace servertest
