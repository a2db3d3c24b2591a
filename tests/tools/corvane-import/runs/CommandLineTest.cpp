// corvane-import as a person meets it on the command line: options, exit statuses, the messages
// for files it cannot import, and the summary.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace clitest {
namespace {

ProcessResult RunCli(const std::vector<std::string>& arguments) {
    return RunProgram(Program(), arguments);
}

TEST(CommandLine, HelpShowsUsageOptionsAndEveryExitStatus) {
    for (const char* option : {"--help", "-h"}) {
        const ProcessResult result = RunCli({option});
        EXPECT_EQ(result.ExitStatus, Imported);
        EXPECT_EQ(result.Err, "");
        EXPECT_NE(result.Out.find("Usage: corvane-import [OPTIONS] FILE..."), std::string::npos);
        for (const char* text : {"--json PATH", "--svg PATH", "--out-dir DIR", "--strict",
                                 "--quiet", "--version", "Escape", "{name}", "FILE '-'"}) {
            EXPECT_NE(result.Out.find(text), std::string::npos) << text;
        }
        for (int status = 0; status <= 7; ++status) {
            EXPECT_NE(result.Out.find("\n  " + std::to_string(status) + "  "), std::string::npos)
                << "exit status " << status << " is not documented";
        }
    }
}

TEST(CommandLine, HelpWinsOverAMissingFileAndOtherOptions) {
    const ProcessResult result = RunCli({"--json", "x.json", "--help"});
    EXPECT_EQ(result.ExitStatus, Imported);
    EXPECT_NE(result.Out.find("Usage:"), std::string::npos);
}

TEST(CommandLine, VersionNamesTheProgram) {
    const ProcessResult result = RunCli({"--version"});
    EXPECT_EQ(result.ExitStatus, Imported);
    EXPECT_EQ(result.Out.rfind("corvane-import ", 0), 0u) << result.Out;
    EXPECT_EQ(LineCount(result.Out), 1u);
}

struct UsageCase {
    const char* Name;
    std::vector<std::string> Arguments;
    const char* Says;
};

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, AreReportedWithTheirOwnStatusAndAHint) {
    const ProcessResult result = RunCli(GetParam().Arguments);
    EXPECT_EQ(result.ExitStatus, UsageError);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find(GetParam().Says), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("Try 'corvane-import --help'"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageErrors,
    ::testing::Values(
        UsageCase{"NoFile", {}, "no FILE given"},
        UsageCase{"UnknownOption", {"--frobnicate", "a.PCB"}, "unknown option '--frobnicate'"},
        UsageCase{"MissingValue", {"a.PCB", "--json"}, "option '--json' needs a value"},
        UsageCase{"EmptyValue", {"--svg=", "a.PCB"}, "needs a non-empty value"},
        UsageCase{"ValueForAFlag", {"--quiet=yes", "a.PCB"}, "takes no value"},
        UsageCase{"OutputsOfTwoFilesWithoutAFolder",
                  {"a.PCB", "b.PCB", "--json", "x.json"},
                  "need --out-dir"},
        UsageCase{"StandardInputTwice", {"-", "-"}, "'-' may be given once"},
        UsageCase{"AFolderInANameFormat",
                  {"--out-dir", "out", "--json", "a/{name}.json", "a.PCB"},
                  "take file names"},
        UsageCase{"UnknownEdgeLayer",
                  {"--kicad", "a.kicad_pcb", "--edge-layer", "Edge.Cuts", "a.PCB"},
                  "--edge-layer takes a layer name"}),
    [](const ::testing::TestParamInfo<UsageCase>& param) { return std::string(param.param.Name); });

// A refused file: status 1, one line on standard error that names the file, nothing written.
void ExpectRefused(const std::string& path, const std::string& reason) {
    TempFolder folder;
    const ProcessResult result = RunCli({path, "--json", folder / "out.json"});
    EXPECT_EQ(result.ExitStatus, NotImported) << result.Err;
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(LineCount(result.Err), 1u) << result.Err;
    EXPECT_NE(result.Err.find(path), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find(reason), std::string::npos) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.json"));
}

TEST(RefusedFiles, AMissingFileIsNamedAsMissing) {
    TempFolder folder;
    ExpectRefused(folder / "absent.PCB", "no such file");
}

TEST(RefusedFiles, AFolderIsNotAFile) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "board.PCB");
    ExpectRefused(folder / "board.PCB", "not a regular file");
}

TEST(RefusedFiles, AFileThatCannotBeReadSaysSo) {
    // The kernel refuses to read a process's memory at address 0: an existing regular file
    // whose read fails, even for root.
    ExpectRefused("/proc/self/mem", "cannot be read");
}

TEST(RefusedFiles, AFileWithoutReadPermissionCannotBeRead) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempFolder folder;
    WriteFile(folder / "locked.PCB", "PCB FILE 4\r\n");
    std::filesystem::permissions(folder / "locked.PCB", std::filesystem::perms::none);
    ExpectRefused(folder / "locked.PCB", "cannot be read: Permission denied");
}

TEST(RefusedFiles, AnotherFormatWithTheSameExtensionLacksTheMarkers) {
    TempFolder folder;
    WriteFile(folder / "other.PCB", std::string("\x00\x01\x02layout\r\nPCB FILE 4\r\n", 21));
    ExpectRefused(folder / "other.PCB", "not a Corvane board");
    ExpectRefused(folder / "other.PCB", "lacks \"PCB FILE 4\" or \"PCB FILE 5\"");
}

TEST(RefusedFiles, AnOlderVersionMarkerIsNotEnough) {
    TempFolder folder;
    WriteFile(folder / "old.PCB", "PCB FILE 3\r\nFT\r\n1 2 3 4 5 1\r\n");
    ExpectRefused(folder / "old.PCB", "the first line (\"PCB FILE 3\") lacks");
}

TEST(RefusedFiles, AnEmptyFileHasAnEmptyFirstLine) {
    TempFolder folder;
    WriteFile(folder / "empty.PCB", "");
    ExpectRefused(folder / "empty.PCB", "the first line is empty");
}

TEST(RefusedFiles, AMarkerPastTheFirst255CharactersIsNotSeen) {
    TempFolder folder;
    WriteFile(folder / "long.PCB", std::string(260, 'x') + "PCB FILE 4\r\n");
    ExpectRefused(folder / "long.PCB", "lacks");
}

TEST(Versions, TheVersionIsFiveOnlyWhenTheLineStartsWithTheExactMarker) {
    TempFolder folder;
    const struct {
        const char* FirstLine;
        const char* Version;
    } cases[] = {{"PCB FILE 5", "Version:     5"},
                 {"PCB FILE 4", "Version:     4"},
                 {"pcb file 5", "Version:     4"},
                 {"  PCB FILE 5", "Version:     4"},
                 {"PCB FILE 55", "Version:     5"}};
    for (const auto& c : cases) {
        WriteFile(folder / "v.PCB", std::string(c.FirstLine) + "\r\n");
        const ProcessResult result = RunCli({folder / "v.PCB"});
        EXPECT_EQ(result.ExitStatus, Imported) << c.FirstLine << ": " << result.Err;
        EXPECT_NE(result.Out.find(c.Version), std::string::npos) << c.FirstLine << "\n"
                                                                 << result.Out;
    }
}

TEST(Summary, TellsWhatLandedOnTheDemoBoard) {
    const ProcessResult result = RunCli({DemoBoard()});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    EXPECT_EQ(result.Err, "") << "no terminal: no progress bar";
    const std::string& out = result.Out;
    EXPECT_NE(out.find("File:        " +
                       std::filesystem::absolute(DemoBoard()).lexically_normal().string()),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Version:     4 (PCB FILE 4)"), std::string::npos) << out;
    EXPECT_NE(out.find("Import:      complete"), std::string::npos);
    EXPECT_NE(out.find("  tracks         35             27\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  vias            3              2\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  pads            2             23\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  arcs            5              3\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  fills           2              1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  texts           3              2\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Components:  8 (6 top, 2 bottom)"), std::string::npos) << out;
    EXPECT_NE(out.find("Nets:        7 joining 22 pads"), std::string::npos) << out;
    EXPECT_NE(out.find("Planes:      2 of 2 internal planes with a net (InternalPlane1 GND, "
                       "InternalPlane2 VCC)"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Time:        "), std::string::npos);
}

TEST(Summary, QuietPrintsNothingButStillWritesTheOutputs) {
    TempFolder folder;
    const ProcessResult result =
        RunCli({"--quiet", DemoBoard(), "--json", folder / "d.json", "--svg", folder / "d.svg"});
    EXPECT_EQ(result.ExitStatus, Imported);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "");
    EXPECT_FALSE(ReadFile(folder / "d.svg").empty());
    // Quiet or not, the JSON holds the whole board.
    const ProcessResult loud = RunCli({DemoBoard(), "--json", folder / "loud.json"});
    ASSERT_EQ(loud.ExitStatus, Imported);
    const std::string quietJson = ReadFile(folder / "d.json");
    EXPECT_NE(quietJson.find("\"components\""), std::string::npos);
    EXPECT_EQ(quietJson, ReadFile(folder / "loud.json"));
}

TEST(Summary, MovesToStandardErrorWhenTheJsonGoesToStandardOutput) {
    TempFolder folder;
    const ProcessResult toFile = RunCli({DemoBoard(), "--json", folder / "d.json"});
    const ProcessResult toStdout = RunCli({DemoBoard(), "--json", "-"});
    ASSERT_EQ(toStdout.ExitStatus, Imported);
    EXPECT_EQ(toStdout.Out, ReadFile(folder / "d.json"));
    EXPECT_NE(toStdout.Err.find("Components:  8"), std::string::npos);
    EXPECT_NE(toFile.Out.find("Components:  8"), std::string::npos);
}

TEST(Outputs, AnUnwritableOutputHasItsOwnStatus) {
    TempFolder folder;
    const ProcessResult result =
        RunCli({"-q", DemoBoard(), "--json", folder / "no/such/dir/x.json"});
    EXPECT_EQ(result.ExitStatus, OutputFailed);
    EXPECT_NE(result.Err.find("cannot write " + (folder / "no/such/dir/x.json")), std::string::npos)
        << result.Err;
}

TEST(Modules, AMissingPluginHasItsOwnStatus) {
    TempFolder folder;
    const ProcessResult result = RunCli({"--plugin", folder / "libNothing.so", DemoBoard()});
    EXPECT_EQ(result.ExitStatus, ModulesMissing);
    EXPECT_NE(result.Err.find("cannot load the plug-in module"), std::string::npos) << result.Err;
}

TEST(Modules, APluginThatCouldNotStartSaysWhyOnce) {
    const ProcessResult result =
        RunCli({"--plugin", FAILED_START_PLUGIN, DemoBoard(), DataFile("abort.PCB")});
    EXPECT_EQ(result.ExitStatus, ModulesMissing);
    EXPECT_EQ(result.Err.rfind("corvane-import: the plug-in could not start: host settings: "
                               "ReadInteger answered status -5 (",
                               0),
              0u)
        << result.Err;
    EXPECT_EQ(CountOf(result.Err, "\n"), 1u) << result.Err;
    EXPECT_EQ(result.Err.find("not recognised"), std::string::npos) << result.Err;
}

TEST(Modules, AModuleThatIsNotTheServerIsRefused) {
    // The plug-in is a module, but it has none of the server's host functions.
    const std::string plugin =
        (std::filesystem::path(Program()).parent_path() / "libCorvaneImport.so").string();
    const ProcessResult result = RunCli({"--server", plugin, DemoBoard()});
    EXPECT_EQ(result.ExitStatus, ModulesMissing);
    EXPECT_NE(result.Err.find("lacks Halvex_"), std::string::npos) << result.Err;
}

struct CorpusBoard {
    const char* Name;
    const char* Rows[4];
};

TEST(Corpus, EveryRealBoardImportsWithTheCountsItsReadmeGives) {
    const CorpusBoard boards[] = {
        {"PRJ.PCB",
         {"  tracks         73", "  pads            0            210", "Components:  9 ",
          "  vias            0"}},
        {"PRJ12.PCB",
         {"  tracks        632", "  pads           16            406", "Components:  52 ",
          "  vias           29"}},
    };
    for (const CorpusBoard& board : boards) {
        if (!std::filesystem::exists(CorpusFile(board.Name))) {
            GTEST_SKIP() << "no corpus at " << CLI_CORPUS_DIR;
        }
        const ProcessResult result = RunCli({CorpusFile(board.Name)});
        EXPECT_EQ(result.ExitStatus, Imported) << board.Name << ": " << result.Err;
        for (const char* row : board.Rows) {
            EXPECT_NE(result.Out.find(row), std::string::npos) << board.Name << ": " << row << "\n"
                                                               << result.Out;
        }
    }
}

TEST(Corpus, Prj12HasItsArcsAndStrings) {
    if (!std::filesystem::exists(CorpusFile("PRJ12.PCB"))) {
        GTEST_SKIP() << "no corpus at " << CLI_CORPUS_DIR;
    }
    const ProcessResult result = RunCli({CorpusFile("PRJ12.PCB")});
    EXPECT_NE(result.Out.find("  arcs            3"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("  texts           2"), std::string::npos) << result.Out;
}

} // namespace
} // namespace clitest
