// The parts of the program that decide bytes and layout on their own: the option table, --help,
// the summary and the progress bar's line.

#include "corvane-import/Documents.h"
#include "corvane-import/LineEndCopy.h"
#include "corvane-import/Options.h"
#include "corvane-import/ProgressBar.h"
#include "corvane-import/Summary.h"
#include "kicadwriter/KicadDocument.h"
#include "placement/UninferredParts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace corvane::cli {
namespace {

TEST(LineEndCopies, MakeEveryCrWithoutLfAnLfAndKeepEveryOtherByte) {
    struct Case {
        std::vector<std::string> Pieces; // read one after the other
        std::string Expected;
    };
    const std::vector<Case> cases = {
        {{"PCB FILE 4\rFT\r"}, "PCB FILE 4\nFT\n"},
        {{"a\r\nb\r\n"}, "a\r\nb\r\n"},
        {{"a\r", "\nb\r", "c"}, "a\r\nb\nc"},
        {{"a\r\r", "\r"}, "a\n\n\n"},
        {{"a\r\x1a\r"}, "a\n\x1a\n"},
        {{""}, ""},
    };
    for (const Case& c : cases) {
        bool pendingCr = false;
        std::string out;
        for (std::size_t i = 0; i < c.Pieces.size(); ++i) {
            out += CarriageReturnsToLineFeeds(c.Pieces[i], pendingCr, i + 1 == c.Pieces.size());
        }
        EXPECT_EQ(out, c.Expected) << c.Pieces.front();
    }
}

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

TEST(OptionParsing, EdgeLayersInAnyCaseAndAReportFileAlone) {
    struct Case {
        std::vector<std::string> Arguments;
        std::string EdgeLayer; // "" when the command line is wrong
        std::string ReportFormat;
    };
    const std::vector<Case> cases = {
        {{"a.PCB"}, "KeepOutLayer", ""},
        {{"--edge-layer", "keepoutlayer", "a.PCB"}, "KeepOutLayer", ""},
        {{"--edge-layer", "MECHANICAL16", "a.PCB"}, "Mechanical16", ""},
        {{"--edge-layer", "mechanical17", "a.PCB"}, "", ""},
        {{"--edge-layer", "Edge.Cuts", "a.PCB"}, "", ""},
        {{"--report-file", "r.txt", "a.PCB"}, "KeepOutLayer", "text"},
        {{"--report-file", "r.json", "--report", "json", "a.PCB"}, "KeepOutLayer", "json"},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = ParseOptions(c.Arguments);
        EXPECT_EQ(parsed.Ok(), !c.EdgeLayer.empty()) << c.Arguments[1] << ": " << parsed.Error;
        if (parsed.Ok()) {
            EXPECT_EQ(KicadSettingsOf(parsed.Values.WriterSettings).EdgeLayer, c.EdgeLayer)
                << c.Arguments[1];
            EXPECT_EQ(parsed.Values.ReportFormat, c.ReportFormat) << c.Arguments[1];
        }
    }
}

TEST(HelpText, NamesEveryLayerTheEdgeMayBeOnAndStandardOutputForEveryOutput) {
    const std::string help = HelpText();
    for (const char* name : {"KeepOutLayer", "TopOverlay", "Mechanical1..Mechanical16",
                             "MidLayer1..MidLayer30", "PATH '-' writes to standard output"}) {
        EXPECT_NE(help.find(name), std::string::npos) << name;
    }
    // Every document and each option of its writer, from the table of documents.
    for (const DocumentKind& kind : DocumentKinds()) {
        EXPECT_NE(help.find("\n  " + std::string(kind.Option) + " PATH"), std::string::npos)
            << kind.Option;
        for (const DocumentOption& option : kind.Options) {
            EXPECT_NE(help.find("\n  " + std::string(option.Name)), std::string::npos)
                << option.Name;
        }
    }
    std::size_t start = 0;
    for (auto end = help.find('\n'); end != std::string::npos; end = help.find('\n', start)) {
        EXPECT_LE(end - start, 88u) << help.substr(start, end - start);
        start = end + 1;
    }
}

TEST(SummaryPlanes, ReadNaturallyWhenNoPlaneHasANet) {
    struct Case {
        std::vector<Plane> Planes;
        std::string Line;
    };
    const std::vector<Case> cases = {
        {{}, "Planes:      none\n"},
        {{{"InternalPlane1", {}}, {"InternalPlane2", {}}},
         "Planes:      none: no internal plane has a net\n"},
        {{{"InternalPlane1", "GND"}, {"InternalPlane2", {}}},
         "Planes:      1 of 2 internal planes with a net (InternalPlane1 GND)\n"},
    };
    for (const Case& c : cases) {
        BoardCounter counter;
        counter.OnPlanes(c.Planes);
        EXPECT_NE(SummaryText({}, counter).find(c.Line), std::string::npos) << c.Line;
    }
}

// What the import or the KiCad board may have lost, and the objects the KiCad board could not
// place as the file has them, in the summary's words (the KiCad board's notes as its document
// gives them).
TEST(SummaryLosses, NameTheImportsAndTheKicadBoardsWithTheirLines) {
    struct Case {
        std::string Losses;
        std::vector<std::uint32_t> Clamped, Far;
        std::string Line;
    };
    const std::vector<Case> cases = {
        {"", {}, {}, "Import:      complete\n"},
        {"line-cut", {}, {}, "data may have been lost (line-cut), see --report text\n"},
        {"", {809}, {}, "Import:      data may have been lost (kicad-beyond-reach)\n"},
        {"value-clamped", {809}, {}, "(value-clamped, kicad-beyond-reach), see --report text\n"},
        {"", {809}, {}, "KiCad board: 1 object beyond KiCad's reach, clamped (line 809)\n"},
        {"",
         {},
         {900, 12, 0, 5, 7, 3, 8},
         "KiCad board: 7 objects far outside the rest of the board, placed where the file says "
         "(lines 3, 5, 7, 8, 12, ...)\n"},
        {"",
         {},
         {0},
         "KiCad board: 1 object far outside the rest of the board, placed "
         "where the file says\n"},
        {"",
         {},
         {},
         "KiCad board: the board's origin lies beyond KiCad's reach: the auxiliary origin, which "
         "manufacturing files measure from, is clamped\n"},
        {"", {}, {}, "Import:      data may have been lost (kicad-beyond-reach)\n"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        KicadBoardOutcome kicad;
        for (const std::uint32_t line : c.Clamped) {
            kicad.Clamped.push_back(
                {0, StoredKind::Track, std::uint32_t(kicad.Clamped.size()), line});
        }
        for (const std::uint32_t line : c.Far) {
            kicad.FarPlaced.push_back(
                {0, StoredKind::Pad, std::uint32_t(kicad.FarPlaced.size()), line});
        }
        // The last two cases: the origin clamped, which is a possible loss by itself.
        kicad.OriginClamped = i + 2 >= cases.size();
        DocumentNotes notes;
        AddKicadNotes(kicad, KicadBoardSettings{}, notes);
        ImportOutcome outcome;
        outcome.Completed = true;
        outcome.Losses = c.Losses;
        outcome.OutputLosses = notes.Losses();
        outcome.DocumentLines = notes.BoardLines();
        const std::string summary = SummaryText(outcome, BoardCounter());
        EXPECT_NE(summary.find(c.Line), std::string::npos) << summary;
    }
}

// The summary's closing lines: a later document's line of a key replaces an earlier one's, an
// empty line removes it.
TEST(SummaryLosses, ALaterDocumentsLineOfAKeyTakesTheEarliersPlace) {
    DocumentNotes notes;
    notes.SetClosingLine("edge", "Edge:        made up");
    notes.SetClosingLine("parts", "Placement:   1 part with no inferred rotation: T1");
    notes.SetClosingLine("parts", "Placement:   2 parts with no inferred rotation: A30, T1");
    EXPECT_EQ(notes.ClosingLines(), "Edge:        made up\n"
                                    "Placement:   2 parts with no inferred rotation: A30, T1\n");
    notes.SetClosingLine("edge", "");
    EXPECT_EQ(notes.ClosingLines(), "Placement:   2 parts with no inferred rotation: A30, T1\n");
    EXPECT_EQ(UninferredPartsLine({"T1", "A30"}),
              "Placement:   2 parts with no inferred rotation: A30, T1");
    EXPECT_EQ(UninferredPartsLine({}), "");
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

TEST(ProgressLine, AListenerHearsTheBarWithoutATerminalAsOftenAsItWouldBeDrawn) {
    std::vector<std::tuple<std::string, std::int32_t, std::int32_t>> heard;
    const auto start = std::chrono::steady_clock::now();
    {
        ProgressBar bar(nullptr, false, 80,
                        [&](const std::string& caption, std::int32_t done, std::int32_t total) {
                            heard.emplace_back(caption, done, total);
                        });
        bar.Init("Loading many.PCB (Corvane)", 100000);
        for (int i = 0; i < 200000; ++i) {
            bar.Step();
        }
    }
    const auto intervals = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count() /
                           50;
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), std::make_tuple(std::string("Loading many.PCB (Corvane)"), 0, 100000));
    EXPECT_LE(static_cast<long long>(heard.size()), 1 + (intervals + 1));
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
