// The KiCad board, BOM and placement files as the program writes them: whole and the same every
// time, for good boards and broken ones. What they hold is checked by KiCad itself
// (tests/kicad/check_kicad.py); here the sanitizer builds see the writers run on every kind of
// input.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
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

// On a board without nets the KiCad board gets nets from its copper: the summary counts them,
// --no-derived-nets leaves the copper without.
TEST(KicadOutput, TheSummaryCountsTheNetsDerivedFromTheCopper) {
    const std::string board = std::string(CLI_KICAD_DATA_DIR) + "/netless-gap.PCB";
    const struct {
        std::vector<std::string> Options;
        const char* SummaryLine; // empty: no such line
        bool NetsInKicad;
    } cases[] = {
        {{"--kicad"}, "KiCad nets:  2 derived from the copper\n", true},
        {{"--kicad", "--no-derived-nets"}, "KiCad nets:  0 derived from the copper\n", false},
        {{"--bom"}, "", false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::vector<std::string> arguments = {board};
        for (const std::string& option : c.Options) {
            arguments.push_back(option);
            if (option.rfind("--no-", 0) != 0) {
                arguments.push_back(folder / "out");
            }
        }
        const ProcessResult result = RunProgram(Program(), arguments);
        EXPECT_EQ(result.ExitStatus, Imported) << result.Err;
        const bool counted = result.Out.find("KiCad nets:") != std::string::npos;
        EXPECT_EQ(counted, *c.SummaryLine != 0) << result.Out;
        if (*c.SummaryLine != 0) {
            EXPECT_NE(result.Out.find(c.SummaryLine), std::string::npos) << result.Out;
        }
        const std::string kicad = c.Options[0] == "--kicad" ? ReadFile(folder / "out") : "";
        EXPECT_EQ(kicad.find("(net 1 \"Net-(R1-Pad2)\")") != std::string::npos, c.NetsInKicad);
    }
}

// One far value in a copy of the demo, as a user meets it: the object is clamped alone where
// KiCad cannot reach it (a possible loss: --strict gives 6), or named where it can, by its line;
// the sheet stays where the clean board has it.
TEST(KicadOutput, OneFarValueIsClampedAloneOrNamedByItsLine) {
    const auto originOf = [](const std::string& kicad) {
        const auto at = kicad.find("(aux_axis_origin");
        return kicad.substr(at, kicad.find(')', at) - at);
    };
    const std::string demo = ReadFile(DemoBoard());
    const std::string cleanOrigin = originOf(OutputsOf(DemoBoard()).Kicad);
    const struct {
        std::size_t Line;
        const char* Text;
        int Status;
        const char* SummaryLine;
    } cases[] = {
        {239, "2100 1800 3000000 2200 20 1 1", 6,
         "KiCad board: 1 object beyond KiCad's reach, clamped (line 239)\n"},
        {6, " 3000000 1540 50 0 10 7", 6,
         "KiCad board: 1 object beyond KiCad's reach, clamped (line 6)\n"},
        {239, "2100 1800 2100 42000 20 1 1", 0,
         "KiCad board: 1 object far outside the rest of the board, placed where the file says "
         "(line 239)\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::string damaged;
        std::size_t line = 1;
        for (std::size_t at = 0; at < demo.size(); ++line) {
            const std::size_t end = demo.find("\r\n", at);
            damaged += (line == c.Line ? std::string(c.Text) : demo.substr(at, end - at)) + "\r\n";
            at = end + 2;
        }
        WriteFile(folder / "damaged.PCB", damaged);
        const ProcessResult result = RunProgram(
            Program(), {folder / "damaged.PCB", "--strict", "--kicad", folder / "b.kicad_pcb"});
        EXPECT_EQ(result.ExitStatus, c.Status) << c.Text << ": " << result.Err;
        EXPECT_NE(result.Out.find(c.SummaryLine), std::string::npos) << result.Out;
        // A far value KiCad holds is no loss: named, not counted against the import.
        EXPECT_EQ(result.Out.find("Import:      complete") != std::string::npos, c.Status == 0)
            << result.Out;
        EXPECT_EQ(originOf(ReadFile(folder / "b.kicad_pcb")), cleanOrigin) << c.Text;
    }
}

// The summary names every part whose rotation is not inferred when a placement or a KiCad board
// is written, in natural order, and says nothing of it otherwise or when there is none.
TEST(KicadOutput, TheSummaryNamesThePartsWithoutAnInferredRotation) {
    const std::string duplicates = std::string(CLI_TEST_DATA_DIR) + "/duplicates.PCB";
    const std::string named =
        "Placement:   6 parts with no inferred rotation: Q1, R1, R1, U1, U1, U1\n";
    const struct {
        std::string Board;
        const char* Option;
        std::string Line; // empty: no such line
    } cases[] = {
        {duplicates, "--positions", named},
        {duplicates, "--kicad", named},
        {duplicates, "--bom", ""},
        {DemoBoard(), "--positions", ""},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const ProcessResult result = RunProgram(Program(), {c.Board, c.Option, folder / "out"});
        EXPECT_EQ(result.ExitStatus, Imported) << result.Err;
        const std::size_t at = result.Out.find("Placement:");
        EXPECT_EQ(at == std::string::npos
                      ? ""
                      : result.Out.substr(at, result.Out.find('\n', at) - at + 1),
                  c.Line)
            << c.Board << " " << c.Option;
    }
}

} // namespace
} // namespace clitest
