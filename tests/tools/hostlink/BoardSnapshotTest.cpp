// The board read back into memory (what outputs that need all of it at once use) holds what the
// walk hands the streamed writers, each primitive in the container the walk names: the demo board
// imported in process through the loaded modules.

#include "boardmodel/BoardStore.h"
#include "corvane-import/ImportRun.h"
#include "corvane-import/Summary.h"
#include "hostlink/BoardWalker.h"
#include "hostlink/ModuleLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

namespace corvane::cli {
namespace {

// The demo board imported into the loaded server, closed at the end.
class DemoBoard : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(modules_.Ok()) << modules_.Error();
        ProgressBar bar(nullptr, false, 80);
        const std::string demo =
            std::filesystem::absolute(std::string(CLI_EXAMPLES_DIR) + "/demo.PCB").string();
        const ImportRunResult run = RunImport(modules_, demo, 4, bar);
        ASSERT_TRUE(run.Outcome.Completed);
        board_ = run.Board;
    }
    void TearDown() override { modules_.Server().CloseAllBoards(); }

    const HalvexApi& Server() const { return modules_.Server(); }
    const LoadedModules& Modules() const { return modules_; }
    std::uint32_t Handle() const { return board_; }

private:
    const LoadedModules modules_ = LoadedModules::Load({});
    std::uint32_t board_ = 0;
};

// Every value the walk shows, each primitive put where the walk's owner says: the component's
// number, counted as the walk counts them, finds the component.
class ValueCollector final : public BoardVisitor {
public:
    void OnBoardBegin(const DocumentHeader& header) override { board_.Header = header; }
    void OnPlanes(const std::vector<Plane>& planes) override { board_.Planes = planes; }
    void OnTrack(const Track& track, Owner owner) override { Into(owner).Tracks.push_back(track); }
    void OnVia(const Via& via, Owner owner) override { Into(owner).Vias.push_back(via); }
    void OnPad(const Pad& pad, Owner owner) override { Into(owner).Pads.push_back(pad); }
    void OnArc(const Arc& arc, Owner owner) override { Into(owner).Arcs.push_back(arc); }
    void OnFill(const Fill& fill, Owner owner) override { Into(owner).Fills.push_back(fill); }
    void OnText(const Text& text, Owner owner) override { Into(owner).Texts.push_back(text); }
    void OnComponentBegin(const Component& component) override {
        board_.Components.push_back(component);
    }
    void OnNet(const Net& net) override { board_.Nets.push_back(net); }

    const Board& Collected() const { return board_; }

private:
    Primitives& Into(Owner owner) {
        return owner.InComponent() ? board_.Components.at(owner.Container - 1).Children
                                   : board_.Free;
    }

    Board board_;
};

TEST_F(DemoBoard, SnapshotHoldsWhatTheWalkHandsTheWriters) {
    ValueCollector collector;
    const DocumentHeader header{"demo.PCB", 4, true, true};
    WalkBoard(Server(), Handle(), header, collector);
    const Board& board = collector.Collected();
    BoardCounter counter;
    WalkBoard(Server(), Handle(), header, counter);
    const BoardCounts& counts = counter.Counts();
    std::size_t childTracks = 0;
    std::size_t childPads = 0;
    for (const Component& component : board.Components) {
        childTracks += component.Children.Tracks.size();
        childPads += component.Children.Pads.size();
    }
    EXPECT_EQ(board.Free.Tracks.size(), 35u);
    EXPECT_EQ(childTracks, 27u);
    EXPECT_EQ(childPads, 23u);
    EXPECT_EQ(board.Components.size(), counts.Components);
    EXPECT_EQ(board.Free.Vias.size(), counts.Vias.Free);
    EXPECT_EQ(board.Nets.size(), 7u);
    ASSERT_EQ(board.Planes.size(), 2u);
    EXPECT_EQ(board.Planes[0].Net, "GND");
    ASSERT_TRUE(board.Components[0].DesignatorText.has_value());
    EXPECT_EQ(board.Components[0].DesignatorText->Content, board.Components[0].Designator);
}

// Each object carries the line of the file it was read from, as the plug-in gives it by handle,
// through the walk and the compact store.
TEST_F(DemoBoard, EveryObjectCarriesTheLineItWasReadFrom) {
    ObjectLineIndex lines(Modules().Plugin().GetImportReport(CorvaneReportObjectLines));
    ValueCollector collector;
    WalkBoard(Server(), Handle(), {}, collector, {}, &lines);
    const Board& board = collector.Collected();
    // J1: the designator's and comment's strings on lines 3 and 5, their geometry on 7 and 6,
    // the position on 8, its first pad's data line 10; the first free track's data line 208.
    const Component& j1 = board.Components.at(0);
    EXPECT_EQ(j1.Designator, "J1");
    EXPECT_EQ(j1.Line, 8u);
    EXPECT_EQ(j1.DesignatorText->Line, 7u);
    EXPECT_EQ(j1.CommentText->Line, 6u);
    EXPECT_EQ(j1.Children.Pads.at(0).Line, 10u);
    EXPECT_EQ(board.Free.Tracks.at(0).Line, 208u);
    std::size_t withoutLine = 0;
    const auto count = [&](const auto& objects) {
        withoutLine += std::size_t(std::count_if(objects.begin(), objects.end(),
                                                 [](const auto& o) { return o.Line == 0; }));
    };
    count(board.Free.Tracks), count(board.Free.Vias), count(board.Free.Fills);
    for (const Component& c : board.Components) {
        count(c.Children.Tracks), count(c.Children.Pads), count(c.Children.Arcs);
        withoutLine += c.Line == 0 ? 1 : 0;
    }
    EXPECT_EQ(withoutLine, 0u);

    BoardStore store;
    ObjectLineIndex again(Modules().Plugin().GetImportReport(CorvaneReportObjectLines));
    WalkBoard(Server(), Handle(), {}, store, {}, &again);
    EXPECT_EQ(store.WholeComponentAt(0), j1);
    EXPECT_EQ(store.Free().Tracks[0], board.Free.Tracks[0]);
}

// Records the pads each net came with.
class NetPads final : public BoardVisitor {
public:
    explicit NetPads(bool needs) : needs_(needs) {}
    void OnNet(const Net& net) override { pads_ += net.Pads.size(); }
    bool NeedsNetPads() const override { return needs_; }
    std::size_t Pads() const { return pads_; }

private:
    bool needs_;
    std::size_t pads_ = 0;
};

// The compact store gives the walked board back as it was shown, with its whole header, and so does
// the store of a board of values; a walk reads the pads of the nets only when one of its visitors
// needs them.
TEST_F(DemoBoard, TheCompactStoreGivesTheBoardBackAndNetPadsAreReadWhenNeeded) {
    const DocumentHeader header{"demo.PCB", 5, false, true};
    ValueCollector collector;
    BoardStore store;
    VisitorFanOut walked;
    walked.Add(collector);
    walked.Add(store);
    WalkBoard(Server(), Handle(), header, walked);
    const Board& board = collector.Collected();
    const BoardStore ofValues = StoreOf(board);
    for (const BoardStore& kept : {std::cref(store), std::cref(ofValues)}) {
        EXPECT_EQ(kept.Header().File, "demo.PCB");
        EXPECT_EQ(kept.Header().Version, 5);
        EXPECT_FALSE(kept.Header().Imported);
        EXPECT_TRUE(kept.Header().MayHaveLostData);
    }
    EXPECT_EQ(store.Planes(), board.Planes);
    const StoredPrimitives free = store.Free();
    EXPECT_EQ(std::vector<Track>(free.Tracks.begin(), free.Tracks.end()), board.Free.Tracks);
    EXPECT_EQ(std::vector<Via>(free.Vias.begin(), free.Vias.end()), board.Free.Vias);
    EXPECT_EQ(std::vector<Text>(free.Texts.begin(), free.Texts.end()), board.Free.Texts);
    ASSERT_EQ(store.ComponentCount(), board.Components.size());
    for (std::size_t i = 0; i < board.Components.size(); ++i) {
        EXPECT_EQ(store.WholeComponentAt(i), board.Components[i]) << i;
    }
    ASSERT_EQ(store.NetCount(), board.Nets.size());
    for (std::size_t i = 0; i < board.Nets.size(); ++i) {
        EXPECT_EQ(store.NetAt(i), board.Nets[i]) << i;
    }

    NetPads without(false), with(true);
    WalkBoard(Server(), Handle(), {}, without);
    EXPECT_EQ(without.Pads(), 0u);
    NetPads alsoWithout(false);
    VisitorFanOut both;
    both.Add(alsoWithout);
    both.Add(with);
    WalkBoard(Server(), Handle(), {}, both);
    EXPECT_GT(with.Pads(), 0u);
}

} // namespace
} // namespace corvane::cli
