// A server module that lacks entries the plug-in calls (this build of the recording server hides
// PcbApi_QueryPadCornerRadiusOnLayer and PcbApi_QueryComponentKind). A missing entry is never
// called and gives its fixed unbound result; every other call is made as usual, in its order.

#include "RecordingServer.h"
#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbPad.h"
#include "serverclient/EntryTable.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr HostHandle PadHandle = 0xA11;

class LackingEntry : public ::testing::Test {
protected:
    void SetUp() override {
        recording::Reset();
        pcbapi::ServerEntries().Reset();
    }
};

TEST_F(LackingEntry, PadReadMakesTheOtherPerLayerCallsAndKeepsTheMissingAnswers) {
    TPcbPad pad(PadHandle);
    pad.LayerCornerRadius.fill(-5);
    recording::SetDefaultHandler([](const recording::Call& call) {
        if (call.Name == "PcbApi_QueryPadOrViaShapeOnLayer") {
            *call.Ptr<std::uint8_t>(2) = static_cast<std::uint8_t>(call.Value(1) + 1);
        } else if (call.Name == "PcbApi_QueryPadCRPercentageOnLayer") {
            *call.Ptr<std::uint8_t>(2) = 33;
        }
        return 0;
    });
    EXPECT_EQ(pad.Exchange(ExchangeRead), 0);

    const std::vector<std::string> names = testing::RecordedNames();
    ASSERT_EQ(names.size(), 336u - 83u);
    EXPECT_EQ(names[2], "PcbApi_QueryPad");
    EXPECT_EQ(names[3], "PcbApi_QueryPadStackMode");
    for (std::size_t layer = 0; layer <= 82; ++layer) {
        const std::size_t first = 4 + 3 * layer;
        EXPECT_EQ(names[first], "PcbApi_QueryPadOrViaShapeOnLayer");
        EXPECT_EQ(names[first + 1], "PcbApi_QueryPadOrViaSizeOnLayer");
        EXPECT_EQ(names[first + 2], "PcbApi_QueryPadCRPercentageOnLayer");
        EXPECT_EQ(recording::Calls()[first].Value(1), layer);
        EXPECT_EQ(pad.LayerCornerRadius[layer], -5) << "layer " << layer;
        EXPECT_EQ(static_cast<std::size_t>(pad.LayerShape[layer]), layer + 1);
        EXPECT_EQ(pad.LayerCRPercent[layer], 33);
    }
    EXPECT_EQ(pad.TopCRPercent, 33);
}

TEST_F(LackingEntry, TheMissingEntryIsLookedForAgainOnlyWhileTheServerIsMissing) {
    // Once the server is found, a missing entry stays missing: reads after the first make the
    // same calls, and the table is not bound again.
    TPcbPad pad(PadHandle);
    pad.Exchange(ExchangeRead);
    const std::size_t first = recording::Calls().size();
    pad.Exchange(ExchangeRead);
    EXPECT_EQ(recording::Calls().size(), 2 * first);
    EXPECT_TRUE(pcbapi::ServerEntries().ServerFound());
    EXPECT_EQ(recording::CountOf("PcbApi_QueryPadCornerRadiusOnLayer"), 0u);
}

TEST_F(LackingEntry, ComponentKindKeepsItsValueWhenTheServerLacksTheEntry) {
    TPcbComponent component(0xC01);
    component.ComponentKind = 7;
    // Every entry that is called fills what it is given: only a missing one leaves a field alone.
    recording::SetDefaultHandler([](const recording::Call& call) {
        recording::FillPointees(call, 0x40);
        return 0;
    });
    component.Exchange(ExchangeRead);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponentKind"), 0u);
    EXPECT_EQ(component.ComponentKind, 7);
    EXPECT_GT(recording::Calls().size(), 0u);
}

} // namespace
} // namespace corvane
