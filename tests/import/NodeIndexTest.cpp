// The node index against the search through the host's containers, on randomised boards under
// every combination of the substitute server's host rules (containers listed in the order objects
// were added or newest first; "MultiLayer" pads met on their own layer or on every copper layer):
// duplicate designators, components on both sides, pads on several layers, names that differ
// only in case, nets between and after the components, components already on the board.

#include "importer/NodeIndex.h"
#include "HostSearchLookup.h"
#include "ImportFixture.h"
#include "pcbmodel/lookups/PinReference.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

namespace importtest {
namespace {

const char* const Designators[] = {"U1", "u1", "U2", "R1", "R10", "", "U1-A"};
const char* const Pins[] = {"1", "2", "A", "a", "A-1", "10"};
const int PadLayers[] = {1, 6, 13, 2};

std::string RandomReference(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> designator(0, std::size(Designators) - 1);
    std::uniform_int_distribution<std::size_t> pin(0, std::size(Pins) - 1);
    std::string reference = Designators[designator(random)];
    if (random() % 8 != 0) {
        reference += "-";
    }
    return reference + Pins[pin(random)];
}

std::string RandomComponent(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> designator(0, std::size(Designators) - 1);
    std::uniform_int_distribution<std::size_t> pin(0, std::size(Pins) - 1);
    std::uniform_int_distribution<std::size_t> layer(0, std::size(PadLayers) - 1);
    const bool bottom = random() % 2 == 0;
    std::string text = "COMP\n" + std::string(Designators[designator(random)]) +
                       "\nP\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\nCT\n0 0 1 1 1 " +
                       (bottom ? "6" : "1") + "\n";
    const int pads = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < pads; ++i) {
        text += "CP\n0 0 60 60 1 30 0 " + std::to_string(PadLayers[layer(random)]) + "\n" +
                Pins[pin(random)] + "\n";
    }
    return text + "ENDCOMP\n";
}

std::string RandomNet(std::mt19937& random, int number) {
    std::string text = "NETDEF\nN" + std::to_string(number) + "\n(\n";
    const int nodes = 1 + static_cast<int>(random() % 5);
    for (int i = 0; i < nodes; ++i) {
        text += RandomReference(random) + "\n";
    }
    return text + ")\n";
}

class NodeIndexTest : public ImportOnServer, public ::testing::WithParamInterface<std::uint32_t> {
protected:
    void SetUp() override {
        ImportOnServer::SetUp();
        rulesBefore = Halvex_SetHostRules(GetParam());
    }
    void TearDown() override {
        Halvex_SetHostRules(rulesBefore);
        ImportOnServer::TearDown();
    }
    std::uint32_t rulesBefore = 0;

    // Where each pad of the board sits: (component ordinal, child ordinal).
    std::map<std::uint32_t, std::pair<int, int>> PadPlaces(std::uint32_t onBoard) const {
        std::map<std::uint32_t, std::pair<int, int>> places;
        int componentOrdinal = 0;
        for (const Info& member : Members(onBoard)) {
            if (member.Kind != HALVEX_KIND_COMPONENT) {
                continue;
            }
            int childOrdinal = 0;
            for (const Info& child : Members(member.Handle)) {
                places[child.Handle] = {componentOrdinal, childOrdinal++};
            }
            ++componentOrdinal;
        }
        return places;
    }

    // For every net of the board, the places of its pads.
    std::vector<std::vector<std::pair<int, int>>> NetPlaces(std::uint32_t onBoard) const {
        const auto places = PadPlaces(onBoard);
        std::vector<std::vector<std::pair<int, int>>> nets;
        for (const Info& member : Members(onBoard)) {
            if (member.Kind == HALVEX_KIND_NET) {
                nets.emplace_back();
                for (const Info& pad : Members(member.Handle)) {
                    nets.back().push_back(places.at(pad.Handle));
                }
            }
        }
        return nets;
    }
};

TEST_P(NodeIndexTest, NetsJoinTheSamePadsWithAndWithoutTheIndex) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        std::string text = "PCB FILE 4\n";
        for (int i = 0; i < 30; ++i) {
            text += random() % 3 == 0 ? RandomNet(random, i) : RandomComponent(random);
        }
        testsupport::SearchHostForEveryNode(state, false);
        ASSERT_TRUE(Import(text));
        const std::uint32_t indexed = board;
        testsupport::SearchHostForEveryNode(state, true);
        ASSERT_TRUE(Import(text));
        const std::uint32_t searched = board;
        ASSERT_NE(indexed, searched);
        EXPECT_EQ(NetPlaces(indexed), NetPlaces(searched)) << "seed " << seed;
    }
}

TEST_P(NodeIndexTest, LookupsOnABoardFilledBeforehandMatchTheSearch) {
    for (unsigned seed = 100; seed < 110; ++seed) {
        std::mt19937 random(seed);
        std::string text = "PCB FILE 4\n";
        for (int i = 0; i < 25; ++i) {
            text += RandomComponent(random);
        }
        ASSERT_TRUE(Import(text));
        corvane::NodeIndex index(board); // learns every component from the host
        for (int i = 0; i < 200; ++i) {
            const corvane::String255 reference(RandomReference(random));
            ASSERT_EQ(index.FindPad(reference), corvane::FindPadByPinReference(board, reference))
                << "seed " << seed << " reference " << reference.Str();
        }
    }
}

TEST_P(NodeIndexTest, ASecondImportIntoTheSameBoardFindsTheEarlierComponents) {
    std::mt19937 random(7);
    std::string first = "PCB FILE 4\n";
    for (int i = 0; i < 15; ++i) {
        first += RandomComponent(random);
    }
    std::string second = "PCB FILE 4\n";
    for (int i = 0; i < 20; ++i) {
        second += random() % 2 == 0 ? RandomNet(random, i) : RandomComponent(random);
    }
    // The same file name twice: the second import goes onto the board of the first.
    const testsupport::TempFile sameName(first);
    board = Halvex_OpenBoard(sameName.Path().c_str());
    ASSERT_TRUE(corvane::ImportFile(state, sameName.Path()));
    { std::ofstream(sameName.Path(), std::ios::binary | std::ios::trunc) << second; }
    testsupport::SearchHostForEveryNode(state, false);
    ASSERT_TRUE(corvane::ImportFile(state, sameName.Path()));
    const auto indexedNets = NetPlaces(board);

    Halvex_CloseAllBoards();
    { std::ofstream(sameName.Path(), std::ios::binary | std::ios::trunc) << first; }
    board = Halvex_OpenBoard(sameName.Path().c_str());
    ASSERT_TRUE(corvane::ImportFile(state, sameName.Path()));
    { std::ofstream(sameName.Path(), std::ios::binary | std::ios::trunc) << second; }
    testsupport::SearchHostForEveryNode(state, true);
    ASSERT_TRUE(corvane::ImportFile(state, sameName.Path()));
    EXPECT_EQ(indexedNets, NetPlaces(board));
    EXPECT_FALSE(indexedNets.empty());
}

INSTANTIATE_TEST_SUITE_P(HostRules, NodeIndexTest,
                         ::testing::Values(0u, HALVEX_RULE_NEWEST_FIRST,
                                           HALVEX_RULE_MULTILAYER_PADS_ON_COPPER,
                                           HALVEX_RULE_NEWEST_FIRST |
                                               HALVEX_RULE_MULTILAYER_PADS_ON_COPPER));

} // namespace
} // namespace importtest

namespace importtest {
namespace {

using corvane::PadNameBlock;

PadNameBlock BlockOf(std::vector<std::pair<std::string_view, corvane::HostHandle>> pads) {
    std::stable_sort(pads.begin(), pads.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    PadNameBlock block;
    block.Assign(pads);
    return block;
}

TEST(PadNameBlock, FindsEachNameAmongNamesThatArePrefixesOfOneAnother) {
    const PadNameBlock block =
        BlockOf({{"10", 2}, {"1", 1}, {"100", 3}, {"A", 4}, {"A-1", 5}, {"a", 6}});
    EXPECT_EQ(block.Find("1"), 1u);
    EXPECT_EQ(block.Find("10"), 2u);
    EXPECT_EQ(block.Find("100"), 3u);
    EXPECT_EQ(block.Find("A"), 4u);
    EXPECT_EQ(block.Find("A-1"), 5u);
    EXPECT_EQ(block.Find("a"), 6u);
    // Absent names before, between and after the stored ones.
    for (const char* absent : {"0", "11", "1000", "A-", "B", "b", "", "z"}) {
        EXPECT_EQ(block.Find(absent), 0u) << absent;
    }
}

TEST(PadNameBlock, TheFirstPadOfANameWinsAndEmptyOrNulNamesAreNames) {
    using namespace std::string_view_literals;
    const PadNameBlock block =
        BlockOf({{"7", 10}, {"", 20}, {"7", 11}, {"", 21}, {"x\0y"sv, 30}, {"x", 31}});
    EXPECT_EQ(block.Find("7"), 10u);
    EXPECT_EQ(block.Find(""), 20u);
    EXPECT_EQ(block.Find("x\0y"sv), 30u);
    EXPECT_EQ(block.Find("x"), 31u);
    EXPECT_EQ(block.Find("x\0"sv), 0u);
}

TEST(PadNameBlock, AddingKeepsTheNamesHeldAndTakesTheFirstOfEachNewName) {
    PadNameBlock block = BlockOf({{"2", 20}, {"10", 100}});
    block.AddNew({{"2", 21}, {"1", 10}, {"B", 30}, {"1", 11}, {"", 40}});
    EXPECT_EQ(block.Find("2"), 20u) << "held before";
    EXPECT_EQ(block.Find("10"), 100u);
    EXPECT_EQ(block.Find("1"), 10u) << "the first of the new ones";
    EXPECT_EQ(block.Find("B"), 30u);
    EXPECT_EQ(block.Find(""), 40u);
    block.AddNew({});
    EXPECT_EQ(block.Find("B"), 30u);
    PadNameBlock empty;
    empty.AddNew({{"x", 1}});
    EXPECT_EQ(empty.Find("x"), 1u);
}

TEST(PadNameBlock, AnEmptyBlockFindsNothing) {
    const PadNameBlock block;
    EXPECT_EQ(block.Find(""), 0u);
    EXPECT_EQ(block.Find("1"), 0u);
}

} // namespace
} // namespace importtest
