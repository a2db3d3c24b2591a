// The plug-in and the substitute server loaded as modules, as the host editor loads them: a board
// is opened for a file, then the plug-in's three exports are called.

#include "ModuleFixture.h"

namespace moduletest {
namespace {

constexpr const char* HeaderOnly = "PCB FILE 4\r\n";

using ModuleImportTest = ModuleTest;

TEST_F(ModuleImportTest, RecognisesABoardFileOnly) {
    EXPECT_TRUE(Recognised(WriteFile("board.pcb", HeaderOnly)));
    EXPECT_TRUE(Recognised(WriteFile("v5.pcb", "pcb file 5\r\n")));
    EXPECT_FALSE(Recognised(WriteFile("notes.txt", "hello\r\nPCB FILE 4\r\n")));
    EXPECT_FALSE(Recognised(MissingFile("missing.pcb")));
}

TEST_F(ModuleImportTest, DescribesItsFiles) {
    EXPECT_EQ("Corvane Files (*.PCB)", Description());
}

TEST_F(ModuleImportTest, ImportsAHeaderOnlyFileIntoTheOpenBoardAndLeavesItEmpty) {
    const std::string file = WriteFile("empty.pcb", HeaderOnly);
    const std::uint32_t board = OpenBoard(file);
    ASSERT_NE(0u, board);
    EXPECT_TRUE(Import(file));
    EXPECT_TRUE(Members(board).empty());
    HalvexBoardInfo info{};
    ASSERT_EQ(HALVEX_STATUS_OK, Server().GetBoardInfo(board, &info));
    EXPECT_EQ(0, info.ObjectCount);
    EXPECT_EQ(4, info.StackLayerCount);
}

TEST_F(ModuleImportTest, ShowsScanningThenLoadingOnTheProgressBar) {
    const std::string file = WriteFile("progress.pcb", HeaderOnly);
    OpenBoard(file);
    ASSERT_TRUE(Import(file));
    EXPECT_EQ((std::vector<std::string>{"Scanning " + file + " (Corvane)",
                                        "Loading " + file + " (Corvane)"}),
              ProgressCaptions());
    ASSERT_FALSE(Progress().empty());
    EXPECT_EQ(0, Progress().front().Steps);
    EXPECT_EQ("finish", Progress().back().Kind);
}

TEST_F(ModuleImportTest, WithoutAnOpenBoardTheImportFails) {
    const std::string file = WriteFile("noboard.pcb", HeaderOnly);
    OpenBoard(file + ".other");
    EXPECT_FALSE(Import(file));
    EXPECT_TRUE(Progress().empty());
}

TEST_F(ModuleImportTest, AFileThatIsNoBoardIsNotImported) {
    const std::string file = WriteFile("notes.txt", "hello\r\n");
    const std::uint32_t board = OpenBoard(file);
    EXPECT_FALSE(Import(file));
    EXPECT_TRUE(Members(board).empty());
    EXPECT_TRUE(Progress().empty());
}

TEST_F(ModuleImportTest, TheBoardIsFoundByTheExactFileName) {
    const std::string file = WriteFile("Exact.PCB", HeaderOnly);
    OpenBoard(file);
    EXPECT_TRUE(Import(file));
}

} // namespace
} // namespace moduletest
