// The parts of corvane-import that decide bytes and layout on their own: number and string
// forms of the JSON, the option table, and the progress bar's line.

#include "corvane-import/Options.h"
#include "corvane-import/ProgressBar.h"
#include "svgwriter/LayerStyle.h"
#include "textformat/JsonText.h"

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

TEST(JsonNumbers, AreTheShortestFormThatReadsBack) {
    EXPECT_EQ(json::Number(90.0), "90");
    EXPECT_EQ(json::Number(22.5), "22.5");
    EXPECT_EQ(json::Number(0.1), "0.1");
    EXPECT_EQ(json::Number(-270.0), "-270");
    EXPECT_EQ(json::Number(-0.0), "0");
    EXPECT_EQ(json::Number(std::int64_t{-2147483647 - 1}), "-2147483648");
}

TEST(JsonNumbers, ValuesJsonCannotHoldBecomeNull) {
    EXPECT_EQ(json::Number(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(json::Number(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(json::Number(-std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonStrings, EscapeWhatJsonRequiresAndTurnLatin1IntoUtf8) {
    EXPECT_EQ(json::Quote("plain"), "\"plain\"");
    EXPECT_EQ(json::Quote("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(json::Quote(std::string("\x01\t\n\r\x7f", 5)), "\"\\u0001\\t\\n\\r\\u007f\"");
    EXPECT_EQ(json::Quote("\xb5\xff"), "\"\xC2\xB5\xC3\xBF\"");
    EXPECT_EQ(json::Quote(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(JsonObjects, AreAppendedInTheOrderTheFieldsWereGiven) {
    std::string text = "[";
    json::CompactObject(text)
        .Field("z", std::int32_t{1})
        .Field("a", "text")
        .Field("net", std::optional<std::string>())
        .Field("on", true)
        .End();
    EXPECT_EQ(text, "["
                    "{\"z\": 1, \"a\": \"text\", \"net\": null, \"on\": true}");
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

// CIE 1976 colour difference of two "#rrggbb" colours: about 2 is the least a person sees, and
// colours 40 apart are told apart at a glance.
double ColourDifference(const std::string& a, const std::string& b) {
    const auto lab = [](const std::string& hex) {
        std::array<double, 3> linear{};
        for (int i = 0; i < 3; ++i) {
            const double c = std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
            linear[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        const double x = (0.4124 * linear[0] + 0.3576 * linear[1] + 0.1805 * linear[2]) / 0.95047;
        const double y = 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
        const double z = (0.0193 * linear[0] + 0.1192 * linear[1] + 0.9505 * linear[2]) / 1.08883;
        const auto f = [](double t) {
            return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0;
        };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    const auto p = lab(a);
    const auto q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

TEST(LayerColours, SetViasApartFromMultiLayerPadsAndInnerLayersFromOverlays) {
    constexpr double Apart = 40;
    EXPECT_GE(ColourDifference(ViaColour, StyleOfLayer("MultiLayer").Colour), Apart);
    std::vector<std::string> inner;
    for (int n = 1; n <= 30; ++n) {
        inner.push_back("MidLayer" + std::to_string(n));
    }
    for (int n = 1; n <= 16; ++n) {
        inner.push_back("InternalPlane" + std::to_string(n));
    }
    for (const std::string& layer : inner) {
        for (const char* overlay : {"TopOverlay", "BottomOverlay"}) {
            EXPECT_GE(ColourDifference(StyleOfLayer(layer).Colour, StyleOfLayer(overlay).Colour),
                      Apart)
                << layer << " and " << overlay;
        }
    }
    // The inner layers a Corvane file uses differ from one another.
    const std::vector<std::string> used = {"MidLayer2", "MidLayer3", "MidLayer4", "MidLayer14"};
    for (std::size_t i = 0; i < used.size(); ++i) {
        for (std::size_t j = i + 1; j < used.size(); ++j) {
            EXPECT_GE(ColourDifference(StyleOfLayer(used[i]).Colour, StyleOfLayer(used[j]).Colour),
                      20)
                << used[i] << " and " << used[j];
        }
    }
}

} // namespace
} // namespace corvane::cli
