// The per-layer pad stack: answered from the top / mid / bottom description until a change needs a
// stored stack, and kept in step with the description afterwards. Vias answer the two PadOrVia
// queries from their size and span.

#include "ExchangeChecks.h"
#include "ServerFixture.h"

#include <array>

namespace servertest {
namespace {

using PadFields = std::tuple<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32,
                             I32, I32, U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>, I32,
                             Block<21>, U8, U8, I32, U64, I32, I32, I32, Bool8, Bool8>;

// Positions in PadFields.
constexpr std::size_t TopX = 8, TopY = 9, MidX = 10, MidY = 11, BotX = 12, BotY = 13;
constexpr std::size_t TopShape = 15, MidShape = 16, BotShape = 17;

struct OnLayer {
    U8 Shape = 0;
    I32 X = 0;
    I32 Y = 0;
    I32 Radius = 0;
    U8 Percent = 0;
};

class PadStackTest : public ServerTest {
protected:
    HostHandle pad_ = 0;

    void SetUp() override {
        ServerTest::SetUp();
        pad_ = Create(2);
    }

    PadFields ReadPad() const {
        PadFields fields{};
        EXPECT_EQ(0, Exchange(PcbApi_QueryPad, Read, pad_, fields));
        return fields;
    }
    void WritePad(PadFields fields) const {
        ASSERT_EQ(0, Exchange(PcbApi_QueryPad, Write, pad_, fields));
    }
    // Top, mid and bottom described separately: 10/11 mil round, 20/21 mil rectangle, 30/31 mil
    // octagonal.
    void DescribeThreeParts() const {
        PadFields fields = ReadPad();
        std::get<TopX>(fields) = Mils(10);
        std::get<TopY>(fields) = Mils(11);
        std::get<MidX>(fields) = Mils(20);
        std::get<MidY>(fields) = Mils(21);
        std::get<BotX>(fields) = Mils(30);
        std::get<BotY>(fields) = Mils(31);
        std::get<TopShape>(fields) = 1;
        std::get<MidShape>(fields) = 2;
        std::get<BotShape>(fields) = 3;
        WritePad(fields);
    }
    OnLayer Layer(TLayer layer) const {
        OnLayer on;
        EXPECT_EQ(0, PcbApi_QueryPadOrViaShapeOnLayer(pad_, layer, &on.Shape));
        EXPECT_EQ(0, PcbApi_QueryPadOrViaSizeOnLayer(pad_, layer, &on.X, &on.Y));
        EXPECT_EQ(0, PcbApi_QueryPadCornerRadiusOnLayer(pad_, layer, &on.Radius));
        EXPECT_EQ(0, PcbApi_QueryPadCRPercentageOnLayer(pad_, layer, &on.Percent));
        return on;
    }
    U8 StackMode() const {
        U8 mode = 0xFF;
        EXPECT_EQ(0, PcbApi_QueryPadStackMode(Read, pad_, &mode));
        return mode;
    }
    void SetStackMode(U8 mode) const { ASSERT_EQ(0, PcbApi_QueryPadStackMode(Write, pad_, &mode)); }

    // What the plug-in's pad exchange does: read everything, then write everything back.
    struct ModelCopy {
        PadFields Fields;
        U8 Mode = 0;
        std::array<U8, 83> Shape{};
        std::array<I32, 83> X{}, Y{}, Radius{};
        std::array<U8, 83> Percent{};
    };
    ModelCopy ModelRead() const {
        ModelCopy copy{ReadPad()};
        copy.Mode = StackMode();
        for (int layer = 0; layer < 83; ++layer) {
            const OnLayer on = Layer(static_cast<TLayer>(layer));
            copy.Shape[layer] = on.Shape;
            copy.X[layer] = on.X;
            copy.Y[layer] = on.Y;
            copy.Radius[layer] = on.Radius;
            copy.Percent[layer] = on.Percent;
        }
        return copy;
    }
    void ModelWrite(ModelCopy copy) const {
        WritePad(copy.Fields);
        SetStackMode(copy.Mode);
        for (int layer = 0; layer < 83; ++layer) {
            const auto l = static_cast<TLayer>(layer);
            if (copy.Mode == 2) {
                PcbApi_SetPadShapeOnLayer(pad_, l, copy.Shape[layer]);
                PcbApi_SetPadSizeOnLayer(pad_, l, copy.X[layer], copy.Y[layer]);
                PcbApi_SetCRPctOnLayer(pad_, l, copy.Percent[layer]);
            } else if (copy.Shape[layer] == 9) {
                PcbApi_SetCRPctOnLayer(pad_, 1, copy.Percent[1]);
                PcbApi_SetCRPctOnLayer(pad_, 32, copy.Percent[32]);
                PcbApi_SetCRPctOnLayer(pad_, 2, copy.Percent[31]);
            }
        }
    }
    static void ExpectSameStack(const ModelCopy& a, const ModelCopy& b) {
        EXPECT_EQ("", DifferingFields(a.Fields, b.Fields));
        EXPECT_EQ(a.Mode, b.Mode);
        EXPECT_EQ(a.Shape, b.Shape);
        EXPECT_EQ(a.X, b.X);
        EXPECT_EQ(a.Y, b.Y);
        EXPECT_EQ(a.Radius, b.Radius);
        EXPECT_EQ(a.Percent, b.Percent);
    }
};

TEST_F(PadStackTest, WithoutAStoredStackLayersAnswerFromTheDescription) {
    DescribeThreeParts();
    EXPECT_EQ(0, StackMode());
    const OnLayer top = Layer(1);
    EXPECT_EQ(1, top.Shape);
    EXPECT_EQ(Mils(10), top.X);
    EXPECT_EQ(Mils(11), top.Y);
    for (const TLayer mid : {TLayer{2}, TLayer{15}, TLayer{31}}) {
        const OnLayer on = Layer(mid);
        EXPECT_EQ(2, on.Shape);
        EXPECT_EQ(Mils(20), on.X);
        EXPECT_EQ(Mils(21), on.Y);
    }
    const OnLayer bottom = Layer(32);
    EXPECT_EQ(3, bottom.Shape);
    EXPECT_EQ(Mils(30), bottom.X);
    // Every other layer answers from the top.
    for (const TLayer other : {TLayer{0}, TLayer{33}, TLayer{39}, TLayer{74}, TLayer{82}}) {
        EXPECT_EQ(Mils(10), Layer(other).X) << int(other);
    }
}

TEST_F(PadStackTest, LayersAboveTheClassicRangeAreRefused) {
    U8 shape = 0x55;
    I32 x = 1, y = 2;
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_QueryPadOrViaShapeOnLayer(pad_, 83, &shape));
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_QueryPadOrViaSizeOnLayer(pad_, 255, &x, &y));
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_SetPadShapeOnLayer(pad_, 83, 2));
    EXPECT_EQ(0x55, shape);
    EXPECT_EQ(1, x);
    EXPECT_EQ(0, StackMode());
}

TEST_F(PadStackTest, ChangingOneLayerStoresTheStackAndLeavesTheOthers) {
    DescribeThreeParts();
    ASSERT_EQ(0, PcbApi_SetPadSizeOnLayer(pad_, 5, Mils(44), Mils(45)));
    EXPECT_EQ(2, StackMode());
    EXPECT_EQ(Mils(44), Layer(5).X);
    EXPECT_EQ(Mils(45), Layer(5).Y);
    EXPECT_EQ(Mils(20), Layer(4).X);
    EXPECT_EQ(Mils(20), Layer(6).X);
    EXPECT_EQ(Mils(10), Layer(74).X);
    // The description of a stored stack is layers 1, 31 and 32: layer 5 is not among them.
    PadFields fields = ReadPad();
    EXPECT_EQ(Mils(20), std::get<MidX>(fields));
    EXPECT_EQ(Mils(10), std::get<TopX>(fields));
    ASSERT_EQ(0, PcbApi_SetPadSizeOnLayer(pad_, 31, Mils(46), Mils(47)));
    fields = ReadPad();
    EXPECT_EQ(Mils(46), std::get<MidX>(fields));
    EXPECT_EQ(Mils(47), std::get<MidY>(fields));
}

TEST_F(PadStackTest, SettingWhatALayerAlreadyHasKeepsTheSimpleDescription) {
    ASSERT_EQ(0, PcbApi_SetPadShapeOnLayer(pad_, 1, 1));
    ASSERT_EQ(0, PcbApi_SetPadSizeOnLayer(pad_, 40, Mils(60), Mils(60)));
    EXPECT_EQ(0, StackMode());
}

TEST_F(PadStackTest, TopAndBottomLayersOfAStoredStackAreTheDescription) {
    SetStackMode(2);
    ASSERT_EQ(0, PcbApi_SetPadShapeOnLayer(pad_, 1, 9));
    ASSERT_EQ(0, PcbApi_SetPadSizeOnLayer(pad_, 32, Mils(70), Mils(80)));
    const PadFields fields = ReadPad();
    EXPECT_EQ(9, std::get<TopShape>(fields));
    EXPECT_EQ(Mils(70), std::get<BotX>(fields));
    EXPECT_EQ(Mils(80), std::get<BotY>(fields));
}

TEST_F(PadStackTest, WritingTheDescriptionOfAStoredStackUpdatesTheChangedPartOnly) {
    DescribeThreeParts();
    SetStackMode(2);
    ASSERT_EQ(0, PcbApi_SetPadSizeOnLayer(pad_, 7, Mils(77), Mils(77)));
    PadFields fields = ReadPad();
    std::get<TopX>(fields) = Mils(12);
    WritePad(fields);
    EXPECT_EQ(Mils(12), Layer(1).X);
    EXPECT_EQ(Mils(77), Layer(7).X);  // the mid part did not change: layer 7 keeps its own size
    EXPECT_EQ(Mils(10), Layer(74).X); // only layer 1 is the top part of a stored stack
}

TEST_F(PadStackTest, LeavingStackModeTwoAnswersFromTheDescriptionAgain) {
    DescribeThreeParts();
    ASSERT_EQ(0, PcbApi_SetPadShapeOnLayer(pad_, 40, 9));
    EXPECT_EQ(2, StackMode());
    EXPECT_EQ(9, Layer(40).Shape);
    SetStackMode(1);
    EXPECT_EQ(1, StackMode());
    EXPECT_EQ(1, Layer(40).Shape); // from the top part again
    EXPECT_EQ(2, Layer(10).Shape);
}

TEST_F(PadStackTest, CornerPercentagesOfTheThreePartsNeedNoStack) {
    PadFields fields = ReadPad();
    std::get<TopShape>(fields) = 9;
    std::get<MidShape>(fields) = 9;
    std::get<BotShape>(fields) = 9;
    WritePad(fields);
    ASSERT_EQ(0, PcbApi_SetCRPctOnLayer(pad_, 1, 40));
    ASSERT_EQ(0, PcbApi_SetCRPctOnLayer(pad_, 32, 60));
    ASSERT_EQ(0, PcbApi_SetCRPctOnLayer(pad_, 2, 25));
    EXPECT_EQ(0, StackMode());
    EXPECT_EQ(40, Layer(1).Percent);
    EXPECT_EQ(25, Layer(31).Percent);
    EXPECT_EQ(60, Layer(32).Percent);
    // Corner radius: the percentage of half the smaller size, for the rounded rectangle.
    EXPECT_EQ(Mils(60) / 2 * 40 / 100, Layer(1).Radius);
    // Another layer's percentage needs the stack.
    ASSERT_EQ(0, PcbApi_SetCRPctOnLayer(pad_, 74, 10));
    EXPECT_EQ(2, StackMode());
    EXPECT_EQ(10, Layer(74).Percent);
    EXPECT_EQ(40, Layer(1).Percent);
}

TEST_F(PadStackTest, OtherShapesHaveNoCornerRadius) {
    ASSERT_EQ(0, PcbApi_SetCRPctOnLayer(pad_, 1, 80));
    EXPECT_EQ(0, Layer(1).Radius);
}

TEST_F(PadStackTest, TheModelsReadThenWriteChangesNothingInEitherMode) {
    DescribeThreeParts();
    const ModelCopy simple = ModelRead();
    ModelWrite(simple);
    ExpectSameStack(simple, ModelRead());

    ASSERT_EQ(0, PcbApi_SetPadShapeOnLayer(pad_, 12, 9));
    ASSERT_EQ(0, PcbApi_SetCRPctOnLayer(pad_, 12, 35));
    const ModelCopy stacked = ModelRead();
    EXPECT_EQ(2, stacked.Mode);
    ModelWrite(stacked);
    ExpectSameStack(stacked, ModelRead());
}

TEST_F(PadStackTest, TheModelsWriteOfAChangedStackIsKept) {
    SetStackMode(2);
    ModelCopy copy = ModelRead();
    for (int layer = 0; layer < 83; ++layer) {
        copy.X[layer] = Mils(layer + 1);
        copy.Y[layer] = Mils(layer + 2);
        copy.Shape[layer] = static_cast<U8>(layer % 4);
    }
    ModelWrite(copy);
    for (const TLayer layer :
         {TLayer{0}, TLayer{1}, TLayer{17}, TLayer{32}, TLayer{74}, TLayer{82}}) {
        const OnLayer on = Layer(layer);
        EXPECT_EQ(Mils(layer + 1), on.X);
        EXPECT_EQ(Mils(layer + 2), on.Y);
        EXPECT_EQ(layer % 4, on.Shape);
    }
    const PadFields fields = ReadPad();
    EXPECT_EQ(Mils(2), std::get<TopX>(fields));
    EXPECT_EQ(Mils(32), std::get<MidX>(fields)); // layer 31
    EXPECT_EQ(Mils(33), std::get<BotX>(fields));
}

TEST_F(PadStackTest, ViasAreRoundOnTheLayersTheyCover) {
    const HostHandle via = Create(3);
    auto fields = ReadFields<U16, U16, TLayer, U32, Bool8, U32, I32, I32, I32, I32, TLayer, TLayer,
                             Bool8, Bool8>(PcbApi_QueryVia, via);
    std::get<8>(fields) = Mils(40);
    std::get<10>(fields) = 1;
    std::get<11>(fields) = 5;
    ASSERT_EQ(0, Exchange(PcbApi_QueryVia, Write, via, fields));
    for (const TLayer covered : {TLayer{1}, TLayer{3}, TLayer{5}, TLayer{39}, TLayer{74}}) {
        U8 shape = 0;
        I32 x = 0, y = 0;
        ASSERT_EQ(0, PcbApi_QueryPadOrViaShapeOnLayer(via, covered, &shape));
        ASSERT_EQ(0, PcbApi_QueryPadOrViaSizeOnLayer(via, covered, &x, &y));
        EXPECT_EQ(1, shape) << int(covered);
        EXPECT_EQ(Mils(40), x);
        EXPECT_EQ(Mils(40), y);
    }
    for (const TLayer outside : {TLayer{6}, TLayer{32}, TLayer{33}}) {
        U8 shape = 7;
        I32 x = 7, y = 7;
        ASSERT_EQ(0, PcbApi_QueryPadOrViaShapeOnLayer(via, outside, &shape));
        ASSERT_EQ(0, PcbApi_QueryPadOrViaSizeOnLayer(via, outside, &x, &y));
        EXPECT_EQ(0, shape) << int(outside);
        EXPECT_EQ(0, x);
        EXPECT_EQ(0, y);
    }
}

} // namespace
} // namespace servertest
