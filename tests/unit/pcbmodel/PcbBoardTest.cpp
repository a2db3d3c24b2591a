// The board model against the recording server: a new board's stack and defaults, the plane net
// names, the stack walk, layer pairs and their names, and the order, arguments and fields of
// every call of the board's exchange.

#include "pcbmodel/PcbBoard.h"
#include "RecordingServer.h"
#include "pcbmodel/LayerObject.h"
#include "pcbmodel/LayerPair.h"
#include "serverclient/LayerNumbering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr HostHandle BoardHandle = 4242;

using Addresses = std::vector<const void*>;

Addresses PointerArgs(const recording::Call& call) {
    Addresses found;
    for (std::size_t i = 0; i < call.Args.size(); ++i) {
        if (call.Args[i].IsPointer) {
            found.push_back(call.Address(i));
        }
    }
    return found;
}

std::vector<std::string> CallNames() {
    std::vector<std::string> names;
    for (const auto& call : recording::Calls()) {
        names.push_back(call.Name);
    }
    return names;
}

/// The entry points of one board exchange, in order, for a given number of layer pairs.
std::vector<std::string> ExpectedExchangeSequence(std::size_t pairs) {
    std::vector<std::string> names{"PcbApi_QueryBoard"};
    const auto repeat = [&names](const char* name, int times) {
        names.insert(names.end(), static_cast<std::size_t>(times), name);
    };
    repeat("PcbApi_QueryBoardLayerInfo", 82);
    for (int layer = 1; layer <= 82; ++layer) {
        const bool plane = layer >= 39 && layer <= 54;
        names.push_back(plane ? "PcbApi_QueryInternalPlane" : "PcbApi_QueryLayer");
        names.push_back("PcbApi_QueryLayerDielectric");
    }
    names.push_back("PcbApi_QueryBoardSplitPlaneMode");
    names.push_back("PcbApi_QueryBoardGridsEx");
    names.push_back("PcbApi_QueryBoardOutputOptions");
    repeat("PcbApi_QueryBoardOutputOptionsPlotLayers", 109);
    repeat("PcbApi_QueryBoardOutputOptionsFlipLayers", 109);
    names.push_back("PcbApi_QueryBoardGerberOptions");
    names.push_back("PcbApi_QueryBoardPrinterOptions");
    repeat("PcbApi_QueryBoardPrinterOptionsPlotterPen", 8);
    repeat("PcbApi_QueryBoardPrinterOptionsCompositeLayer", 82);
    names.push_back("PcbApi_QueryBoardAdvancedPlacerOptions");
    names.push_back("PcbApi_QueryBoardEngineeringChangeOrderOptions");
    names.push_back("PcbApi_QueryBoardLayerPairsCount");
    repeat("PcbApi_QueryBoardLayerPairAt", static_cast<int>(pairs));
    names.push_back("PcbApi_QueryBoardExternalDielectrics");
    return names;
}

/// A host whose pair list the test scripts: count, result of the count call, and the pairs.
struct ScriptedPair {
    TLayerId First;
    TLayerId Second;
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
};

void ScriptPairs(std::int32_t countResult, std::int32_t count, std::vector<ScriptedPair> pairs) {
    recording::SetHandler("PcbApi_QueryBoardLayerPairsCount",
                          [countResult, count](const recording::Call& call) -> std::int64_t {
                              if (call.Value(2) == ExchangeRead) {
                                  *call.Ptr<std::int32_t>(1) = count;
                              }
                              return countResult;
                          });
    recording::SetHandler("PcbApi_QueryBoardLayerPairAt",
                          [pairs](const recording::Call& call) -> std::int64_t {
                              const auto index = static_cast<std::size_t>(call.Value(2));
                              if (call.Value(0) == ExchangeRead && index < pairs.size()) {
                                  *call.Ptr<TLayerId>(3) = pairs[index].First;
                                  *call.Ptr<TLayerId>(4) = pairs[index].Second;
                                  *call.Ptr<std::uint8_t>(5) = pairs[index].Option1;
                                  *call.Ptr<std::uint8_t>(6) = pairs[index].Option2;
                              }
                              return 0;
                          });
}

/// A host whose layer stack links the given layers top to bottom.
void ScriptStack(std::vector<TLayer> stack) {
    std::map<TLayer, std::pair<TLayer, TLayer>> links;
    for (std::size_t i = 0; i < stack.size(); ++i) {
        links[stack[i]] = {i > 0 ? stack[i - 1] : TLayer{0},
                           i + 1 < stack.size() ? stack[i + 1] : TLayer{0}};
    }
    const auto answer = [links](const recording::Call& call) -> std::int64_t {
        const auto found = links.find(static_cast<TLayer>(call.Value(1)));
        if (call.Value(0) == ExchangeRead && found != links.end()) {
            *call.Ptr<TLayer>(7) = found->second.first;
            *call.Ptr<TLayer>(8) = found->second.second;
        }
        return 0;
    };
    recording::SetHandler("PcbApi_QueryLayer", answer);
    recording::SetHandler("PcbApi_QueryInternalPlane", answer);
}

class PcbBoardTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }

    std::unique_ptr<TPcbBoard> board = std::make_unique<TPcbBoard>(BoardHandle);
};

// --- A new board ------------------------------------------------------------------------------

TEST_F(PcbBoardTest, NewBoardHasEightyTwoLayersWithTheDefaultStackAndCallsNoHost) {
    for (int layer = 1; layer <= 82; ++layer) {
        SCOPED_TRACE(layer);
        const TLayerObject* object = board->Layers[layer];
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->LayerNumber, layer);
        EXPECT_EQ(object->BoardHandle, BoardHandle);
        EXPECT_EQ(object->LayerName.View(), LayerNames[layer].View());
        EXPECT_EQ(object->CopperThickness, 14000);
        EXPECT_EQ(object->DielectricMaterial, "FR-4");
        EXPECT_EQ(object->DielectricType, 1);
        EXPECT_EQ(object->DielectricConstant, 4.8);
        EXPECT_EQ(object->DielectricHeight, 126000);
        EXPECT_EQ(object->LayerOption1 | object->LayerOption2 | object->LayerOption3, 0);
        EXPECT_EQ(object->PrevLayer, 0);
        EXPECT_EQ(object->NextLayer, 0);
        const bool plane = layer >= 39 && layer <= 54;
        EXPECT_EQ(board->Layers.InternalPlane(layer) != nullptr, plane);
        EXPECT_EQ(dynamic_cast<const TInternalPlane*>(object) != nullptr, plane);
        if (plane) {
            EXPECT_EQ(board->Layers.InternalPlane(layer)->PlaneNetName, "(No Net)");
            EXPECT_EQ(object->LayerName, "InternalPlane" + std::to_string(layer - 38));
        }
    }
    EXPECT_EQ(board->Layers[1]->LayerName, "TopLayer");
    EXPECT_EQ(board->Layers[32]->LayerName, "BottomLayer");
    for (const TDielectricRecord* external : {&board->Dielectric1, &board->Dielectric2}) {
        EXPECT_EQ(external->Material, "FR-4");
        EXPECT_EQ(external->Type, 1);
        EXPECT_EQ(external->Constant, 4.8);
        EXPECT_EQ(external->Height, 126000);
    }
    EXPECT_EQ(board->SplitPlaneMode, 1);
    EXPECT_EQ(board->CurrentLayer, 0);
    EXPECT_TRUE(board->LayerPairs.empty());
    EXPECT_EQ(board->BoardHandle, BoardHandle);
    board.reset();
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(PcbBoardTest, LayerAccessOutsideOneToEightyTwoYieldsNoObject) {
    for (int layer : {0, 83, 255, 256, -1, std::numeric_limits<int>::max()}) {
        EXPECT_EQ(board->Layers[layer], nullptr) << layer;
        EXPECT_EQ(board->Layers.InternalPlane(layer), nullptr) << layer;
    }
    EXPECT_EQ(board->Layers.InternalPlane(38), nullptr);
    EXPECT_EQ(board->Layers.InternalPlane(55), nullptr);
}

TEST(PcbLayerPair, NewPairIsEmptyAndAccessorsConvertBetweenNumberAndIdentifier) {
    TPcblayerPair pair;
    EXPECT_TRUE(pair.PairName.Empty());
    EXPECT_EQ(pair.FirstLayer, 0u);
    EXPECT_EQ(pair.SecondLayer, 0u);
    EXPECT_EQ(pair.PairOption1 | pair.PairOption2, 0);
    pair.SetFirstLayer(32);
    pair.SetSecondLayer(40);
    EXPECT_EQ(pair.FirstLayer, LayerToLayerId(32));
    EXPECT_EQ(pair.SecondLayer, InternalPlaneLayer(2));
    EXPECT_EQ(pair.GetFirstLayer(), 32);
    EXPECT_EQ(pair.GetSecondLayer(), 40);
    pair.SecondLayer = MidLayer(200); // beyond the classic mid layers: folds onto the last one
    EXPECT_EQ(pair.GetSecondLayer(), 31);
}

// --- Plane net names ---------------------------------------------------------------------------

TEST_F(PcbBoardTest, EachPlaneNetSetterNamesOnlyItsPlaneAndReachesTheHostOnlyOnWrite) {
    using Setter = void (TPcbBoard::*)(const String255&);
    const std::vector<std::pair<Setter, int>> setters{{&TPcbBoard::SetPlaneNetName1, 39},
                                                      {&TPcbBoard::SetPlaneNetName2, 40},
                                                      {&TPcbBoard::SetPlaneNetName3, 41},
                                                      {&TPcbBoard::SetPlaneNetName4, 42}};
    for (const auto& [setter, named] : setters) {
        SCOPED_TRACE(named);
        TPcbBoard fresh(BoardHandle);
        (fresh.*setter)(String255("GND"));
        for (int layer = 39; layer <= 54; ++layer) {
            EXPECT_EQ(fresh.Layers.InternalPlane(layer)->PlaneNetName,
                      layer == named ? "GND" : "(No Net)")
                << layer;
        }
    }
    board->SetPlaneNetName3(String255("VCC"));
    EXPECT_TRUE(recording::Calls().empty());

    std::map<int, std::string> sent;
    recording::SetHandler("PcbApi_QueryInternalPlane", [&sent](const recording::Call& call) {
        sent[static_cast<int>(call.Value(1))] = call.Ptr<String255>(9)->Str();
        return std::int64_t{0};
    });
    board->Exchange(ExchangeWrite);
    ASSERT_EQ(sent.size(), 16u);
    for (const auto& [layer, name] : sent) {
        EXPECT_EQ(name, layer == 41 ? "VCC" : "(No Net)") << layer;
    }
}

// --- The stack walk -----------------------------------------------------------------------------

void Link(TPcbBoard& board, std::vector<TLayer> stack) {
    for (std::size_t i = 0; i < stack.size(); ++i) {
        board.Layers[stack[i]]->PrevLayer = i > 0 ? stack[i - 1] : TLayer{0};
        board.Layers[stack[i]]->NextLayer = i + 1 < stack.size() ? stack[i + 1] : TLayer{0};
    }
}

TEST_F(PcbBoardTest, StackPositionCountsElectricalLayersAlongTheChain) {
    Link(*board, {1, 33, 39, 32});
    EXPECT_EQ(board->FirstStackLayer(), board->Layers[1]);
    EXPECT_EQ(board->NextStackLayer(board->Layers[1]), board->Layers[33]);
    EXPECT_EQ(board->NextStackLayer(board->Layers[32]), nullptr);
    EXPECT_EQ(board->NextStackLayer(nullptr), nullptr);
    const std::vector<std::pair<int, std::int32_t>> positions{
        {1, 1},           // top of the stack
        {39, 2},          // the overlay between them is not electrical and not counted
        {32, 3}, {33, 0}, // outside the set
        {74, 0},          // outside the set, not on the chain
        {2, 3},           // in the set but not on the chain: every set layer of the chain
    };
    for (const auto& [layer, position] : positions) {
        EXPECT_EQ(board->StackPosition(ElectricalLayers, board->Layers[layer]), position) << layer;
    }
    EXPECT_EQ(board->StackPosition(ElectricalLayers, nullptr), 0);
}

TEST_F(PcbBoardTest, FirstStackLayerIsTheLowestNumberWithoutPredecessor) {
    for (int layer = 1; layer <= 82; ++layer) {
        board->Layers[layer]->PrevLayer = 1;
    }
    EXPECT_EQ(board->FirstStackLayer(), nullptr);
    EXPECT_EQ(board->StackPosition(ElectricalLayers, board->Layers[1]), 0);
    board->Layers[20]->PrevLayer = 0;
    board->Layers[5]->PrevLayer = 0;
    EXPECT_EQ(board->FirstStackLayer(), board->Layers[5]);
}

TEST_F(PcbBoardTest, LoopingOrBrokenStackLinksEndTheWalk) {
    Link(*board, {1, 39, 2});
    board->Layers[2]->NextLayer = 39; // loops back
    EXPECT_EQ(board->StackPosition(ElectricalLayers, board->Layers[32]), 3);
    board->Layers[1]->NextLayer = 1; // points at itself
    EXPECT_EQ(board->StackPosition(ElectricalLayers, board->Layers[32]), 1);
    board->Layers[1]->NextLayer = 200; // no such layer
    EXPECT_EQ(board->NextStackLayer(board->Layers[1]), nullptr);
    EXPECT_EQ(board->StackPosition(ElectricalLayers, board->Layers[32]), 1);
}

// --- Layer pairs ---------------------------------------------------------------------------------

TEST_F(PcbBoardTest, PairsAreNamedHigherLayerFirstFromTheHostsStack) {
    ScriptStack({1, 39, 32});
    ScriptPairs(0, 6,
                {{LayerToLayerId(32), LayerToLayerId(1), 5, 6},
                 {LayerToLayerId(1), LayerToLayerId(32)},
                 {LayerToLayerId(33), LayerToLayerId(34)}, // a tie: the second layer first
                 {LayerToLayerId(1), LayerToLayerId(2)},   // 2 is off the chain: counts as 3
                 {0, LayerToLayerId(1)},                   // no layer: an empty name part
                 {0xFFFF0000u, LayerToLayerId(32)}});      // an identifier without a class
    board->Exchange(ExchangeRead);
    const std::vector<std::string> names{"TopLayer - BottomLayer",
                                         "TopLayer - BottomLayer",
                                         "BottomOverlay - TopOverlay",
                                         "TopLayer - MidLayer1",
                                         " - TopLayer",
                                         " - BottomLayer"};
    ASSERT_EQ(board->LayerPairs.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(board->LayerPairs[i].PairName.Str(), names[i]) << i;
    }
    EXPECT_EQ(board->LayerPairs[0].GetFirstLayer(), 32);
    EXPECT_EQ(board->LayerPairs[0].GetSecondLayer(), 1);
    EXPECT_EQ(board->LayerPairs[0].PairOption1, 5);
    EXPECT_EQ(board->LayerPairs[0].PairOption2, 6);
    EXPECT_EQ(CallNames(), ExpectedExchangeSequence(6));
    const auto counts = recording::CallsTo("PcbApi_QueryBoardLayerPairsCount");
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts[0].Value(0), BoardHandle); // handle, count, mode: in that order
    EXPECT_EQ(counts[0].Value(2), ExchangeRead);
}

TEST_F(PcbBoardTest, FailedOrNonsenseCountsLeaveNoPairsAndAbsurdCountsAreCapped) {
    struct CountCase {
        std::int32_t Result;
        std::int32_t Count;
        std::size_t Pairs;
    };
    const std::vector<CountCase> cases{
        {1, 3, 0},
        {-1, 3, 0},
        {7, 0, 0},
        {0, 0, 0},
        {0, -5, 0},
        {0, std::numeric_limits<std::int32_t>::min(), 0},
        {0, std::numeric_limits<std::int32_t>::max(), TPcbBoard::MaxLayerPairs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Result) + " " + std::to_string(c.Count));
        recording::Reset();
        ScriptPairs(0, 2, {{1, 1}, {1, 1}});
        board->Exchange(ExchangeRead);
        ASSERT_EQ(board->LayerPairs.size(), 2u);

        recording::Reset();
        ScriptPairs(c.Result, c.Count, {});
        board->Exchange(ExchangeRead);
        EXPECT_EQ(board->LayerPairs.size(), c.Pairs);
        EXPECT_EQ(recording::CountOf("PcbApi_QueryBoardLayerPairAt"), c.Pairs);
    }
}

TEST_F(PcbBoardTest, WritingSendsTheListLengthThenEveryPairAtItsIndex) {
    ScriptPairs(0, 2, {{LayerToLayerId(1), LayerToLayerId(32)}, {1, 1}});
    board->Exchange(ExchangeRead);
    ASSERT_EQ(board->LayerPairs.size(), 2u);

    recording::Reset();
    std::int32_t sentCount = -1;
    recording::SetHandler("PcbApi_QueryBoardLayerPairsCount", [&sentCount](const auto& call) {
        sentCount = *call.template Ptr<std::int32_t>(1);
        return std::int64_t{0};
    });
    board->Exchange(ExchangeWrite);
    EXPECT_EQ(sentCount, 2);
    const auto count = recording::CallsTo("PcbApi_QueryBoardLayerPairsCount");
    ASSERT_EQ(count.size(), 1u);
    EXPECT_EQ(count[0].Value(0), BoardHandle);
    EXPECT_EQ(count[0].Value(2), ExchangeWrite);
    const auto pairs = recording::CallsTo("PcbApi_QueryBoardLayerPairAt");
    ASSERT_EQ(pairs.size(), 2u);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const TPcblayerPair& pair = board->LayerPairs[i];
        EXPECT_EQ(pairs[i].Value(0), ExchangeWrite);
        EXPECT_EQ(pairs[i].Value(1), BoardHandle);
        EXPECT_EQ(pairs[i].Value(2), i);
        EXPECT_EQ(PointerArgs(pairs[i]), (Addresses{&pair.FirstLayer, &pair.SecondLayer,
                                                    &pair.PairOption1, &pair.PairOption2}));
    }
    EXPECT_EQ(board->LayerPairs.size(), 2u); // a write keeps the list
    EXPECT_EQ(CallNames(), ExpectedExchangeSequence(2));
}

TEST_F(PcbBoardTest, AWriteAfterACappedReadLeavesThePairsTheReadLeftOut) {
    const std::int32_t hostPairs = TPcbBoard::MaxLayerPairs + 904;
    ScriptPairs(0, hostPairs, {});
    board->Exchange(ExchangeRead);
    ASSERT_EQ(board->LayerPairs.size(), static_cast<std::size_t>(TPcbBoard::MaxLayerPairs));
    for (const std::uint8_t mode : {ExchangeWrite, std::uint8_t{2}}) {
        recording::Reset();
        std::int32_t sentCount = -1;
        recording::SetHandler("PcbApi_QueryBoardLayerPairsCount", [&sentCount](const auto& call) {
            sentCount = *call.template Ptr<std::int32_t>(1);
            return std::int64_t{0};
        });
        board->Exchange(mode);
        EXPECT_EQ(sentCount, hostPairs) << "the count keeps the pairs not read";
        const auto written = recording::CallsTo("PcbApi_QueryBoardLayerPairAt");
        ASSERT_EQ(written.size(), static_cast<std::size_t>(TPcbBoard::MaxLayerPairs));
        EXPECT_EQ(written.back().Value(2),
                  static_cast<std::uint64_t>(TPcbBoard::MaxLayerPairs - 1));
    }
    // A read that gets every pair leaves nothing to keep.
    recording::Reset();
    ScriptPairs(0, 3, {});
    board->Exchange(ExchangeRead);
    EXPECT_EQ(board->LayerPairsBeyondCap, 0);
}

// Every mode but 1 writes the pairs, each call carrying the mode it was given.
TEST_F(PcbBoardTest, ModesOtherThanReadAndWriteTakeTheWriteRoadWithTheirOwnMode) {
    ScriptPairs(0, 2, {{1, 1}, {1, 1}});
    board->Exchange(ExchangeRead);
    for (const std::uint8_t mode : {std::uint8_t{2}, std::uint8_t{7}, std::uint8_t{255}}) {
        SCOPED_TRACE(static_cast<int>(mode));
        recording::Reset();
        board->Exchange(mode);
        EXPECT_EQ(CallNames(), ExpectedExchangeSequence(2));
        for (const auto& call : recording::Calls()) {
            if (call.Name == "PcbApi_QueryBoardLayerPairsCount") {
                EXPECT_EQ(call.Value(2), ExchangeWrite) << "the count is written";
            } else {
                EXPECT_EQ(call.Value(0), mode) << call.Name;
            }
        }
        EXPECT_EQ(board->LayerPairs.size(), 2u);
    }
}

// --- The exchange: order, arguments and fields --------------------------------------------------

TEST_F(PcbBoardTest, ReadAndWriteMakeTheSameCallsInTheSameOrderWithModeAndBoard) {
    for (std::uint8_t mode : {ExchangeRead, ExchangeWrite}) {
        SCOPED_TRACE(static_cast<int>(mode));
        recording::Reset();
        board->Exchange(mode);
        EXPECT_EQ(CallNames(), ExpectedExchangeSequence(0));
        for (const auto& call : recording::Calls()) {
            if (call.Name == "PcbApi_QueryBoardLayerPairsCount") {
                EXPECT_EQ(call.Value(0), BoardHandle);
                continue;
            }
            const bool layerFirst = call.Name == "PcbApi_QueryLayer" ||
                                    call.Name == "PcbApi_QueryInternalPlane" ||
                                    call.Name == "PcbApi_QueryLayerDielectric";
            EXPECT_EQ(call.Value(0), mode) << call.Name;
            EXPECT_EQ(call.Value(layerFirst ? 2 : 1), BoardHandle) << call.Name;
        }
    }
}

TEST_F(PcbBoardTest, IndexedCallsRunOverTheirWholeRangesInOrder) {
    board->Exchange(ExchangeRead);
    // entry, index argument, first and last index
    const std::vector<std::tuple<std::string, std::size_t, std::uint64_t, std::uint64_t>> ranges{
        {"PcbApi_QueryBoardLayerInfo", 2, 1, 82},
        {"PcbApi_QueryLayer", 1, 1, 82}, // the stack, with the planes in between
        {"PcbApi_QueryLayerDielectric", 1, 1, 82},
        {"PcbApi_QueryInternalPlane", 1, 39, 54},
        {"PcbApi_QueryBoardOutputOptionsPlotLayers", 2, 1, 109},
        {"PcbApi_QueryBoardOutputOptionsFlipLayers", 2, 1, 109},
        {"PcbApi_QueryBoardPrinterOptionsPlotterPen", 2, 1, 8},
        {"PcbApi_QueryBoardPrinterOptionsCompositeLayer", 2, 1, 82},
    };
    for (const auto& [name, arg, first, last] : ranges) {
        SCOPED_TRACE(name);
        std::vector<std::uint64_t> seen;
        for (const auto& call : recording::CallsTo(name)) {
            seen.push_back(call.Value(arg));
        }
        std::vector<std::uint64_t> expected;
        for (std::uint64_t i = first; i <= last; ++i) {
            if (name == "PcbApi_QueryLayer" && i >= 39 && i <= 54) {
                continue;
            }
            expected.push_back(i);
        }
        EXPECT_EQ(seen, expected);
    }
}

TEST_F(PcbBoardTest, EveryCallPassesTheBoardsOwnFieldsInTheirOrder) {
    board->Exchange(ExchangeRead);
    TPcbBoard& b = *board;
    const auto& o = b.OutputOptions;
    const std::map<std::string, Addresses> single{
        {"PcbApi_QueryBoardSplitPlaneMode", {&b.SplitPlaneMode}},
        {"PcbApi_QueryBoardGridsEx",
         {&b.Grid1, &b.Grid2, &b.Grid3, &b.Grid4, &b.Grid5, &b.Grid6, &b.Grid7, &b.Grid8, &b.Grid9,
          &b.Grid10, &b.Grid11, &b.Grid12, &b.Grid13, &b.Grid14}},
        {"PcbApi_QueryBoardOutputOptions",
         {&b.OutputValue1, &b.OutputValue2, &o[0],  &o[1],  &o[2],  &o[3],
          &o[4],           &o[5],           &o[6],  &o[7],  &o[8],  &o[9],
          &o[10],          &o[11],          &o[12], &o[13], &o[14], &o[15],
          &o[16],          &o[17],          &o[18], &o[19], &o[20], &b.OutputReserved}},
        {"PcbApi_QueryBoardGerberOptions",
         {&b.GerberOption1, &b.GerberOption2, &b.GerberOption3, &b.GerberOption4, &b.GerberOption5,
          &b.GerberOption6, &b.GerberOption7, &b.GerberValue1, &b.GerberValue2, &b.GerberValue3,
          &b.GerberValue4, &b.GerberValue5, &b.GerberText, &b.GerberValue6, &b.GerberOption8,
          &b.GerberOption9, &b.GerberValue7, &b.GerberValue8, &b.GerberOption10}},
        {"PcbApi_QueryBoardPrinterOptions",
         {&b.PrinterText1,    &b.PrinterText2,    &b.PrinterText3,    &b.PrinterOption1,
          &b.PrinterOption2,  &b.PrinterOption3,  &b.PrinterOption4,  &b.PrinterOption5,
          &b.PrinterOption6,  &b.PrinterValue1,   &b.PrinterReal1,    &b.PrinterReal2,
          &b.PrinterReal3,    &b.PrinterReserved, &b.PrinterOption7,  &b.PrinterOption8,
          &b.PrinterReal4,    &b.PrinterReal5,    &b.PrinterReal6,    &b.PrinterValue2,
          &b.PrinterValue3,   &b.PrinterOption9,  &b.PrinterOption10, &b.PrinterOption11,
          &b.PrinterOption12, &b.PrinterOption13}},
        {"PcbApi_QueryBoardAdvancedPlacerOptions",
         {&b.PlacerText1, &b.PlacerText2, &b.PlacerOption1, &b.PlacerOption2, &b.PlacerOption3,
          &b.PlacerOption4}},
        {"PcbApi_QueryBoardEngineeringChangeOrderOptions",
         {&b.ChangeOrderOption, &b.ChangeOrderText}},
        {"PcbApi_QueryBoardExternalDielectrics",
         {&b.Dielectric1.Material, &b.Dielectric1.Type, &b.Dielectric1.Constant,
          &b.Dielectric1.Height, &b.Dielectric2.Material, &b.Dielectric2.Type,
          &b.Dielectric2.Constant, &b.Dielectric2.Height}},
    };
    for (const auto& [name, expected] : single) {
        const auto calls = recording::CallsTo(name);
        ASSERT_EQ(calls.size(), 1u) << name;
        EXPECT_EQ(PointerArgs(calls[0]), expected) << name;
    }

    const auto boardCall = recording::CallsTo("PcbApi_QueryBoard").at(0);
    Addresses properties = PointerArgs(boardCall);
    ASSERT_EQ(properties.size(), 10u);
    EXPECT_NE(properties[8], &b.CurrentLayer); // a local identifier, not the classic byte
    properties[8] = nullptr;
    EXPECT_EQ(properties, (Addresses{&b.BoardValue1, &b.BoardText, &b.BoardOption1, &b.BoardValue2,
                                     &b.BoardValue3, &b.BoardValue4, &b.BoardValue5,
                                     &b.BoardOption2, nullptr, &b.BoardValue6}));

    const auto indexed = [](const std::string& name, const auto& fieldsOf) {
        for (const auto& call : recording::CallsTo(name)) {
            const auto index = static_cast<std::size_t>(call.Value(2));
            EXPECT_EQ(PointerArgs(call), fieldsOf(index)) << name << " " << index;
        }
    };
    indexed("PcbApi_QueryBoardOutputOptionsPlotLayers",
            [&](std::size_t i) { return Addresses{&b.PlotLayers[i]}; });
    indexed("PcbApi_QueryBoardOutputOptionsFlipLayers",
            [&](std::size_t i) { return Addresses{&b.FlipLayers[i]}; });
    indexed("PcbApi_QueryBoardPrinterOptionsPlotterPen", [&](std::size_t i) {
        return Addresses{&b.PlotterPens[i].First, &b.PlotterPens[i].Second};
    });
    indexed("PcbApi_QueryBoardPrinterOptionsCompositeLayer", [&](std::size_t i) {
        return Addresses{&b.CompositeA[i], &b.CompositeB[i], &b.CompositeC[i], &b.CompositeD[i]};
    });
    for (const auto& call : recording::CallsTo("PcbApi_QueryBoardLayerInfo")) {
        const auto layer = static_cast<std::size_t>(call.Value(2));
        const Addresses args = PointerArgs(call);
        ASSERT_EQ(args.size(), 3u);
        EXPECT_EQ(args[0], args[1]) << "one scratch byte for both leading values";
        EXPECT_EQ(args[2], &b.LayerInfo[layer]);
    }
    for (int layer = 1; layer <= 82; ++layer) {
        const TLayerObject& l = *b.Layers[layer];
        const TInternalPlane* plane = b.Layers.InternalPlane(layer);
        const void* last = plane != nullptr ? static_cast<const void*>(&plane->PlaneNetName)
                                            : static_cast<const void*>(&l.LayerOption3);
        const auto calls = recording::CallsTo(plane != nullptr ? "PcbApi_QueryInternalPlane"
                                                               : "PcbApi_QueryLayer");
        const auto dielectrics = recording::CallsTo("PcbApi_QueryLayerDielectric");
        const auto layerCall = std::find_if(calls.begin(), calls.end(), [layer](const auto& c) {
            return c.Value(1) == static_cast<std::uint64_t>(layer);
        });
        ASSERT_NE(layerCall, calls.end()) << layer;
        EXPECT_EQ(PointerArgs(*layerCall),
                  (Addresses{&l.LayerName, &l.CopperThickness, &l.LayerOption1, &l.LayerOption2,
                             &l.PrevLayer, &l.NextLayer, last}))
            << layer;
        EXPECT_EQ(PointerArgs(dielectrics.at(static_cast<std::size_t>(layer - 1))),
                  (Addresses{&l.DielectricMaterial, &l.DielectricType, &l.DielectricConstant,
                             &l.DielectricHeight}))
            << layer;
    }
}

TEST_F(PcbBoardTest, NoFieldIsHandedOverTwiceAndIndexZeroOfTheArraysIsNeverExchanged) {
    board->Exchange(ExchangeWrite);
    std::set<const void*> seen;
    for (const auto& call : recording::Calls()) {
        const Addresses args = PointerArgs(call);
        for (std::size_t i = 0; i < args.size(); ++i) {
            // The scratch byte is a local, so each layer may see it at the same address.
            const bool scratch = call.Name == "PcbApi_QueryBoardLayerInfo" && i < 2;
            if (!scratch) {
                EXPECT_TRUE(seen.insert(args[i]).second) << call.Name << " pointer " << i;
            }
        }
    }
    for (const void* unused : {static_cast<const void*>(&board->LayerInfo[0]),
                               static_cast<const void*>(&board->PlotLayers[0]),
                               static_cast<const void*>(&board->FlipLayers[0]),
                               static_cast<const void*>(&board->PlotterPens[0].First),
                               static_cast<const void*>(&board->CompositeA[0]),
                               static_cast<const void*>(&board->CompositeC[0]),
                               static_cast<const void*>(&board->SavedGrid1),
                               static_cast<const void*>(&board->SavedGrid2),
                               static_cast<const void*>(&board->CurrentLayer)}) {
        EXPECT_EQ(seen.count(unused), 0u);
    }
}

// Whatever the host gives on a read comes back unchanged on the following write, byte for byte:
// the board carries its options without touching them.
TEST_F(PcbBoardTest, ReadThenWriteReturnsEveryCarriedByteUnchanged) {
    using Snapshot = std::vector<std::vector<std::uint8_t>>;
    struct Seen {
        std::string Name;
        Snapshot Bytes;
    };
    const auto bytesOf = [](const recording::Call& call) {
        Seen seen{call.Name, {}};
        for (std::size_t i = 0; i < call.Args.size(); ++i) {
            const auto& arg = call.Args[i];
            if (arg.IsPointer) {
                const auto* p = call.Ptr<std::uint8_t>(i);
                seen.Bytes.emplace_back(p, p + arg.PointeeSize);
            }
        }
        return seen;
    };
    std::vector<Seen> delivered;
    std::vector<Seen> returned;
    std::uint8_t seed = 1;
    recording::SetDefaultHandler([&](const recording::Call& call) -> std::int64_t {
        if (call.Args.at(0).Value == ExchangeRead) {
            seed = recording::FillPointees(call, seed);
            delivered.push_back(bytesOf(call));
        } else {
            returned.push_back(bytesOf(call));
        }
        return 0;
    });
    recording::SetHandler("PcbApi_QueryBoardLayerPairsCount", [](const recording::Call&) {
        return std::int64_t{1}; // no pairs
    });
    board->Exchange(ExchangeRead);
    board->Exchange(ExchangeWrite);
    ASSERT_EQ(delivered.size(), returned.size());
    ASSERT_EQ(delivered.size(), ExpectedExchangeSequence(0).size() - 1); // all but the count
    for (std::size_t i = 0; i < delivered.size(); ++i) {
        const std::string& name = delivered[i].Name;
        ASSERT_EQ(returned[i].Name, name);
        Snapshot given = delivered[i].Bytes;
        Snapshot back = returned[i].Bytes;
        if (name == "PcbApi_QueryBoard") {
            given.erase(given.begin() + 8); // the current layer travels converted
            back.erase(back.begin() + 8);
        } else if (name == "PcbApi_QueryBoardLayerInfo") {
            given.erase(given.begin(), given.begin() + 2); // the scratch byte is not kept
            back.erase(back.begin(), back.begin() + 2);
        }
        EXPECT_EQ(given, back) << name << " #" << i;
    }
}

TEST_F(PcbBoardTest, CurrentLayerTravelsAsAnIdentifierAndGridCopiesAreKept) {
    TLayerId sent = 0;
    recording::SetHandler("PcbApi_QueryBoard", [&sent](const recording::Call& call) {
        auto* identifier = call.Ptr<TLayerId>(10);
        sent = *identifier;
        if (call.Value(0) == ExchangeRead) {
            *identifier = InternalPlaneLayer(2);
        }
        return std::int64_t{77};
    });
    recording::SetHandler("PcbApi_QueryBoardGridsEx", [](const recording::Call& call) {
        *call.Ptr<double>(8) = 2.5;   // seventh grid field
        *call.Ptr<double>(14) = 1.25; // thirteenth
        return std::int64_t{5};
    });
    board->CurrentLayer = 32;
    EXPECT_EQ(board->Exchange(ExchangeRead), 77); // the board-properties result, nothing else
    EXPECT_EQ(sent, LayerToLayerId(32));
    EXPECT_EQ(board->CurrentLayer, 40);
    EXPECT_EQ(board->Grid7, 2.5);
    EXPECT_EQ(board->SavedGrid2, 2.5);
    EXPECT_EQ(board->Grid13, 1.25);
    EXPECT_EQ(board->SavedGrid1, 1.25);
    board->CurrentLayer = 1;
    EXPECT_EQ(board->Exchange(ExchangeWrite), 77);
    EXPECT_EQ(sent, LayerToLayerId(1));
    EXPECT_EQ(board->CurrentLayer, 1);
}

// --- Layer objects on their own ----------------------------------------------------------------

TEST_F(PcbBoardTest, LayerObjectsPassTheirClassicNumberAndReturnTheLayerCallsResult) {
    recording::SetHandler("PcbApi_QueryLayer",
                          [](const recording::Call&) { return std::int64_t{3}; });
    recording::SetHandler("PcbApi_QueryInternalPlane",
                          [](const recording::Call&) { return std::int64_t{4}; });
    recording::SetHandler("PcbApi_QueryLayerDielectric",
                          [](const recording::Call&) { return std::int64_t{9}; });
    TLayerObject top(BoardHandle, 1);
    TInternalPlane plane(BoardHandle, 41);
    EXPECT_EQ(top.Exchange(ExchangeRead), 3);
    EXPECT_EQ(plane.Exchange(ExchangeWrite), 4);
    EXPECT_EQ(CallNames(), (std::vector<std::string>{
                               "PcbApi_QueryLayer", "PcbApi_QueryLayerDielectric",
                               "PcbApi_QueryInternalPlane", "PcbApi_QueryLayerDielectric"}));
    const auto& calls = recording::Calls();
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> modeAndLayer{
        {ExchangeRead, 1}, {ExchangeRead, 1}, {ExchangeWrite, 41}, {ExchangeWrite, 41}};
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].Value(0), modeAndLayer[i].first) << i;
        EXPECT_EQ(calls[i].Value(1), modeAndLayer[i].second) << i; // the classic byte
        EXPECT_FALSE(calls[i].Args[1].IsPointer);
        EXPECT_EQ(calls[i].Value(2), BoardHandle) << i;
    }
    EXPECT_EQ(calls[2].Address(9), &plane.PlaneNetName);
    EXPECT_EQ(calls[2].Args[9].PointeeSize, sizeof(String255));
}

// --- Adding objects ------------------------------------------------------------------------------

TEST_F(PcbBoardTest, AddObjectPassesBoardThenObjectAndAnswersOneForNoObject) {
    recording::SetHandler("PcbApi_AddObjectToContainer",
                          [](const recording::Call&) { return std::int64_t{12}; });
    EXPECT_EQ(board->AddObject(0), 1);
    EXPECT_TRUE(recording::Calls().empty());
    EXPECT_EQ(board->AddObject(99), 12);
    TPcbBoard noBoard(0);
    EXPECT_EQ(noBoard.AddObject(98), 12);
    const auto calls = recording::CallsTo("PcbApi_AddObjectToContainer");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Value(0), BoardHandle);
    EXPECT_EQ(calls[0].Value(1), 99u);
    EXPECT_EQ(calls[1].Value(0), 0u);
    EXPECT_EQ(calls[1].Value(1), 98u);
}

} // namespace
} // namespace corvane
