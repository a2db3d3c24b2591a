// The node index against the search through the host's containers, on a scripted host that
// decides for itself what a host may decide: the order its board lists components in (each new
// one first, last or anywhere), the layers a pad is listed on (its own, several, in any order),
// and which components the board holds (an add that failed, or that answered a failure and still
// added). Components arrive between lookups, as in a file where components and nets alternate;
// designators and pin names repeat.

#include "RecordingServer.h"
#include "ScriptedBoard.h"
#include "importer/NodeIndex.h"
#include "pcbmodel/lookups/PinReference.h"
#include "pcbmodel/lookups/ScratchComponent.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::FakeComponent;
using testing::FakePad;
using testing::ScriptedBoard;
constexpr HostHandle Board = testing::ScriptedBoardHandle;

const char* const Designators[] = {"U1", "u1", "U2", "R1", "", "U1-A"};
const char* const Pins[] = {"1", "2", "A", "a", "A-1", "10"};
const TLayer PadLayers[] = {1, 2, 32, 74, 40, 82};

template <typename T, std::size_t N> const T& Pick(std::mt19937& random, const T (&items)[N]) {
    return items[random() % N];
}

std::string RandomReference(std::mt19937& random) {
    std::string reference = Pick(random, Designators);
    if (random() % 8 != 0) {
        reference += "-";
    }
    return reference + Pick(random, Pins);
}

// Pads of random names listed on one to three random layers each, in any order.
FakeComponent RandomComponent(std::mt19937& random, HostHandle handle) {
    FakeComponent component{handle,
                            random() % 2 == 0 ? TLayer{1} : TLayer{32},
                            handle + 1,
                            Pick(random, Designators),
                            {}};
    if (random() % 10 == 0) {
        component.Side = 74; // on neither side
    }
    const int pads = 1 + static_cast<int>(random() % 5);
    for (int i = 0; i < pads; ++i) {
        FakePad pad{handle + 2 + static_cast<HostHandle>(i), Pick(random, Pins), {}};
        const int listed = 1 + static_cast<int>(random() % 3);
        for (int l = 0; l < listed; ++l) {
            pad.Layers.push_back(Pick(random, PadLayers));
        }
        component.Pads.push_back(pad);
    }
    return component;
}

enum class Placement { Last, First, Anywhere };

class NodeIndexOnAnyHost : public ::testing::Test {
protected:
    void SetUp() override {
        recording::Reset();
        ForgetScratchComponent();
    }

    // A new component where the host puts it; most adds succeed. Tells the index.
    HostHandle Add(ScriptedBoard& board, NodeIndex* index, FakeComponent component,
                   Placement placement, std::int32_t status) {
        auto& listed = board.Components;
        std::size_t place = listed.size();
        if (placement == Placement::First) {
            place = 0;
        } else if (placement == Placement::Anywhere) {
            place = random() % (listed.size() + 1);
        }
        listed.insert(listed.begin() + static_cast<std::ptrdiff_t>(place), component);
        if (index != nullptr) {
            index->ComponentAdded(component.Handle, status);
        }
        return component.Handle;
    }

    void ExpectSameAnswers(NodeIndex& index, int lookups, const std::string& context) {
        for (int i = 0; i < lookups; ++i) {
            const String255 reference(RandomReference(random));
            ASSERT_EQ(index.FindPad(reference), FindPadByPinReference(Board, reference))
                << context << " reference " << reference.Str();
        }
    }

    std::mt19937 random;
    HostHandle nextHandle = 0x100;
};

TEST_F(NodeIndexOnAnyHost, AnswersWhatTheSearchAnswersWhileComponentsArrive) {
    for (const Placement placement : {Placement::Last, Placement::First, Placement::Anywhere}) {
        for (unsigned seed = 1; seed <= 15; ++seed) {
            random.seed(seed);
            recording::Reset();
            ScriptedBoard board({});
            for (int i = 0; i < 4; ++i) { // on the board before the first lookup
                Add(board, nullptr, RandomComponent(random, nextHandle += 0x10), placement, 0);
            }
            NodeIndex index(Board);
            const std::string context =
                "placement " + std::to_string(int(placement)) + " seed " + std::to_string(seed);
            for (int step = 0; step < 30; ++step) {
                if (random() % 2 == 0) {
                    ExpectSameAnswers(index, 8, context + " step " + std::to_string(step));
                    continue;
                }
                FakeComponent component = RandomComponent(random, nextHandle += 0x10);
                // A failed add leaves the component off the board; a host may also answer a
                // failure and add it all the same.
                const std::int32_t status = random() % 6 == 0 ? 1 : 0;
                component.OnBoard = status == 0 || random() % 2 == 0;
                Add(board, &index, component, placement, status);
            }
            EXPECT_TRUE(board.Live.empty()) << "an iterator was left open";
        }
    }
}

TEST_F(NodeIndexOnAnyHost, AComponentWithANewDesignatorIsLearnedWithoutAWalk) {
    ScriptedBoard board({});
    NodeIndex index(Board);
    for (int i = 0; i < 50; ++i) {
        FakeComponent component{nextHandle += 0x10,
                                i % 3 == 0 ? TLayer{32} : TLayer{1},
                                nextHandle + 1,
                                "C" + std::to_string(i),
                                {}};
        component.Pads = {{nextHandle + 2, "1", {74}}, {nextHandle + 3, "2", {1, 74}}};
        Add(board, &index, component, i % 2 == 0 ? Placement::First : Placement::Anywhere, 0);
        const String255 reference("C" + std::to_string(i) + "-2");
        EXPECT_EQ(index.FindPad(reference), nextHandle + 3);
        EXPECT_EQ(index.FindPad(String255("C0-1")),
                  FindPadByPinReference(Board, String255("C0-1")));
    }
    EXPECT_EQ(index.BoardWalks(), 1u) << "only the first lookup walks the board";
}

TEST_F(NodeIndexOnAnyHost, ADuplicateOrADoubtfulAddTakesOneWalkAtTheFirstLookupNamingIt) {
    ScriptedBoard board(
        {{0x10, 1, 0x11, "U1", {{0x12, "1", {1}}}}, {0x20, 32, 0x21, "R1", {{0x22, "1", {32}}}}});
    NodeIndex index(Board);
    const auto expectSearchAnswer = [&](const char* reference) {
        EXPECT_EQ(index.FindPad(String255(reference)),
                  FindPadByPinReference(Board, String255(reference)))
            << reference;
    };
    expectSearchAnswer("U1-1");
    EXPECT_EQ(index.BoardWalks(), 1u);

    // A second U1 on the top side, listed first by the host.
    Add(board, &index, {0x30, 1, 0x31, "U1", {{0x32, "1", {1}}}}, Placement::First, 0);
    expectSearchAnswer("R1-1");
    EXPECT_EQ(index.BoardWalks(), 1u) << "R1 is not in doubt";
    expectSearchAnswer("U1-1");
    EXPECT_EQ(index.FindPad(String255("U1-1")), 0x32u);
    EXPECT_EQ(index.BoardWalks(), 2u);
    expectSearchAnswer("U1-1");
    EXPECT_EQ(index.BoardWalks(), 2u) << "one walk settles it";

    // An add the host refused: only a walk can tell where, if anywhere, the component is.
    FakeComponent refused{0x40, 1, 0x41, "Q1", {{0x42, "1", {1}}}};
    refused.OnBoard = false;
    Add(board, &index, refused, Placement::Last, 1);
    expectSearchAnswer("Q1-1");
    EXPECT_EQ(index.FindPad(String255("Q1-1")), 0u);
    EXPECT_EQ(index.BoardWalks(), 3u);
    EXPECT_TRUE(board.Live.empty());
}

TEST_F(NodeIndexOnAnyHost, PadsAreAskedLayerByLayerOnlyAsFarAsTheLookupsNeed) {
    ScriptedBoard board(
        {{0x10, 1, 0x11, "U1", {{0x12, "1", {3}}, {0x13, "2", {74}}, {0x14, "1", {2}}}}});
    NodeIndex index(Board);
    EXPECT_EQ(index.FindPad(String255("U1-1")), 0x14u) << "layer 2 comes before layer 3";
    EXPECT_EQ(board.LayersOpenedOn(0x10).size(), 2u);
    EXPECT_EQ(index.FindPad(String255("U1-2")), 0x13u);
    EXPECT_EQ(board.LayersOpenedOn(0x10).size(), 74u);
    EXPECT_EQ(index.FindPad(String255("U1-9")), 0u);
    EXPECT_EQ(board.LayersOpenedOn(0x10).size(), 82u) << "each layer once";
    EXPECT_EQ(index.FindPad(String255("U1-8")), 0u);
    EXPECT_EQ(board.LayersOpenedOn(0x10).size(), 82u);
}

} // namespace
} // namespace corvane
