// The board read back into memory (what outputs that need all of it at once use) holds what the
// walk hands the streamed writers: the demo board imported in process through the loaded modules.

#include "corvane-import/ImportRun.h"
#include "corvane-import/Summary.h"
#include "hostlink/BoardWalker.h"
#include "hostlink/ModuleLoader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvane::cli {
namespace {

TEST(BoardSnapshot, HoldsWhatTheWalkHandsTheWriters) {
    const LoadedModules modules = LoadedModules::Load({});
    ASSERT_TRUE(modules.Ok()) << modules.Error();
    ProgressBar bar(nullptr, false, 80);
    const std::string demo =
        std::filesystem::absolute(std::string(CLI_EXAMPLES_DIR) + "/demo.PCB").string();
    const ImportRunResult run = RunImport(modules, demo, 4, bar);
    ASSERT_TRUE(run.Outcome.Completed);

    const Board board = SnapshotBoard(modules.Server(), run.Board);
    BoardCounter counter;
    WalkBoard(modules.Server(), run.Board, counter);
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
    modules.Server().CloseAllBoards();
}

} // namespace
} // namespace corvane::cli
