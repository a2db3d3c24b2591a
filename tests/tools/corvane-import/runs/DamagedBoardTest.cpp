// The demo board with one line damaged as files get damaged: never called complete, --strict
// fails, and the report names the damaged line.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

namespace clitest {
namespace {

struct Damage {
    const char* Name;
    std::size_t Line; // of the demo board, 1-based
    std::string Text; // the line instead (without its CR LF)
    const char* Kinds;
    const char* Reported; // in the report's text
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.Name;
}

// The demo board with the line replaced.
std::string Damaged(std::size_t lineNumber, const std::string& text) {
    const std::string board = ReadFile(DemoBoard());
    std::size_t start = 0;
    for (std::size_t line = 1; line < lineNumber; ++line) {
        start = board.find('\n', start) + 1;
    }
    const std::size_t end = board.find("\r\n", start);
    return board.substr(0, start) + text + board.substr(end);
}

class DamagedDemo : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedDemo, IsNotCompleteFailsStrictAndNamesTheLine) {
    TempFolder folder;
    const std::string board = folder / "damaged.PCB";
    WriteFile(board, Damaged(GetParam().Line, GetParam().Text));
    const ProcessResult strict = RunProgram(Program(), {"--strict", "--report", "text", board});
    EXPECT_EQ(strict.ExitStatus, MayHaveLostData) << strict.Err;
    EXPECT_NE(strict.Err.find(std::string("Import:      data may have been lost (") +
                              GetParam().Kinds + "), see --report text"),
              std::string::npos)
        << strict.Err;
    EXPECT_NE(strict.Out.find(GetParam().Reported), std::string::npos) << strict.Out;
    EXPECT_EQ(RunProgram(Program(), {board}).ExitStatus, Imported);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedDemo,
    ::testing::Values(
        Damage{"KeywordLetter", 9, "CQ", "skipped-line, node-not-found",
               "skipped-line: line inside a component not read (3 times, lines 9, 10, 11)"},
        Damage{"NulBytesInNumbers", 10,
               std::string("1200 1650 7\0\0\0"
                           "0 2 40 1 13",
                           25),
               "control-in-numbers", "control-in-numbers: a NUL byte among numbers"},
        Damage{"CrInsideNumbers", 208, "1100 10\r00 2900 1000 10 12 1", "control-in-numbers",
               "control-in-numbers: a CR without LF among numbers, read as a blank: a number it "
               "stood in was read as two, and the numbers after it moved by one (line 208)"},
        Damage{"LongNumber", 6, " 12345678901234567890123 1540 50 0 10 7", "malformed-number",
               "malformed-number: \"12345678901234567890123\" read as 0 (line 6)"},
        Damage{"FarValueInAComponentsText", 7, " 1140 3000000 50 0 10 7", "value-clamped",
               "value-clamped: 3000000 mil beyond the host's coordinate range (line 7)"},
        Damage{"FarValueInAFreeTrack", 210, "3000 1100 -3000000 2300 10 12 1", "value-clamped",
               "value-clamped: -3000000 mil beyond the host's coordinate range (line 210)"}),
    [](const auto& param) { return param.param.Name; });

} // namespace
} // namespace clitest
