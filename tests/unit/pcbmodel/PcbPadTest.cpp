// The pad against the recording server: the 37-argument description exchange, its early return,
// the per-layer stack on a read (336 calls) and on a write (stack mode 2, or the percentage
// re-sends for shape-9 layers), the top / mid / bottom percentage copies, the carried values,
// the name, and the per-layer sizes, corners and centre line.

#include "pcbmodel/PcbPad.h"
#include "RecordingServer.h"
#include "serverclient/LayerNumbering.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

using testing::Fields;
using testing::Placed;

constexpr HostHandle PadHandle = 0xA11;

class PcbPadTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }
};

Fields DescriptionFields(TPcbPad& p) {
    return {MODEL_FIELD(p, Flags),       MODEL_FIELD(p, Tag),        MODEL_FIELD(p, Layer),
            MODEL_FIELD(p, Net),         MODEL_FIELD(p, ObjectFlag), MODEL_FIELD(p, OwnerHandle),
            MODEL_FIELD(p, X),           MODEL_FIELD(p, Y),          MODEL_FIELD(p, TopXSize),
            MODEL_FIELD(p, TopYSize),    MODEL_FIELD(p, MidXSize),   MODEL_FIELD(p, MidYSize),
            MODEL_FIELD(p, BotXSize),    MODEL_FIELD(p, BotYSize),   MODEL_FIELD(p, HoleSize),
            MODEL_FIELD(p, TopShape),    MODEL_FIELD(p, MidShape),   MODEL_FIELD(p, BotShape),
            MODEL_FIELD(p, Name),        MODEL_FIELD(p, PadByte1),   MODEL_FIELD(p, PadByte2),
            MODEL_FIELD(p, Rotation),    MODEL_FIELD(p, PadBlock1),  MODEL_FIELD(p, PadBlock2),
            MODEL_FIELD(p, PadValue1),   MODEL_FIELD(p, PadBlock3),  MODEL_FIELD(p, PadByte3),
            MODEL_FIELD(p, PadByte4),    MODEL_FIELD(p, PadValue2),  MODEL_FIELD(p, PadWide1),
            MODEL_FIELD(p, PadValue3),   MODEL_FIELD(p, PadValue4),  MODEL_FIELD(p, PadValue5),
            MODEL_FIELD(p, PadViaFlag1), MODEL_FIELD(p, PadViaFlag2)};
}

/// (layer, value) of every PcbApi_SetCRPctOnLayer call.
std::vector<std::tuple<int, int>> PercentageCalls() {
    std::vector<std::tuple<int, int>> sent;
    for (const auto& call : recording::CallsTo("PcbApi_SetCRPctOnLayer")) {
        sent.emplace_back(static_cast<int>(call.Value(1)), static_cast<int>(call.Value(2)));
    }
    return sent;
}

TEST_F(PcbPadTest, DescriptionExchangePassesThirtySevenArgumentsInTheHostsOrder) {
    Placed<TPcbPad> pad(PadHandle);
    EXPECT_EQ(pad->ObjectId, 2);
    const testing::Bytes before = pad.Snapshot();
    recording::SetHandler("PcbApi_QueryPad", testing::Filling(0x30));
    EXPECT_EQ(pad->Exchange(ExchangeRead), 0);

    const recording::Call call = recording::CallsTo("PcbApi_QueryPad").at(0);
    EXPECT_EQ(call.Value(0), ExchangeRead);
    EXPECT_EQ(call.Value(1), PadHandle);
    const Fields fields = DescriptionFields(*pad);
    testing::ExpectFieldPointers(call, 2, fields);
    testing::ExpectFilledInOrder(fields, 0x30);
    // The silent stack calls leave every other field, the per-layer stack included, as it was.
    pad.ExpectUnchangedOutside(before, fields);
}

TEST_F(PcbPadTest, NewPadStartsWithAnEmptyStackOverWhateverTheMemoryHeld) {
    Placed<TPcbPad> pad(PadHandle); // built over memory filled with 0xA5
    EXPECT_TRUE(recording::Calls().empty());
    for (std::size_t layer = 0; layer < TPcbPad::StackLayers; ++layer) {
        EXPECT_EQ(pad->LayerXSize[layer], 0) << layer;
        EXPECT_EQ(pad->LayerYSize[layer], 0) << layer;
        EXPECT_EQ(pad->LayerShape[layer], 0) << layer;
        EXPECT_EQ(pad->LayerCornerRadius[layer], 0) << layer;
        EXPECT_EQ(pad->LayerCRPercent[layer], 0) << layer;
    }
    EXPECT_EQ(pad->StackMode, 0);
    EXPECT_EQ(pad->TopCRPercent, 0);
}

TEST_F(PcbPadTest, ReadRefreshesTheWholeStackInThreeHundredThirtySixCalls) {
    TPcbPad pad(PadHandle);
    recording::SetDefaultHandler([](const recording::Call& call) {
        const auto layer = static_cast<std::int32_t>(call.Value(1));
        if (call.Name == "PcbApi_QueryPadOrViaShapeOnLayer") {
            *call.Ptr<std::uint8_t>(2) = static_cast<std::uint8_t>(layer + 100);
        } else if (call.Name == "PcbApi_QueryPadOrViaSizeOnLayer") {
            *call.Ptr<std::int32_t>(2) = layer * 1000;
            *call.Ptr<std::int32_t>(3) = layer * 2000;
        } else if (call.Name == "PcbApi_QueryPadCornerRadiusOnLayer") {
            *call.Ptr<std::int32_t>(2) = layer * 7;
        } else if (call.Name == "PcbApi_QueryPadCRPercentageOnLayer") {
            *call.Ptr<std::uint8_t>(2) = static_cast<std::uint8_t>(layer);
        }
        return 0;
    });
    pad.Exchange(ExchangeRead);

    const auto names = testing::RecordedNames();
    ASSERT_EQ(names.size(), 336u);
    EXPECT_EQ(names[2], "PcbApi_QueryPad");
    EXPECT_EQ(names[3], "PcbApi_QueryPadStackMode");
    const auto& calls = recording::Calls();
    for (int layer = 0; layer <= 82; ++layer) {
        const std::size_t first = 4 + 4 * static_cast<std::size_t>(layer);
        EXPECT_EQ(names[first], "PcbApi_QueryPadOrViaShapeOnLayer");
        EXPECT_EQ(names[first + 1], "PcbApi_QueryPadOrViaSizeOnLayer");
        EXPECT_EQ(names[first + 2], "PcbApi_QueryPadCornerRadiusOnLayer");
        EXPECT_EQ(names[first + 3], "PcbApi_QueryPadCRPercentageOnLayer");
        EXPECT_EQ(calls[first].Address(2), &pad.LayerShape[layer]);
        EXPECT_EQ(calls[first + 1].Address(2), &pad.LayerXSize[layer]);
        EXPECT_EQ(calls[first + 1].Address(3), &pad.LayerYSize[layer]);
        EXPECT_EQ(calls[first + 2].Address(2), &pad.LayerCornerRadius[layer]);
        EXPECT_EQ(calls[first + 3].Address(2), &pad.LayerCRPercent[layer]);
        for (std::size_t i = first; i < first + 4; ++i) {
            EXPECT_EQ(calls[i].Value(0), PadHandle);
            EXPECT_EQ(calls[i].Value(1), static_cast<std::uint64_t>(layer));
        }
    }
    EXPECT_EQ(pad.ShapeOnLayer(5), 105);
    EXPECT_EQ(pad.XSizeOnLayer(82), 82000);
    EXPECT_EQ(pad.YSizeOnLayer(82), 164000);
    EXPECT_EQ(pad.CornerRadiusOnLayer(40), 280);
}

TEST_F(PcbPadTest, ReadCopiesTheTopLastMidAndBottomPercentages) {
    TPcbPad pad(PadHandle);
    recording::SetHandler("PcbApi_QueryPadCRPercentageOnLayer", [](const recording::Call& call) {
        const auto layer = call.Value(1);
        const int percent = layer == 1    ? 40
                            : layer <= 30 ? 10
                            : layer == 31 ? 25
                            : layer == 32 ? 60
                                          : 99;
        *call.Ptr<std::uint8_t>(2) = static_cast<std::uint8_t>(percent);
        return 0;
    });
    pad.Exchange(ExchangeRead);
    EXPECT_EQ(pad.TopCRPercent, 40);
    EXPECT_EQ(pad.MidCRPercent, 25);
    EXPECT_EQ(pad.BotCRPercent, 60);
}

TEST_F(PcbPadTest, NonZeroDescriptionStatusEndsTheExchange) {
    TPcbPad pad(PadHandle);
    recording::SetHandler("PcbApi_QueryPad", [](const recording::Call&) { return 4; });
    EXPECT_EQ(pad.Exchange(ExchangeRead), 4);
    EXPECT_EQ(pad.Exchange(ExchangeWrite), 4);
    EXPECT_EQ(recording::Calls().size(), 6u);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryPadStackMode"), 0u);
}

TEST_F(PcbPadTest, WriteInStackModeTwoSendsTheWholeStack) {
    TPcbPad pad(PadHandle);
    pad.StackMode = TPcbPad::PerLayerStackMode;
    for (int layer = 0; layer <= 82; ++layer) {
        pad.LayerShape[layer] = static_cast<std::uint8_t>(layer % 10);
        pad.LayerXSize[layer] = -layer;
        pad.LayerYSize[layer] = layer * 3;
        pad.LayerCRPercent[layer] = static_cast<std::uint8_t>(layer + 1);
    }
    std::uint8_t modeSeen = 0;
    recording::SetHandler("PcbApi_QueryPadStackMode", [&modeSeen](const recording::Call& call) {
        EXPECT_EQ(call.Value(0), ExchangeWrite);
        modeSeen = *call.Ptr<std::uint8_t>(2);
        return 0;
    });
    EXPECT_EQ(pad.Exchange(ExchangeWrite), 0);
    EXPECT_EQ(modeSeen, 2);

    const auto& calls = recording::Calls();
    ASSERT_EQ(calls.size(), 253u);
    for (int layer = 0; layer <= 82; ++layer) {
        const std::size_t first = 4 + 3 * static_cast<std::size_t>(layer);
        ASSERT_EQ(calls[first].Name, "PcbApi_SetPadShapeOnLayer");
        ASSERT_EQ(calls[first + 1].Name, "PcbApi_SetPadSizeOnLayer");
        ASSERT_EQ(calls[first + 2].Name, "PcbApi_SetCRPctOnLayer");
        EXPECT_EQ(calls[first].Value(1), static_cast<std::uint64_t>(layer));
        EXPECT_EQ(calls[first].Value(2), static_cast<std::uint64_t>(layer % 10));
        EXPECT_EQ(static_cast<std::int32_t>(calls[first + 1].Value(2)), -layer);
        EXPECT_EQ(static_cast<std::int32_t>(calls[first + 1].Value(3)), layer * 3);
        EXPECT_EQ(calls[first + 2].Value(2), static_cast<std::uint64_t>(layer + 1));
    }
}

TEST_F(PcbPadTest, WriteOutsideStackModeTwoResendsPercentagesOnlyForShapeNineLayers) {
    TPcbPad pad(PadHandle);
    pad.StackMode = 1;
    pad.Exchange(ExchangeWrite);
    EXPECT_EQ(recording::Calls().size(), 4u) << "no per-layer call without a shape-9 layer";

    recording::Reset();
    pad.TopCRPercent = 40;
    pad.MidCRPercent = 25;
    pad.BotCRPercent = 60;
    pad.LayerShape[1] = pad.LayerShape[17] = pad.LayerShape[82] = TPcbPad::CornerRadiusShape;
    pad.LayerCRPercent.fill(77); // the per-layer values are not what is sent
    pad.Exchange(ExchangeWrite);
    const std::tuple<int, int> top{1, 40}, bottom{32, 60}, mid{2, 25};
    EXPECT_EQ(PercentageCalls(), (std::vector<std::tuple<int, int>>{top, bottom, mid, top, bottom,
                                                                    mid, top, bottom, mid}));
    EXPECT_EQ(recording::Calls().size(), 4u + 9u);
}

// Every mode but 1 reaches the host as given and sends the stack as a write does.
TEST_F(PcbPadTest, ModesOtherThanReadAndWriteTakeTheWriteRoadWithTheirOwnMode) {
    for (const std::uint8_t mode : {std::uint8_t{2}, std::uint8_t{7}, std::uint8_t{255}}) {
        SCOPED_TRACE(static_cast<int>(mode));
        recording::Reset();
        TPcbPad pad(PadHandle);
        pad.StackMode = TPcbPad::PerLayerStackMode;
        EXPECT_EQ(pad.Exchange(mode), 0);
        ASSERT_EQ(recording::Calls().size(), 253u) << "the stack written, not read";
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(recording::Calls()[i].Value(0), mode) << recording::Calls()[i].Name;
        }
        EXPECT_EQ(recording::CountOf("PcbApi_QueryPadOrViaShapeOnLayer"), 0u);
        EXPECT_EQ(recording::CountOf("PcbApi_SetPadShapeOnLayer"), 83u);
    }
}

TEST_F(PcbPadTest, CarriedValuesAndTheStackSurviveAReadFollowedByAWrite) {
    TPcbPad pad(PadHandle);
    testing::Bytes readPad;
    testing::Bytes writtenPad;
    recording::SetDefaultHandler([&](const recording::Call& call) -> std::int64_t {
        if (call.Name == "PcbApi_QueryPadStackMode") {
            *call.Ptr<std::uint8_t>(2) = TPcbPad::PerLayerStackMode;
        } else if (call.Name == "PcbApi_QueryPad") {
            if (call.Value(0) == ExchangeRead) {
                recording::FillPointees(call, 0x11);
            }
            auto& target = call.Value(0) == ExchangeRead ? readPad : writtenPad;
            for (const auto& bytes : testing::PointeeBytes(call)) {
                target.insert(target.end(), bytes.begin(), bytes.end());
            }
        } else if (call.Name.find("Query") != std::string::npos) {
            recording::FillPointees(call, static_cast<std::uint8_t>(call.Value(1) + 1));
        }
        return 0;
    });
    pad.Exchange(ExchangeRead);
    recording::Reset();
    recording::SetHandler("PcbApi_QueryPad", [&](const recording::Call& call) {
        for (const auto& bytes : testing::PointeeBytes(call)) {
            writtenPad.insert(writtenPad.end(), bytes.begin(), bytes.end());
        }
        return 0;
    });
    pad.Exchange(ExchangeWrite);
    EXPECT_EQ(writtenPad, readPad);
    const auto sizes = recording::CallsTo("PcbApi_SetPadSizeOnLayer");
    ASSERT_EQ(sizes.size(), 83u);
    EXPECT_EQ(sizes[7].Value(2), static_cast<std::uint32_t>(pad.LayerXSize[7]));
    EXPECT_EQ(static_cast<std::int32_t>(sizes[7].Value(2)), 0x0B0A0908);
}

TEST_F(PcbPadTest, NameHoldsAtMostTwentyCharacters) {
    TPcbPad pad(1);
    pad.SetName(String255("PIN_NAME_LONGER_THAN_TWENTY"));
    EXPECT_EQ(pad.Name, "PIN_NAME_LONGER_THAN");
    String255 out;
    pad.GetName(out);
    EXPECT_EQ(out, "PIN_NAME_LONGER_THAN");
}

TEST_F(PcbPadTest, PerLayerQueriesIgnoreThePadsLayerAndAnswerZeroBeyondTheStack) {
    TPcbPad pad(1);
    pad.SetLayer(layer::TopLayer);
    pad.LayerXSize[40] = 600000;
    pad.LayerYSize[40] = 400000;
    pad.LayerShape[40] = 2;
    pad.LayerCornerRadius[40] = 50;
    EXPECT_EQ(pad.WidthOnLayer(40), 400000);
    EXPECT_EQ(pad.ShapeOnLayer(40), 2);
    EXPECT_EQ(pad.CornerRadiusOnLayer(40), 50);
    EXPECT_EQ(pad.SizeOnLayer(layer::TopLayer), 0) << "the pad has no single size";
    for (const TLayer beyond : {TLayer{83}, TLayer{255}}) {
        EXPECT_EQ(pad.XSizeOnLayer(beyond), 0);
        EXPECT_EQ(pad.WidthOnLayer(beyond), 0);
        EXPECT_EQ(pad.CornerRadiusOnLayer(beyond), 0);
        EXPECT_EQ(pad.CornerX1OnLayer(beyond, 5), 0);
        EXPECT_EQ(pad.Y2OnLayer(beyond), 0);
    }
}

TEST_F(PcbPadTest, CentreLineRunsAlongTheLongerAxis) {
    TPcbPad pad(1);
    pad.X = 1000;
    pad.Y = 2000;
    const auto ends = [&pad](TLayer l) {
        return std::vector<std::int32_t>{pad.XOnLayer(l), pad.YOnLayer(l), pad.X2OnLayer(l),
                                         pad.Y2OnLayer(l)};
    };
    pad.LayerXSize[1] = pad.LayerYSize[1] = 301; // halves equal: the centre
    EXPECT_EQ(ends(1), (std::vector<std::int32_t>{1000, 2000, 1000, 2000}));
    pad.LayerXSize[2] = 200; // tall
    pad.LayerYSize[2] = 600;
    EXPECT_EQ(ends(2), (std::vector<std::int32_t>{1000, 2200, 1000, 1800}));
    pad.LayerXSize[3] = 601; // wide: halves truncate to 300 and 100
    pad.LayerYSize[3] = 201;
    EXPECT_EQ(ends(3), (std::vector<std::int32_t>{800, 2000, 1200, 2000}));
    pad.Rotation = 90.0;
    EXPECT_EQ(ends(3), (std::vector<std::int32_t>{1000, 1800, 1000, 2200}));
}

TEST_F(PcbPadTest, CornersOnALayerFollowItsSizesAndTheRotation) {
    TPcbPad pad(1);
    pad.X = 1000;
    pad.Y = 2000;
    pad.LayerXSize[32] = 200;
    pad.LayerYSize[32] = 100;
    const auto corners = [&pad](TLayer l, std::int32_t m) {
        return std::vector<std::int32_t>{pad.CornerX1OnLayer(l, m), pad.CornerY1OnLayer(l, m),
                                         pad.CornerX2OnLayer(l, m), pad.CornerY2OnLayer(l, m),
                                         pad.CornerX3OnLayer(l, m), pad.CornerY3OnLayer(l, m),
                                         pad.CornerX4OnLayer(l, m), pad.CornerY4OnLayer(l, m)};
    };
    EXPECT_EQ(corners(32, 0),
              (std::vector<std::int32_t>{900, 1950, 1100, 1950, 900, 2050, 1100, 2050}));
    EXPECT_EQ(corners(32, 10),
              (std::vector<std::int32_t>{890, 1940, 1110, 1940, 890, 2060, 1110, 2060}));
    // A flat shape (B = 0) has its corners on its long axis instead of dividing by zero.
    pad.LayerXSize[5] = 100;
    EXPECT_EQ(corners(5, 0),
              (std::vector<std::int32_t>{950, 2000, 1050, 2000, 950, 2000, 1050, 2000}));
    pad.Rotation = 90.0;
    EXPECT_EQ(corners(5, 0),
              (std::vector<std::int32_t>{1000, 1950, 1000, 2050, 1000, 1950, 1000, 2050}));
    EXPECT_EQ(corners(6, 0),
              std::vector<std::int32_t>({1000, 2000, 1000, 2000, 1000, 2000, 1000, 2000}));
}

} // namespace
} // namespace corvane
