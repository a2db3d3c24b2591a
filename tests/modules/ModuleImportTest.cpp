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
    const std::string file =
        WriteFile("noboard.pcb", std::string(HeaderOnly) + "FT\n1 2 3 4 5 1\n");
    const std::uint32_t other = OpenBoard(file + ".other");
    EXPECT_FALSE(Import(file));
    EXPECT_TRUE(Members(other).empty());
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

TEST_F(ModuleImportTest, ImportsAWholeBoardThroughTheModules) {
    const std::string file =
        WriteFile("whole.pcb", "PCB FILE 4\r\n"
                               "FT\r\n0 0 100 0 10 1\r\n"
                               "COMP\r\nU1\r\nDIP8\r\nLOGIC\r\n10 20 60 0 0 7\r\n30 40 50 0 0 7\r\n"
                               "1000 2000 0 0\r\nCP\r\n0 0 60 60 1 30 2 13\r\n1\r\nENDCOMP\r\n"
                               "NETDEF\r\nGND\r\n(\r\nU1-1\r\n)\r\n");
    const std::uint32_t board = OpenBoard(file);
    ASSERT_TRUE(Import(file));

    const std::vector<std::uint32_t> onBoard = Members(board);
    ASSERT_EQ(3u, onBoard.size());
    EXPECT_EQ(HALVEX_KIND_TRACK, Object(onBoard[0]).Kind);
    const HalvexObjectInfo component = Object(onBoard[1]);
    const HalvexObjectInfo net = Object(onBoard[2]);
    EXPECT_EQ(HALVEX_KIND_COMPONENT, component.Kind);
    EXPECT_STREQ("U1", component.Name);
    EXPECT_STREQ("LOGIC", component.Comment);
    EXPECT_EQ(HALVEX_KIND_NET, net.Kind);
    EXPECT_STREQ("GND", net.Name);

    const std::vector<std::uint32_t> children = Members(component.Handle);
    ASSERT_EQ(1u, children.size());
    const HalvexObjectInfo pad = Object(children[0]);
    EXPECT_STREQ("1", pad.Name);
    EXPECT_EQ(74u, pad.Layer); // MultiLayer
    EXPECT_EQ(net.Handle, pad.Net);
    EXPECT_EQ(0, pad.Tag);
    EXPECT_EQ(std::vector<std::uint32_t>{pad.Handle}, Members(net.Handle));

    HalvexLayerInfo plane{};
    ASSERT_EQ(HALVEX_STATUS_OK, Server().GetStackLayer(board, 1, &plane));
    EXPECT_STREQ("InternalPlane1", plane.Name);
    EXPECT_STREQ("GND", plane.PlaneNetName);
}

} // namespace
} // namespace moduletest
