// The JSON and SVG of the board: every test board against its expected documents, and the promise
// that the same input always gives the same bytes.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"
#include "corvane-import/Documents.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

namespace clitest {
namespace {

// The first line where two documents part, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string el;
    std::string al;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, el));
        const bool moreA = static_cast<bool>(std::getline(a, al));
        if (!moreE && !moreA) {
            return "documents are equal";
        }
        if (el != al || moreE != moreA) {
            return "line " + std::to_string(line) + "\n  expected: " + (moreE ? el : "<end>") +
                   "\n  actual:   " + (moreA ? al : "<end>");
        }
    }
}

std::string JsonOf(const std::string& board) {
    TempFolder folder;
    const ProcessResult result = RunProgram(Program(), {"-q", board, "--json", folder / "b.json"});
    EXPECT_EQ(result.ExitStatus, Imported) << result.Err;
    return ReadFile(folder / "b.json");
}

// A test board by name: the demo board of the examples, the routed board of the KiCad checks, or a
// board of the test data.
std::string BoardPath(const std::string& name) {
    if (name == "demo") {
        return DemoBoard();
    }
    if (name == "routed") {
        return std::string(CLI_KICAD_DATA_DIR) + "/routed.PCB";
    }
    return DataFile(name + ".PCB");
}

// Every document the program writes, by the suffix of its expected file ({board}.{extension}, as
// --out-dir names it), from the program's table. The page is not among them: it holds its own
// script, and its board is the JSON's bytes (tests/page and the page writer's tests check it).
std::vector<std::pair<std::string, std::string>> DocumentOptions() {
    std::vector<std::pair<std::string, std::string>> options;
    for (const corvane::cli::DocumentKind& kind : corvane::cli::DocumentKinds()) {
        if (kind.Option != "--html") {
            options.emplace_back("." + std::string(kind.Extension), std::string(kind.Option));
        }
    }
    return options;
}
const std::vector<std::pair<std::string, std::string>> kDocumentOptions = DocumentOptions();

// CORVANE_UPDATE_DOCUMENTS=1 stores the documents of this run as the expected ones instead of
// comparing them, so that a change of the output is one reviewed diff of tests/tools/expected.
bool UpdatingDocuments() {
    const char* update = std::getenv("CORVANE_UPDATE_DOCUMENTS");
    return update != nullptr && *update == '1';
}

class ExpectedDocuments : public ::testing::TestWithParam<const char*> {};

TEST_P(ExpectedDocuments, TheBoardGivesExactlyTheExpectedDocuments) {
    const std::string name = GetParam();
    TempFolder folder;
    std::vector<std::string> arguments = {"-q", BoardPath(name)};
    for (const auto& [suffix, option] : kDocumentOptions) {
        arguments.insert(arguments.end(), {option, folder / ("b" + suffix)});
    }
    const ProcessResult result = RunProgram(Program(), arguments);
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    for (const auto& [suffix, option] : kDocumentOptions) {
        const std::string actual = ReadFile(folder / ("b" + suffix));
        if (UpdatingDocuments()) {
            std::ofstream(ExpectedFile(name + suffix), std::ios::binary) << actual;
            continue;
        }
        const std::string expected = ReadFile(ExpectedFile(name + suffix));
        ASSERT_FALSE(expected.empty()) << "no expected document " << name << suffix
                                       << " (CORVANE_UPDATE_DOCUMENTS=1 stores it)";
        EXPECT_EQ(actual, expected) << name << suffix << ": " << FirstDifference(expected, actual);
    }
}

// free-records: one record of each free kind with the unit, layer, shape, arc-quadrant, text
// orientation and stroke-width conversions; components-nets: a top and a bottom component, nets
// through designator-pin references (one of them unknown) that name both internal planes;
// version5: the hole sizes a version-5 file forces; header-only: nothing but the stack;
// special-text: characters JSON and XML must escape and an 8-bit one; abort: ten tracks;
// damaged-sizes: sizes and coordinates beyond the host's range; routed: a routed board with parts
// on both sides; demo: every record kind; duplicates: see below.
INSTANTIATE_TEST_SUITE_P(Boards, ExpectedDocuments,
                         ::testing::Values("free-records", "components-nets", "version5",
                                           "header-only", "special-text", "abort", "damaged-sizes",
                                           "routed", "demo", "duplicates"));

// duplicates: designators and pin names that repeat, on both sides and on "MultiLayer", with
// components that come after nets. The nets join the pads the host's own lookup finds, which
// differ with the substitute server's host rules (HALVEX_HOST_RULES): one document per rule.
TEST(JsonDocument, NetsJoinThePadsTheHostsLookupFindsUnderEachHostRule) {
    for (const std::string rules :
         {"newest-first", "multilayer-pads-on-copper", "newest-first,multilayer-pads-on-copper"}) {
        SCOPED_TRACE(rules);
        const std::string expected = ReadFile(ExpectedFile("duplicates@" + rules + ".json"));
        ASSERT_FALSE(expected.empty());
        setenv("HALVEX_HOST_RULES", rules.c_str(), 1);
        const std::string actual = JsonOf(DataFile("duplicates.PCB"));
        unsetenv("HALVEX_HOST_RULES");
        EXPECT_EQ(actual, expected) << FirstDifference(expected, actual);
    }
}

TEST(JsonDocument, TheSameBoardGivesTheSameBytesEveryTime) {
    const std::string first = JsonOf(DemoBoard());
    const std::string second = JsonOf(DemoBoard());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
}

TEST(JsonDocument, TheDemoBoardHasEveryKindOfObject) {
    const std::string json = JsonOf(DemoBoard());
    EXPECT_EQ(
        json.rfind("{\n  \"file\": \"demo.PCB\",\n  \"version\": 4,\n  \"imported\": true,", 0),
        0u);
    // Free and component objects together, as the summary counts them.
    EXPECT_EQ(CountOf(json, "{\"x1\": "), 35u + 27u + 2u + 1u); // tracks and fills
    EXPECT_EQ(CountOf(json, "\"startLayer\": "), 5u);           // vias
    EXPECT_EQ(CountOf(json, "\"shape\": "), 25u);               // pads
    EXPECT_EQ(CountOf(json, "\"radius\": "), 8u);               // arcs
    EXPECT_EQ(CountOf(json, "\"designator\": "), 8u);
    EXPECT_EQ(CountOf(json, "{\"component\": "), 22u); // pads joined by nets
    EXPECT_NE(json.find("{\"layer\": \"InternalPlane1\", \"net\": \"GND\"}"), std::string::npos);
    EXPECT_NE(json.find("{\"layer\": \"InternalPlane2\", \"net\": \"VCC\"}"), std::string::npos);
}

TEST(Documents, KeepAUtf8FileNameAsItIsAndReadAnyOtherAsLatin1) {
    const struct {
        const char* Name;
        const char* Written;
    } cases[] = {{"Gr\xC3\xB6\xC3\x9F"
                  "e.PCB",
                  "Gr\xC3\xB6\xC3\x9F"
                  "e.PCB"},
                 {"Gr\xF6\xDF"
                  "e.PCB",
                  "Gr\xC3\xB6\xC3\x9F"
                  "e.PCB"},
                 {"\xE2\x82\xAC-board.PCB", "\xE2\x82\xAC-board.PCB"}};
    for (const auto& c : cases) {
        TempFolder folder;
        WriteFile(folder / c.Name, "PCB FILE 4\r\n");
        const ProcessResult result =
            RunProgram(Program(), {"-q", folder / c.Name, "--json", folder / "b.json", "--svg",
                                   folder / "b.svg"});
        ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
        EXPECT_NE(ReadFile(folder / "b.json").find("\"file\": \"" + std::string(c.Written) + "\""),
                  std::string::npos)
            << c.Name;
        EXPECT_NE(ReadFile(folder / "b.svg").find("<title>" + std::string(c.Written) + "</title>"),
                  std::string::npos)
            << c.Name;
    }
}

TEST(JsonDocument, AFileNamedOnTheCommandLineKeepsOnlyItsNameInTheDocument) {
    TempFolder folder;
    WriteFile(folder / "Named Board.PCB", "PCB FILE 4\r\n");
    EXPECT_EQ(JsonOf(folder / "Named Board.PCB").find("\"file\": \"Named Board.PCB\""), 4u);
}

} // namespace
} // namespace clitest
