// The import report on the command line: its two forms, its file, and its line in the summary.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

namespace clitest {
namespace {

ProcessResult RunCli(const std::vector<std::string>& arguments) {
    return RunProgram(Program(), arguments);
}

// A board with one problem of each of three kinds, on known lines.
std::string ProblemBoard(const TempFolder& folder) {
    const std::string path = folder / "problems.PCB";
    WriteFile(path, "PCB FILE 4\r\nXYZ\r\nFT\r\n1 2 3x 4 5 1\r\nFF\r\n0 0 1 1 14\r\n"
                    "NETDEF\r\nN\r\n(\r\nU9-1\r\n)\r\nENDPCB\r\n");
    return path;
}

TEST(ReportOption, TextListsEveryEntryWithItsLine) {
    TempFolder folder;
    const ProcessResult result = RunCli({"--report", "text", ProblemBoard(folder)});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    EXPECT_NE(result.Out.find("Import report: 4 entries"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("skipped-line: unrecognised line \"XYZ\" (line 2)"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("malformed-number: \"3x\" read as 0 (line 4)"), std::string::npos);
    EXPECT_NE(result.Out.find("layer-out-of-range: file layer 14 outside 1..13"),
              std::string::npos);
    EXPECT_NE(result.Out.find("node-not-found: U9-1 (line 10)"), std::string::npos);
    // The summary moves out of the way, and ends with the counts.
    EXPECT_NE(result.Err.find("Report:      4 entries: 1 skipped-line, 1 malformed-number, "
                              "1 layer-out-of-range, 1 node-not-found"),
              std::string::npos)
        << result.Err;
}

TEST(ReportOption, JsonGoesToTheReportFile) {
    TempFolder folder;
    const std::string reportPath = folder / "report.json";
    const ProcessResult result =
        RunCli({"--report", "json", "--report-file", reportPath, ProblemBoard(folder)});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    const std::string json = ReadFile(reportPath);
    EXPECT_EQ(json.rfind("{\n  \"notes\": [],\n  \"entries\": 4,\n", 0), 0u) << json;
    EXPECT_NE(json.find("{\"kind\": \"node-not-found\", \"detail\": \"U9-1\", \"count\": 1, "
                        "\"lines\": [10]}"),
              std::string::npos)
        << json;
    EXPECT_NE(result.Out.find("Report:      4 entries"), std::string::npos) << result.Out;
}

TEST(ReportOption, AReportFileAloneHoldsTheText) {
    TempFolder folder;
    const ProcessResult result =
        RunCli({"--report-file", folder / "report.txt", ProblemBoard(folder)});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    EXPECT_EQ(ReadFile(folder / "report.txt").rfind("Import report: 4 entries", 0), 0u);
}

TEST(ReportOption, ACleanBoardHasAnEmptyReport) {
    TempFolder folder;
    const std::string path = folder / "clean.PCB";
    WriteFile(path, "PCB FILE 4\nFT\n1 2 3 4 5 1\nENDPCB\n");
    const ProcessResult result = RunCli({path});
    ASSERT_EQ(result.ExitStatus, Imported);
    EXPECT_NE(result.Out.find("Report:      0 entries\n"), std::string::npos) << result.Out;
}

TEST(ReportOption, WrongFormsAreUsageErrors) {
    TempFolder folder;
    const std::string board = ProblemBoard(folder);
    EXPECT_EQ(RunCli({"--report", "xml", board}).ExitStatus, UsageError);
    EXPECT_EQ(RunCli({"--report", "text", "--json", "-", board}).ExitStatus, UsageError);
}

} // namespace
} // namespace clitest
