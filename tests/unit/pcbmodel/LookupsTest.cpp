// The lookups from host handles to model objects against the recording server: the class built
// for each kind code, the name and text readers, layer iterators, the scratch component, and the
// pad search by pin reference over a scripted board (splitting, sides, layer order, and that
// every iterator opened is destroyed).

#include "RecordingServer.h"
#include "ScriptedBoard.h"
#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbPad.h"
#include "pcbmodel/PcbPolygon.h"
#include "pcbmodel/PcbText.h"
#include "pcbmodel/lookups/HandleReaders.h"
#include "pcbmodel/lookups/PinReference.h"
#include "pcbmodel/lookups/ScratchComponent.h"
#include "pcbmodel/lookups/WrapHostObject.h"
#include "serverclient/LayerIterator.h"
#include "serverclient/LayerNumbering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::FakeComponent;
using FakeBoard = testing::ScriptedBoard;
constexpr HostHandle Board = testing::ScriptedBoardHandle;

std::vector<FakeComponent> StandardBoard() {
    return {
        {100, 1, 101, "U1", {{110, "5", {1}}, {111, "A-3", {1}}, {112, "9", {74}}}},
        {200, 32, 201, "U2", {{210, "1", {32}}}},
        // The pad on layer 32 comes first in the host's list; the one on layer 2 is found first.
        {300, 1, 301, "U3", {{310, "1", {32}}, {311, "1", {2}}, {312, "2", {74, 5}}}},
        {400, 1, 401, "U4", {{410, "1", {1}}}},
        {450, 32, 451, "U4", {{460, "1", {32}}, {461, "7", {32}}}},
    };
}

class LookupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        recording::Reset();
        FreeScratchComponent();
        CreateScratchComponent();
    }
    void TearDown() override { FreeScratchComponent(); }
};

// --- Splitting a reference -----------------------------------------------------------------

TEST_F(LookupsTest, ReferencesSplitAtTheirFirstHyphen) {
    struct SplitCase {
        const char* Reference;
        const char* Designator;
        const char* Pin;
    };
    for (const SplitCase& c : std::vector<SplitCase>{{"U1-5", "U1", "5"},
                                                     {"U1-A-3", "U1", "A-3"},
                                                     {"-5", "", "5"},
                                                     {"R7", "", "R7"},
                                                     {"U1-", "U1", ""},
                                                     {"-", "", ""},
                                                     {"", "", ""}}) {
        const PinReferenceParts parts = SplitPinReference(String255(c.Reference));
        EXPECT_EQ(parts.Designator, c.Designator) << c.Reference;
        EXPECT_EQ(parts.Pin, c.Pin) << c.Reference;
    }
    const std::string longPin(250, 'p');
    const PinReferenceParts parts = SplitPinReference(String255("J1-" + longPin));
    EXPECT_EQ(parts.Pin.Str(), longPin) << "the whole rest of the reference";
}

// --- Finding pads --------------------------------------------------------------------------

TEST_F(LookupsTest, PinReferencesResolveToTheirPadsAndEveryIteratorIsDestroyed) {
    struct FindCase {
        const char* Reference;
        HostHandle Pad;
    };
    const std::vector<FindCase> cases{
        {"U1-5", 110}, {"U1-A-3", 111}, {"U1-9", 112}, // pin after the first hyphen only
        {"u1-5", 0},                                   // designators are case-sensitive
        {"U1-a-3", 0},                                 // and so are pin names
        {"U2-1", 210},                                 // only on the bottom side
        {"U3-1", 311},                                 // the first match in layer order
        {"U3-2", 312},                                 // listed on two layers
        {"U4-1", 410},                                 // the top one wins
        {"U4-7", 461},                                 // top U4 has no pin 7
        {"U1-", 0},    {"R7", 0},       {"-5", 0},     {"U9-1", 0}, {"", 0}, {"U1-55", 0}};
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.Reference);
        recording::Reset();
        FakeBoard board(StandardBoard());
        EXPECT_EQ(FindPadByPinReference(Board, String255(c.Reference)), c.Pad);
        EXPECT_FALSE(board.Opened.empty());
        EXPECT_TRUE(board.Live.empty()) << "an iterator was left open";
        EXPECT_EQ(recording::CountOf("PcbApi_DestroyIterator"), board.Opened.size());
    }
}

TEST_F(LookupsTest, EmptyDesignatorsMatchOnlyComponentsWithAnEmptyDesignatorText) {
    std::vector<FakeComponent> components = StandardBoard();
    components.push_back({500, 1, 501, "", {{510, "R7", {1}}, {511, "5", {1}}}});
    FakeBoard board(components);
    EXPECT_EQ(FindPadByPinReference(Board, String255("R7")), 510u);
    EXPECT_EQ(FindPadByPinReference(Board, String255("-5")), 511u);
    EXPECT_TRUE(board.Live.empty());
}

TEST_F(LookupsTest, TheBottomSideIsSearchedOnlyWhenTheTopYieldsNoPad) {
    const std::vector<TLayerId> topOnly{LayerToLayerId(1)};
    const std::vector<TLayerId> bothSides{LayerToLayerId(1), LayerToLayerId(32)};
    const std::vector<std::pair<const char*, std::vector<TLayerId>>> cases{{"U1-5", topOnly},
                                                                           {"U4-1", topOnly},
                                                                           {"U2-1", bothSides},
                                                                           {"U4-7", bothSides},
                                                                           {"X1-1", bothSides}};
    for (const auto& [reference, sides] : cases) {
        SCOPED_TRACE(reference);
        recording::Reset();
        FakeBoard board(StandardBoard());
        FindPadByPinReference(Board, String255(reference));
        EXPECT_EQ(board.LayersOpenedOn(Board), sides);
        for (const auto& opened : board.Opened) {
            EXPECT_EQ(opened.Kind, opened.Container == Board ? 9 : 2);
        }
    }
}

TEST_F(LookupsTest, PadsAreSearchedLayerByLayerFromOneUpToTheFirstMatch) {
    FakeBoard board(StandardBoard());
    EXPECT_EQ(FindPadByPinName(300, String255("1")), 311u);
    EXPECT_EQ(board.LayersOpenedOn(300),
              (std::vector<TLayerId>{LayerToLayerId(1), LayerToLayerId(2)}));
    board.Opened.clear();
    EXPECT_EQ(FindPadByPinName(300, String255("none")), 0u);
    std::vector<TLayerId> all;
    for (int layer = 1; layer <= 82; ++layer) {
        all.push_back(LayerToLayerId(static_cast<TLayer>(layer)));
    }
    EXPECT_EQ(board.LayersOpenedOn(300), all);
    EXPECT_TRUE(board.Live.empty());

    recording::Reset();
    EXPECT_EQ(FindPadByPinName(0, String255("1")), 0u);
    EXPECT_TRUE(recording::Calls().empty()) << "no component, no host call";
}

TEST_F(LookupsTest, ComponentsAreReadOnlyWhenTheScratchComponentMovesToAnother) {
    FakeBoard board(StandardBoard());
    EXPECT_EQ(FindComponentByDesignator(Board, String255("U1"), 1), 100u);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponent"), 1u);
    EXPECT_EQ(FindComponentByDesignator(Board, String255("U1"), 1), 100u);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponent"), 1u) << "still pointed at U1";
    EXPECT_EQ(FindComponentByDesignator(Board, String255("U3"), 1), 300u);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponent"), 2u) << "U1 passed without a read";
    EXPECT_EQ(FindComponentByDesignator(Board, String255("U4"), 32), 450u);
    EXPECT_EQ(FindComponentByDesignator(Board, String255("U2"), 1), 0u);
    EXPECT_TRUE(board.Live.empty());
}

TEST_F(LookupsTest, AnIteratorTheHostCannotOpenIsNeitherWalkedNorDestroyed) {
    recording::SetHandler("PcbApi_CreateIterator",
                          [](const recording::Call&) { return std::int64_t{0}; });
    EXPECT_EQ(FindPadByPinReference(Board, String255("U1-5")), 0u);
    EXPECT_EQ(recording::CountOf("PcbApi_CreateIterator"), 2u);
    EXPECT_EQ(recording::CountOf("PcbApi_GetFirstObject"), 0u);
    EXPECT_EQ(recording::CountOf("PcbApi_DestroyIterator"), 0u);
}

TEST_F(LookupsTest, AWalkStopsAtItsCapAndSaysSo) {
    recording::SetHandler("PcbApi_CreateIterator",
                          [](const recording::Call&) { return std::int64_t{0x77}; });
    recording::SetDefaultHandler([](const recording::Call&) { return std::int64_t{0x66}; });
    recording::Unrecorded("PcbApi_GetNextObject"); // a host whose iterator never ends
    std::int32_t seen = 0;
    bool capped = false;
    EXPECT_EQ(FindFirstOnLayer(
                  Board, 9, 1, [&](HostHandle) { return ++seen < 0; }, &capped),
              0u);
    EXPECT_EQ(seen, MaxObjectsPerWalk);
    EXPECT_TRUE(capped);
    EXPECT_EQ(recording::CountOf("PcbApi_DestroyIterator"), 1u);

    // A walk that ends by itself, or at a match, was not capped.
    recording::Reset();
    FakeBoard board(StandardBoard());
    capped = false;
    EXPECT_EQ(FindPadByPinReference(Board, String255("U4-7"), &capped), 461u);
    EXPECT_EQ(FindPadByPinReference(Board, String255("X-1"), &capped), 0u);
    EXPECT_FALSE(capped);
}

// --- The scratch component -------------------------------------------------------------------

TEST_F(LookupsTest, ScratchComponentIsReadOnlyForANewHandle) {
    FreeScratchComponent();
    CreateScratchComponent();
    EXPECT_TRUE(recording::Calls().empty());
    EXPECT_EQ(ScratchComponentAt(0).Handle, 0u);
    EXPECT_TRUE(recording::Calls().empty()) << "it already holds handle 0";

    recording::SetHandler("PcbApi_QueryComponent", [](const recording::Call& call) {
        *call.Ptr<HostHandle>(6) = static_cast<HostHandle>(call.Value(1)) + 1;
        return std::int64_t{0};
    });
    EXPECT_EQ(ScratchComponentAt(70).NameText, 71u);
    EXPECT_EQ(ScratchComponentAt(70).Handle, 70u);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponent"), 1u);
    const auto read = recording::CallsTo("PcbApi_QueryComponent").at(0);
    EXPECT_EQ(read.Value(0), ExchangeRead);
    EXPECT_EQ(read.Value(1), 70u);
    EXPECT_EQ(ScratchComponentAt(80).NameText, 81u);
    EXPECT_EQ(ScratchComponentAt(70).NameText, 71u);
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponent"), 3u);

    FreeScratchComponent();
    EXPECT_EQ(ScratchComponentAt(70).NameText, 71u) << "made again when missing";
    EXPECT_EQ(recording::CountOf("PcbApi_QueryComponent"), 4u);
}

// --- Wrapping handles ------------------------------------------------------------------------

TEST_F(LookupsTest, WrapHostObjectBuildsTheClassOfTheLowSevenBitsAndReadsIt) {
    const std::set<int> withClass{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                  13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 26};
    constexpr HostHandle Handle = 0x4321;
    for (int reported = 0; reported <= 255; ++reported) {
        SCOPED_TRACE(reported);
        recording::Reset();
        recording::SetHandler("PcbApi_GetObjectIdFromObjectHandle",
                              [reported](const recording::Call&) { return reported; });
        const auto object = WrapHostObject(Handle);
        const int kind = reported & 0x7F;
        const auto calls = recording::Calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0].Name, "PcbApi_GetObjectIdFromObjectHandle");
        EXPECT_EQ(calls[0].Value(0), Handle);
        if (withClass.count(kind) == 0) {
            EXPECT_EQ(object, nullptr);
            EXPECT_EQ(calls.size(), 1u) << "nothing is read for a kind without a class";
            continue;
        }
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->ObjectId, kind);
        EXPECT_EQ(object->Handle, Handle);
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls[1].Name, "PcbApi_GetObjectBitField2") << "read right after building";
        EXPECT_EQ(calls[1].Value(0), ExchangeRead);
        EXPECT_EQ(calls[1].Value(1), Handle);
    }
}

TEST_F(LookupsTest, WrapHostObjectCases) {
    std::uint8_t reported = 0;
    recording::SetHandler("PcbApi_GetObjectIdFromObjectHandle",
                          [&reported](const recording::Call&) { return reported; });
    reported = 26;
    EXPECT_NE(dynamic_cast<TPcbBoardOutline*>(WrapHostObject(1).get()), nullptr);
    reported = 23;
    EXPECT_EQ(WrapHostObject(1), nullptr);
    reported = 130;
    EXPECT_NE(dynamic_cast<TPcbPad*>(WrapHostObject(1).get()), nullptr);
    reported = 9;
    EXPECT_NE(dynamic_cast<TPcbComponent*>(WrapHostObject(1).get()), nullptr);
    reported = 0; // what an absent server answers
    EXPECT_EQ(WrapHostObject(1), nullptr);
}

TEST_F(LookupsTest, NameAndTextReadersGoThroughTheHandlesClass) {
    EXPECT_TRUE(PadNameOfHandle(0).Empty());
    EXPECT_TRUE(TextOfHandle(0).Empty());
    EXPECT_TRUE(recording::Calls().empty()) << "handle 0 needs no host";

    FakeBoard board(StandardBoard());
    EXPECT_EQ(PadNameOfHandle(111), "A-3");
    EXPECT_EQ(TextOfHandle(301), "U3");
    EXPECT_TRUE(TextOfHandle(111).Empty()) << "a pad has no text";
    EXPECT_TRUE(PadNameOfHandle(999).Empty()) << "an unknown handle is kind 0, no class";
    EXPECT_TRUE(TextOfHandle(999).Empty());
}

// --- Layer iterators -------------------------------------------------------------------------

TEST_F(LookupsTest, CreateLayerIteratorPassesTheLayersIdentifier) {
    const std::vector<std::pair<TLayer, TLayerId>> layers{{0, 0},
                                                          {74, MultiLayer()},
                                                          {1, LayerToLayerId(1)},
                                                          {32, LayerToLayerId(32)},
                                                          {39, InternalPlaneLayer(1)},
                                                          {200, 0}};
    for (const auto& [layer, identifier] : layers) {
        recording::Reset();
        recording::SetHandler("PcbApi_CreateIterator",
                              [](const recording::Call&) { return std::int64_t{0x77}; });
        EXPECT_EQ(CreateLayerIterator(Board, 2, 3, layer), 0x77u);
        const auto call = recording::CallsTo("PcbApi_CreateIterator").at(0);
        EXPECT_EQ(call.Value(0), Board);
        EXPECT_EQ(call.Value(1), 2u);
        EXPECT_EQ(call.Value(2), 3u);
        EXPECT_EQ(call.Value(3), identifier) << int{layer};
    }
}

} // namespace
} // namespace corvane
