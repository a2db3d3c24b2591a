// Escape during an import, from a terminal: the confirmation is asked on the terminal, Yes stops
// the import after the current record, No lets it run to the end, and the terminal's settings
// come back afterwards.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

namespace clitest {
namespace {

constexpr const char* Escape = "\x1b";
constexpr const char* Prompt = "(y/n)? ";

// Ten free tracks; Escape is typed ahead, before the program starts, so the plug-in's first abort
// check (at the first record) finds it whatever the speed of the machine. The outputs' earlier
// files hold "earlier".
struct AbortRun {
    TerminalSession Session;
    std::string Json, Svg, Kicad;
};

AbortRun ImportAnswering(const std::string& answer, const std::vector<std::string>& options = {}) {
    TempFolder folder;
    std::vector<std::string> arguments{
        DataFile("abort.PCB"), "--json",  folder / "a.json",     "--svg",
        folder / "a.svg",      "--kicad", folder / "a.kicad_pcb"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    for (const char* name : {"a.json", "a.svg", "a.kicad_pcb"}) {
        WriteFile(folder / name, "earlier");
    }
    AbortRun run;
    run.Session = RunOnTerminal(Program(), arguments, {{"", Escape}, {Prompt, answer}});
    run.Json = ReadFile(folder / "a.json");
    run.Svg = ReadFile(folder / "a.svg");
    run.Kicad = ReadFile(folder / "a.kicad_pcb");
    return run;
}

TEST(TerminalAbort, YesStopsTheImportAfterTheCurrentRecordAndReplacesNoOutput) {
    const AbortRun run = ImportAnswering("y");
    EXPECT_EQ(run.Session.ExitStatus, Aborted) << run.Session.Screen;
    EXPECT_NE(run.Session.Screen.find("Confirm: Confirm Abort Process (y/n)? yes"),
              std::string::npos)
        << run.Session.Screen;
    EXPECT_NE(run.Session.Screen.find("Import:      aborted by the user"), std::string::npos)
        << run.Session.Screen;
    EXPECT_NE(run.Session.Screen.find("Outputs:     none written"), std::string::npos)
        << run.Session.Screen;
    EXPECT_EQ(run.Json + run.Svg + run.Kicad, "earlierearlierearlier");
}

TEST(TerminalAbort, KeepPartialWritesWhatWasReadMarkedPartial) {
    const AbortRun run = ImportAnswering("y", {"--keep-partial"});
    EXPECT_EQ(run.Session.ExitStatus, Aborted) << run.Session.Screen;
    // The record being read when the user answered is on the board; none after it.
    EXPECT_NE(run.Json.find("\"imported\": false"), std::string::npos) << run.Json;
    EXPECT_EQ(CountOf(run.Json, "{\"x1\": "), 1u) << run.Json;
    EXPECT_NE(run.Svg.find("<title>abort.PCB (partial: the import was aborted"), std::string::npos)
        << run.Svg;
    EXPECT_NE(run.Kicad.find("(comment 2 \"partial: the import was aborted"), std::string::npos)
        << run.Kicad;
}

TEST(TerminalAbort, NoLetsTheImportRunToItsEnd) {
    const AbortRun run = ImportAnswering("n");
    EXPECT_EQ(run.Session.ExitStatus, Imported) << run.Session.Screen;
    EXPECT_NE(run.Session.Screen.find("Confirm Abort Process (y/n)? no"), std::string::npos)
        << run.Session.Screen;
    // To its end, which lacks ENDPCB.
    EXPECT_NE(run.Session.Screen.find("Import:      data may have been lost (missing-endpcb)"),
              std::string::npos)
        << run.Session.Screen;
    EXPECT_NE(run.Json.find("\"imported\": true"), std::string::npos);
    EXPECT_EQ(CountOf(run.Json, "{\"x1\": "), 10u);
}

TEST(TerminalAbort, OtherKeysAndArrowKeysDoNotAbort) {
    TempFolder folder;
    const TerminalSession session = RunOnTerminal(
        Program(), {DataFile("abort.PCB"), "--json", folder / "a.json"}, {{"", "q\x1b[A\x1bOB"}});
    EXPECT_EQ(session.ExitStatus, Imported) << session.Screen;
    EXPECT_EQ(session.Screen.find("Confirm Abort Process"), std::string::npos) << session.Screen;
    EXPECT_EQ(CountOf(ReadFile(folder / "a.json"), "{\"x1\": "), 10u);
}

TEST(TerminalAbort, TheProgressBarIsDrawnOnTheTerminal) {
    const TerminalSession session = RunOnTerminal(Program(), {DemoBoard()}, {});
    EXPECT_EQ(session.ExitStatus, Imported) << session.Screen;
    EXPECT_NE(session.Screen.find("Scanning "), std::string::npos) << session.Screen;
    EXPECT_NE(session.Screen.find("Loading "), std::string::npos) << session.Screen;
    EXPECT_NE(session.Screen.find("demo.PCB (Corvane) ["), std::string::npos) << session.Screen;
}

TEST(TerminalAbort, TheTerminalSettingsComeBackAfterAnAbort) {
    TempFolder folder;
    // A shell runs the program and then shows the terminal's settings.
    const std::string command = "'" + Program() + "' '" + DataFile("abort.PCB") + "' --json '" +
                                (folder / "a.json") + "'; echo \"status=$?\"; stty -a";
    const TerminalSession session =
        RunOnTerminal("/bin/sh", {"-c", command}, {{"", Escape}, {Prompt, "y"}});
    const std::string& screen = session.Screen;
    const auto after = screen.find("status=3");
    ASSERT_NE(after, std::string::npos) << screen;
    const std::string settings = screen.substr(after);
    EXPECT_NE(settings.find(" icanon"), std::string::npos) << settings;
    EXPECT_NE(settings.find(" echo "), std::string::npos) << settings;
    EXPECT_EQ(settings.find("-icanon"), std::string::npos) << settings;
}

} // namespace
} // namespace clitest
