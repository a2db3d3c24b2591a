// The parts of the program that decide bytes and layout on their own: the option table and the
// progress bar's line.

#include "corvane-import/Options.h"
#include "corvane-import/ProgressBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace corvane::cli {
namespace {

TEST(OptionParsing, TakesValuesInBothFormsAndFilesAfterTheEndOfOptions) {
    const ParsedOptions parsed =
        ParseOptions({"--json=out.json", "--svg", "pic.svg", "-q", "--", "--odd-name.PCB"});
    ASSERT_TRUE(parsed.Ok()) << parsed.Error;
    EXPECT_EQ(parsed.Values.Documents.at("--json"), "out.json");
    EXPECT_EQ(parsed.Values.Documents.at("--svg"), "pic.svg");
    EXPECT_TRUE(parsed.Values.Quiet);
    EXPECT_EQ(parsed.Values.InputFiles, std::vector<std::string>{"--odd-name.PCB"});
}

TEST(OptionParsing, AValueMayLookLikeAnOption) {
    const ParsedOptions parsed = ParseOptions({"--json", "-", "board.PCB"});
    ASSERT_TRUE(parsed.Ok()) << parsed.Error;
    EXPECT_EQ(parsed.Values.Documents.at("--json"), "-");
    EXPECT_EQ(parsed.Values.InputFiles, std::vector<std::string>{"board.PCB"});
}

TEST(OptionParsing, TheLastOfARepeatedOptionWins) {
    const ParsedOptions parsed = ParseOptions({"--json", "a.json", "--json", "b.json", "x.PCB"});
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.Values.Documents.at("--json"), "b.json");
}

TEST(ProgressLine, FitsTheTerminalWhateverTheCaption) {
    for (const int columns : {20, 40, 80, 200}) {
        ProgressBar bar(nullptr, false, columns);
        bar.Init("Loading " + std::string(300, 'x') + ".PCB (Corvane)", 1234);
        for (int i = 0; i < 600; ++i) {
            bar.Step();
        }
        const std::string line = bar.Line();
        EXPECT_LT(line.size(), static_cast<std::size_t>(columns)) << line;
        EXPECT_NE(line.find("600/1234"), std::string::npos) << line;
    }
}

TEST(ProgressLine, CountsStepsBeyondThePluginsTotalAndNeverFillsTheBarBeforeTheEnd) {
    ProgressBar bar(nullptr, false, 80);
    bar.Init("Loading demo.PCB (Corvane)", 4);
    EXPECT_EQ(bar.Line().find("Loading demo.PCB (Corvane) ["), 0u) << bar.Line();
    EXPECT_NE(bar.Line().find("] 0/4"), std::string::npos);
    for (int step = 1; step <= 6; ++step) {
        bar.Step(); // a record kind may take more steps than were counted
        const std::string line = bar.Line();
        EXPECT_NE(line.find("] " + std::to_string(step) + "/4"), std::string::npos) << line;
        EXPECT_NE(line.find(".]"), std::string::npos) << "work remains: " << line;
    }
    EXPECT_NE(bar.Line().find("#.]"), std::string::npos) << "all but the last cell";
}

TEST(ProgressLine, IsRedrawnAtMostAboutTwentyTimesASecond) {
    std::FILE* terminal = std::tmpfile();
    ASSERT_NE(terminal, nullptr);
    const auto start = std::chrono::steady_clock::now();
    {
        ProgressBar bar(terminal, true, 80);
        bar.Init("Loading many.PCB (Corvane)", 100000);
        for (int i = 0; i < 200000; ++i) {
            bar.Step();
        }
        bar.Finish();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long long intervals =
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 50;
    std::rewind(terminal);
    std::string written;
    for (int c = std::fgetc(terminal); c != EOF; c = std::fgetc(terminal)) {
        written += static_cast<char>(c);
    }
    std::fclose(terminal);
    // The first drawing, one per interval begun, and the clearing (a carriage return each end).
    const auto returns = static_cast<long long>(std::count(written.begin(), written.end(), '\r'));
    EXPECT_LE(returns, 1 + (intervals + 1) + 2) << "over " << intervals << " intervals";
    EXPECT_EQ(written.substr(written.size() - 1), "\r") << "cleared at the end";
}

TEST(ProgressLine, ThePassWithoutATotalShowsItsCaptionAlone) {
    ProgressBar bar(nullptr, false, 80);
    bar.Init("Scanning demo.PCB (Corvane)", 0);
    bar.Step();
    EXPECT_EQ(bar.Line(), "Scanning demo.PCB (Corvane)");
}

TEST(ProgressLine, LongCaptionsKeepTheirBeginningAndEnd) {
    EXPECT_EQ(ElideMiddle("abcdefghijklmnopqrstuvwxyz", 12), "abc...uvwxyz");
    EXPECT_EQ(ElideMiddle("short", 12), "short");
    EXPECT_EQ(ElideMiddle("abcdef", 2), "ab");
}

} // namespace
} // namespace corvane::cli
