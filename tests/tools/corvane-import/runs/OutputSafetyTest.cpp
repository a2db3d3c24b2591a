// What corvane-import does so that an output never destroys data and an outcome never hides a
// loss: refused outputs, interrupted and failed writes, --strict, internal failures, and runs of
// several files or of standard input.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace clitest {
namespace {

constexpr int Interrupted = -1; // ended by a signal

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool UnderAddressSanitizer = true;
#else
constexpr bool UnderAddressSanitizer = false;
#endif
#else
constexpr bool UnderAddressSanitizer = false;
#endif

ProcessResult RunCli(const std::vector<std::string>& arguments, const RunSettings& settings = {}) {
    return RunProgram(Program(), arguments, settings);
}

// A board of many free tracks, whose outputs take a while to write, ending as a board should.
std::string LargeBoard(const TempFolder& folder, int tracks) {
    std::string text = "PCB FILE 4\r\n";
    for (int i = 0; i < tracks; ++i) {
        text += "FT\r\n" + std::to_string(i % 9000) + " " + std::to_string(i / 9000) + " " +
                std::to_string(i % 9000 + 5) + " " + std::to_string(i / 9000 + 5) + " 8 1\r\n";
    }
    const std::string path = folder / "large.PCB";
    WriteFile(path, text + "ENDPCB\r\n");
    return path;
}

struct RefusedCase {
    const char* Name;
    std::vector<std::string> Outputs; // after the board; INPUT, LINK and HARD name the input
    const char* Says;
};

TEST(RefusedOutputs, AnOutputThatIsTheInputOrAnotherOutputIsRefusedBeforeAnythingRuns) {
    const std::vector<RefusedCase> cases = {
        {"input", {"--json", "INPUT"}, "is an input file"},
        {"link", {"--svg", "LINK"}, "is an input file"},
        {"hard link", {"--report", "text", "--report-file", "HARD"}, "is an input file"},
        {"two outputs", {"--json", "out", "--svg", "out"}, "would both write"},
        {"standard output twice",
         {"--json", "/dev/stdout", "--svg", "-"},
         "can write to standard output"},
    };
    for (const RefusedCase& c : cases) {
        TempFolder folder;
        const std::string board = folder / "board.PCB";
        WriteFile(board, ReadFile(DemoBoard()));
        std::filesystem::create_symlink(board, folder / "link.PCB");
        std::filesystem::create_hard_link(board, folder / "hard.PCB");
        std::vector<std::string> arguments = {board};
        for (const std::string& output : c.Outputs) {
            arguments.push_back(output == "INPUT"  ? board
                                : output == "LINK" ? folder / "link.PCB"
                                : output == "HARD" ? folder / "hard.PCB"
                                : output == "out"  ? folder / "out"
                                                   : output);
        }
        const ProcessResult result = RunCli(arguments);
        EXPECT_EQ(result.ExitStatus, UsageError) << c.Name << ": " << result.Err;
        EXPECT_EQ(LineCount(result.Err), 1u) << c.Name << ": " << result.Err;
        EXPECT_NE(result.Err.find(c.Says), std::string::npos) << c.Name << ": " << result.Err;
        EXPECT_EQ(result.Out, "") << c.Name;
        EXPECT_EQ(ReadFile(board), ReadFile(DemoBoard())) << c.Name;
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"board.PCB", "hard.PCB", "link.PCB"}))
            << c.Name;
    }
}

TEST(RefusedOutputs, StandardOutputIsTheInputWhenTheSummaryWouldBeAppendedToIt) {
    TempFolder folder;
    const std::string board = folder / "board.PCB";
    WriteFile(board, ReadFile(DemoBoard()));
    RunSettings settings;
    settings.StandardOutput = board;
    const ProcessResult result = RunCli({board}, settings);
    EXPECT_EQ(result.ExitStatus, UsageError) << result.Err;
    EXPECT_EQ(ReadFile(board), ReadFile(DemoBoard()));
}

TEST(StandardOutputNames, DevStdoutIsTheDashAndTheSummaryMovesAside) {
    const ProcessResult result = RunCli({DemoBoard(), "--json", "/dev/stdout"});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    EXPECT_EQ(result.Out, ReadFile(ExpectedFile("demo.json")));
    EXPECT_NE(result.Err.find("Components:  8"), std::string::npos) << result.Err;
}

// True when the screen ends with a line of blanks between two carriage returns: the progress
// bar's line erased.
bool EndsWithAnErasedLine(const std::string& screen) {
    if (screen.size() < 3 || screen.back() != '\r') {
        return false;
    }
    const auto start = screen.rfind('\r', screen.size() - 2);
    return start != std::string::npos && start + 2 < screen.size() &&
           screen.find_first_not_of(' ', start + 1) == screen.size() - 1;
}

struct InterruptionCase {
    const char* Name;
    bool OnTerminal;       // the signal comes from the terminal (Ctrl-C) or from kill
    int Signal;            // 0: no signal, a file-size limit instead
    bool IgnoreSizeSignal; // with the limit: a write error rather than SIGXFSZ
    int Status;
};

// An earlier file of each output's name is as it was, and no temporary file is left, however the
// writing stops.
TEST(InterruptedWrites, LeaveTheEarlierFilesAsTheyWereAndNoTemporaryFile) {
    const std::vector<InterruptionCase> cases = {
        {"Ctrl-C", true, SIGINT, false, Interrupted},
        {"SIGTERM", true, SIGTERM, false, Interrupted},
        {"a full disk (write error)", false, 0, true, OutputFailed},
        {"a file-size limit (SIGXFSZ)", false, 0, false, Interrupted},
    };
    TempFolder boards;
    const std::string board = LargeBoard(boards, 300000);
    for (const InterruptionCase& c : cases) {
        TempFolder folder;
        WriteFile(folder / "out.json", "EARLIER JSON");
        WriteFile(folder / "out.svg", "EARLIER SVG");
        const std::vector<std::string> arguments = {board, "--json", folder / "out.json", "--svg",
                                                    folder / "out.svg"};
        int status = 0;
        std::string screen;
        if (c.OnTerminal) {
            // The signal comes while the outputs are written, as the progress bar says.
            const TerminalStep interrupt{"Writing ", c.Signal == SIGINT ? "\x03" : "",
                                         c.Signal == SIGINT ? 0 : c.Signal};
            const TerminalSession session = RunOnTerminal(Program(), arguments, {interrupt});
            status = session.ExitStatus;
            screen = session.Screen;
            EXPECT_NE(screen.find("Writing out.json, out.svg ["), std::string::npos) << c.Name;
            EXPECT_TRUE(EndsWithAnErasedLine(screen))
                << c.Name << ": the bar stays on the screen: ..."
                << screen.substr(screen.size() > 300 ? screen.size() - 300 : 0);
        } else {
            RunSettings settings;
            settings.FileSizeLimit = 1 << 20;
            settings.IgnoreFileSizeSignal = c.IgnoreSizeSignal;
            const ProcessResult result = RunCli(arguments, settings);
            status = result.ExitStatus;
            screen = result.Err;
            if (c.IgnoreSizeSignal) {
                EXPECT_NE(result.Err.find("cannot write " + (folder / "out.json")),
                          std::string::npos)
                    << result.Err;
            }
        }
        EXPECT_EQ(status, c.Status) << c.Name << "\n" << screen;
        EXPECT_TRUE(ReadFile(folder / "out.json") == "EARLIER JSON") << c.Name;
        EXPECT_TRUE(ReadFile(folder / "out.svg") == "EARLIER SVG") << c.Name;
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"out.json", "out.svg"})) << c.Name;
    }
}

// A real full disk, where a small file system can be mounted (a user and mount namespace of its
// own, as unshare makes them): the write fails, and the earlier file and the folder are as before.
TEST(InterruptedWrites, AFullFileSystemKeepsTheEarlierFile) {
    TempFolder folder;
    const std::string board = LargeBoard(folder, 100000);
    std::filesystem::create_directories(folder / "small");
    const std::string script =
        "mount -t tmpfs -o size=256k none \"$0\" || exit 77\n"
        "printf EARLIER > \"$0/out.json\"\n"
        "\"$1\" -q \"$2\" --json \"$0/out.json\" --svg \"$0/out.svg\" 2>/dev/null\n"
        "echo \"status=$?\"\n"
        "echo \"kept=$(cat \"$0/out.json\")\"\n"
        "echo \"files=$(ls -A \"$0\" | tr '\\n' ' ')\"\n";
    const ProcessResult result = RunProgram(
        "/usr/bin/unshare", {"-rm", "/bin/sh", "-c", script, folder / "small", Program(), board});
    if (result.ExitStatus != 0 || result.Out.find("status=") == std::string::npos) {
        GTEST_SKIP() << "no small file system can be mounted here: " << result.Err;
    }
    EXPECT_NE(result.Out.find("status=4\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("kept=EARLIER\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("files=out.json \n"), std::string::npos) << result.Out;
}

struct FailedOutputCase {
    const char* Name;
    std::vector<std::string> Arguments; // after the board; "FOLDER/" is the test's folder
    const char* Stdout;                 // a file standard output goes to, or ""
    const char* Says;
};

TEST(FailedOutputs, HaveTheirOwnStatusAndAWrongPathFailsBeforeTheImport) {
    const std::vector<FailedOutputCase> cases = {
        {"a folder that does not exist",
         {"--json", "FOLDER/no/such/folder/x.json"},
         "",
         "cannot write"},
        {"a device that is full", {"-q", "--svg", "/dev/full"}, "", "No space left on device"},
        {"the summary on a full device", {}, "/dev/full", "cannot write the summary"},
    };
    for (const FailedOutputCase& c : cases) {
        TempFolder folder;
        std::vector<std::string> arguments = {DemoBoard()};
        for (const std::string& argument : c.Arguments) {
            arguments.push_back(argument.rfind("FOLDER/", 0) == 0 ? folder / argument.substr(7)
                                                                  : argument);
        }
        RunSettings settings;
        settings.StandardOutput = c.Stdout;
        const ProcessResult result = RunCli(arguments, settings);
        EXPECT_EQ(result.ExitStatus, OutputFailed) << c.Name << ": " << result.Err;
        EXPECT_NE(result.Err.find(c.Says), std::string::npos) << c.Name << ": " << result.Err;
        EXPECT_EQ(result.Out.find("Import:"), std::string::npos)
            << c.Name << ": a wrong path fails before the import";
        EXPECT_TRUE(folder.Names().empty()) << c.Name;
    }
}

struct LossCase {
    const char* Name;
    std::string Board;
    const char* Kind; // the kind that may have lost data, "" for none
};

// The text after a line's label ("Import:      "), up to the line end; "" when no line has it.
std::string LineAfter(const std::string& text, const std::string& label) {
    const auto start = text.find(label);
    return start == std::string::npos
               ? ""
               : text.substr(start + label.size(), text.find('\n', start) - start - label.size());
}

TEST(Losses, TheOutcomeSaysSoEverywhereAndStrictMakesThemAFailure) {
    const std::vector<LossCase> cases = {
        {"a whole board", "PCB FILE 4\r\nFT\r\n1 2 3 4 5 1\r\nENDPCB\r\n\x1a", ""},
        {"cut at a record's end", "PCB FILE 4\r\nFT\r\n1 2 3 4 5 1\r\n", "missing-endpcb"},
        {"cut inside a record", "PCB FILE 4\r\nFT\r\n1 2 3 4 5 1\r\nCOMP\r\n", "missing-endpcb"},
        {"bytes after Ctrl-Z",
         "PCB FILE 4\r\nENDPCB\r\n\x1a"
         "FT\r\n1 2 3 4 5 1\r\n",
         "bytes-after-end-mark"},
        {"CR-only line ends", "PCB FILE 4\rFT\r1 2 3 4 5 1\rENDPCB\r", ""},
        {"a CR alone inside", "PCB FILE 4\r\nFT\r1 2 3 4 5 1\r\nENDPCB\r\n", "cr-without-lf"},
    };
    for (const LossCase& c : cases) {
        TempFolder folder;
        WriteFile(folder / "b.PCB", c.Board);
        const ProcessResult plain = RunCli({folder / "b.PCB", "--json", folder / "b.json"});
        const ProcessResult strict = RunCli({"--strict", folder / "b.PCB"});
        const ProcessResult several =
            RunCli({"--out-dir", folder / "out", folder / "b.PCB", DemoBoard()});
        const bool lost = *c.Kind != '\0';
        EXPECT_EQ(plain.ExitStatus, Imported) << c.Name;
        EXPECT_EQ(strict.ExitStatus, lost ? MayHaveLostData : Imported) << c.Name;
        const std::string outcome = LineAfter(plain.Out, "Import:      ");
        const std::string status = LineAfter(several.Out, folder / "b.PCB: ");
        for (const std::string& words : {outcome, status}) {
            EXPECT_EQ(words.rfind("complete", 0) == 0, !lost) << c.Name << ": " << words;
            EXPECT_EQ(words.rfind("data may have been lost (", 0) == 0, lost)
                << c.Name << ": " << words;
            EXPECT_NE(words.find(c.Kind), std::string::npos) << c.Name << ": " << words;
        }
        EXPECT_NE(ReadFile(folder / "b.json")
                      .find(std::string("\"mayHaveLostData\": ") + (lost ? "true" : "false")),
                  std::string::npos)
            << c.Name;
    }
}

// The text with every CR LF made a CR alone, as an old Macintosh file has its line ends.
std::string WithCrLineEnds(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at + 1, 1);
    }
    return text;
}

TEST(OldLineEnds, ABoardWithCrAloneImportsWholeWithANote) {
    TempFolder folder;
    WriteFile(folder / "demo.PCB", WithCrLineEnds(ReadFile(DemoBoard())));
    RunSettings fromPipe;
    fromPipe.StandardInput = folder / "demo.PCB";
    const ProcessResult file =
        RunCli({folder / "demo.PCB", "--json", folder / "demo.json", "--report", "json",
                "--report-file", folder / "report.json"});
    const ProcessResult piped = RunCli({"-", "--report", "text"}, fromPipe);
    const ProcessResult original = RunCli({DemoBoard(), "--report", "text"});
    ASSERT_EQ(file.ExitStatus, Imported) << file.Err;
    ASSERT_EQ(piped.ExitStatus, Imported) << piped.Err;
    EXPECT_EQ(ReadFile(folder / "demo.json"), ReadFile(ExpectedFile("demo.json")));
    EXPECT_NE(file.Out.find("Import:      complete\nNote:        the lines end with CR alone"),
              std::string::npos)
        << file.Out;
    EXPECT_NE(file.Out.find("Report:      1 entry: 1 unread-record; note: cr-line-ends\n"),
              std::string::npos)
        << file.Out;
    EXPECT_EQ(ReadFile(folder / "report.json")
                  .rfind("{\n  \"notes\": [\n    {\"kind\": "
                         "\"cr-line-ends\", \"detail\": ",
                         0),
              0u)
        << ReadFile(folder / "report.json");
    // The same report (the summary moved to standard error), its lines numbered as in the file,
    // with the note after the counts.
    const std::string& report = original.Out;
    const std::string firstLine = report.substr(0, report.find('\n') + 1);
    const std::string& notedReport = piped.Out;
    EXPECT_EQ(notedReport.rfind(firstLine + "  note cr-line-ends: the lines end with CR alone", 0),
              0u)
        << notedReport;
    EXPECT_EQ(notedReport.substr(notedReport.find('\n', firstLine.size()) + 1),
              report.substr(firstLine.size()));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"demo.PCB", "demo.json", "report.json"}));
}

TEST(InternalFailures, OutOfMemoryHasItsOwnStatusAndOneLineAlsoWhenQuiet) {
    if (UnderAddressSanitizer) {
        GTEST_SKIP() << "the sanitizer's own memory does not fit a data limit";
    }
    TempFolder folder;
    const std::string board = LargeBoard(folder, 300000);
    WriteFile(folder / "out.json", "EARLIER JSON");
    RunSettings settings;
    // A small board imports in 4 MB; this one needs more than twice the limit.
    settings.DataLimit = 16LL << 20;
    const ProcessResult result =
        RunCli({"--quiet", board, "--json", folder / "out.json"}, settings);
    EXPECT_EQ(result.ExitStatus, InternalFailure) << result.Err;
    EXPECT_EQ(LineCount(result.Err), 1u) << result.Err;
    EXPECT_NE(result.Err.find("out of memory"), std::string::npos) << result.Err;
    EXPECT_EQ(result.Err.find("abort"), std::string::npos) << result.Err;
    EXPECT_TRUE(ReadFile(folder / "out.json") == "EARLIER JSON");
}

TEST(SeveralFiles, EachGetsItsOutputsAndAStatusLineAndTheWorstStatusWins) {
    TempFolder folder;
    WriteFile(folder / "bad.PCB", "not a board\r\n");
    const ProcessResult result = RunCli({"--out-dir", folder / "out", DataFile("free-records.PCB"),
                                         folder / "bad.PCB", DemoBoard(), "--report", "json"});
    EXPECT_EQ(result.ExitStatus, NotImported) << result.Err;
    EXPECT_EQ(LineCount(result.Out), 3u) << result.Out;
    EXPECT_EQ(result.Out.find(DataFile("free-records.PCB") +
                              ": data may have been lost (missing-endpcb), see --report text; "
                              "7 objects"),
              0u)
        << result.Out;
    EXPECT_NE(result.Out.find("bad.PCB: not imported\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("demo.PCB: complete; 108 objects, 8 components, 7 nets"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Err.find("bad.PCB: not a Corvane board"), std::string::npos) << result.Err;
    EXPECT_EQ(ReadFile(folder / "out/demo.json"), ReadFile(ExpectedFile("demo.json")));
    EXPECT_EQ(ReadFile(folder / "out/free-records.svg"),
              ReadFile(ExpectedFile("free-records.svg")));
    EXPECT_NE(ReadFile(folder / "out/demo.report.json").find("\"entries\": 1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "out/bad.json"));
}

TEST(SeveralFiles, TwoThatWouldWriteOneOutputAreRefusedBeforeAnythingRuns) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "other");
    WriteFile(folder / "other/demo.PCB", ReadFile(DemoBoard()));
    const ProcessResult result =
        RunCli({"--out-dir", folder / "out", DemoBoard(), folder / "other/demo.PCB"});
    EXPECT_EQ(result.ExitStatus, UsageError);
    EXPECT_NE(result.Err.find("would both write"), std::string::npos) << result.Err;
    EXPECT_EQ(result.Out, "");
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(StandardInput, ABoardCanComeThroughAPipe) {
    TempFolder folder;
    RunSettings settings;
    settings.StandardInput = DemoBoard();
    const ProcessResult result = RunCli({"-", "--json", folder / "b.json"}, settings);
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    EXPECT_NE(result.Out.find("File:        standard input\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("Components:  8"), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "b.json").find("{\n  \"file\": \"-\",\n"), 0u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"b.json"});
}

} // namespace
} // namespace clitest
