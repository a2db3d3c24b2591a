// The board model against the substitute server: a read followed by a write that changes nothing
// leaves the server's board as it was, and a plane net name set in the model reaches the server.

#include "contract/HalvexHost.h"
#include "pcbmodel/PcbBoard.h"
#include "serverclient/EntryTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace corvane {
namespace {

class BoardRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        Halvex_CloseAllBoards();
        pcbapi::ServerEntries().Reset();
        handle = Halvex_OpenBoard("/tmp/roundtrip/Board.PCB");
        ASSERT_NE(handle, 0u);
    }
    void TearDown() override { Halvex_CloseAllBoards(); }

    HostHandle handle = 0;
};

/// Every carried field of two boards, compared one by one with its name.
void ExpectSameBoards(const TPcbBoard& a, const TPcbBoard& b) {
    EXPECT_EQ(a.BoardValue1, b.BoardValue1);
    EXPECT_EQ(a.BoardText, b.BoardText.View());
    EXPECT_EQ(a.CurrentLayer, b.CurrentLayer);
    EXPECT_EQ(a.SplitPlaneMode, b.SplitPlaneMode);
    EXPECT_EQ(a.LayerInfo, b.LayerInfo);
    EXPECT_EQ(a.Grid7, b.Grid7);
    EXPECT_EQ(a.Grid13, b.Grid13);
    EXPECT_EQ(a.OutputOptions, b.OutputOptions);
    EXPECT_EQ(0, std::memcmp(&a.OutputReserved, &b.OutputReserved, sizeof a.OutputReserved));
    EXPECT_EQ(a.PlotLayers, b.PlotLayers);
    EXPECT_EQ(a.FlipLayers, b.FlipLayers);
    EXPECT_EQ(a.GerberText, b.GerberText.View());
    EXPECT_EQ(a.PrinterText1, b.PrinterText1.View());
    EXPECT_EQ(0, std::memcmp(&a.PrinterReserved, &b.PrinterReserved, sizeof a.PrinterReserved));
    EXPECT_EQ(a.CompositeA, b.CompositeA);
    EXPECT_EQ(a.CompositeC, b.CompositeC);
    EXPECT_EQ(a.PlacerText1, b.PlacerText1.View());
    EXPECT_EQ(a.ChangeOrderText, b.ChangeOrderText.View());
    EXPECT_EQ(a.Dielectric1.Material, b.Dielectric1.Material.View());
    EXPECT_EQ(a.Dielectric2.Height, b.Dielectric2.Height);
    for (int layer = 1; layer <= 82; ++layer) {
        SCOPED_TRACE(layer);
        const TLayerObject& x = *a.Layers[layer];
        const TLayerObject& y = *b.Layers[layer];
        EXPECT_EQ(x.LayerName, y.LayerName.View());
        EXPECT_EQ(x.CopperThickness, y.CopperThickness);
        EXPECT_EQ(x.PrevLayer, y.PrevLayer);
        EXPECT_EQ(x.NextLayer, y.NextLayer);
        EXPECT_EQ(x.DielectricMaterial, y.DielectricMaterial.View());
        EXPECT_EQ(x.DielectricConstant, y.DielectricConstant);
        EXPECT_EQ(x.DielectricHeight, y.DielectricHeight);
        if (const TInternalPlane* plane = a.Layers.InternalPlane(layer)) {
            EXPECT_EQ(plane->PlaneNetName, b.Layers.InternalPlane(layer)->PlaneNetName.View());
        }
    }
    ASSERT_EQ(a.LayerPairs.size(), b.LayerPairs.size());
    for (std::size_t i = 0; i < a.LayerPairs.size(); ++i) {
        EXPECT_EQ(a.LayerPairs[i].PairName, b.LayerPairs[i].PairName.View());
        EXPECT_EQ(a.LayerPairs[i].FirstLayer, b.LayerPairs[i].FirstLayer);
        EXPECT_EQ(a.LayerPairs[i].SecondLayer, b.LayerPairs[i].SecondLayer);
    }
}

TEST_F(BoardRoundTrip, AReadFollowedByAnUnchangedWriteLeavesTheBoardAsItWas) {
    TPcbBoard first(handle);
    first.Exchange(ExchangeRead);
    EXPECT_EQ(first.Layers[1]->LayerName, "TopLayer");
    EXPECT_EQ(first.Layers[1]->NextLayer, 39);
    first.Exchange(ExchangeWrite);
    TPcbBoard second(handle);
    second.Exchange(ExchangeRead);
    ExpectSameBoards(first, second);
    for (const auto& pair : second.LayerPairs) {
        std::printf("pair %s\n", pair.PairName.Str().c_str());
    }
}

TEST_F(BoardRoundTrip, APlaneNetNameSetInTheModelReachesTheServerOnWrite) {
    TPcbBoard board(handle);
    board.Exchange(ExchangeRead);
    board.SetPlaneNetName2(String255("GND"));
    board.Exchange(ExchangeWrite);
    TPcbBoard again(handle);
    again.Exchange(ExchangeRead);
    EXPECT_EQ(again.Layers.InternalPlane(40)->PlaneNetName, "GND");
    EXPECT_EQ(again.Layers.InternalPlane(39)->PlaneNetName, "(No Net)");
}

} // namespace
} // namespace corvane
