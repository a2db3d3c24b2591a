// The KiCad board, BOM and placement files as the program writes them: whole and the same every
// time, for good boards and broken ones. What they hold is checked by KiCad itself
// (tests/kicad/check_kicad.py); here the sanitizer builds see the writers run on every kind of
// input.

#include "CliTestSupport.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace clitest {
namespace {

struct Outputs {
    int Status = 0;
    std::string Kicad, Bom, Positions, Err;
};

Outputs OutputsOf(const std::string& board) {
    TempFolder folder;
    const ProcessResult result =
        RunProgram(Program(), {"-q", board, "--kicad", folder / "b.kicad_pcb", "--bom",
                               folder / "b.csv", "--positions", folder / "p.csv"});
    return {result.ExitStatus, ReadFile(folder / "b.kicad_pcb"), ReadFile(folder / "b.csv"),
            ReadFile(folder / "p.csv"), result.Err};
}

// Parentheses outside quoted strings close every one they open, and never close too early.
bool Balanced(const std::string& text) {
    long depth = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (quoted) {
            if (text[i] == '\\') {
                ++i;
            } else if (text[i] == '"') {
                quoted = false;
            }
        } else if (text[i] == '"') {
            quoted = true;
        } else if (text[i] == '(' || text[i] == ')') {
            depth += text[i] == '(' ? 1 : -1;
            if (depth < 0) {
                return false;
            }
        }
    }
    return depth == 0 && !quoted;
}

TEST(KicadOutput, EveryBoardGivesWholeFilesTheSameEveryTime) {
    std::vector<std::string> boards = {DemoBoard(),
                                       std::string(CLI_KICAD_DATA_DIR) + "/routed.PCB"};
    for (const auto& entry : std::filesystem::directory_iterator(CLI_MALFORMED_DIR)) {
        boards.push_back(entry.path().string());
    }
    std::sort(boards.begin(), boards.end());
    for (const std::string& board : boards) {
        const Outputs first = OutputsOf(board);
        if (first.Status == 1) {
            continue; // not a Corvane board: nothing imported, nothing written
        }
        EXPECT_EQ(first.Status, 0) << board << ": " << first.Err;
        EXPECT_EQ(first.Kicad.rfind("(kicad_pcb (version 20211014) (generator corvane-import)", 0),
                  0u)
            << board;
        EXPECT_TRUE(Balanced(first.Kicad)) << board;
        EXPECT_EQ(first.Bom.rfind("Comment,Pattern,Quantity,Designators\r\n", 0), 0u) << board;
        EXPECT_EQ(CountOf(first.Positions, "\r\n"), CountOf(first.Positions, "\n")) << board;
        const Outputs second = OutputsOf(board);
        EXPECT_TRUE(first.Kicad == second.Kicad && first.Bom == second.Bom &&
                    first.Positions == second.Positions)
            << board << ": another run gave other bytes";
    }
}

} // namespace
} // namespace clitest
