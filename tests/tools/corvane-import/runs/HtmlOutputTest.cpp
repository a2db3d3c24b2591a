// The board's page (--html): it carries the board's JSON exactly as --json writes it, the import's
// facts and the copper's nets, and stays within its size; {name} names it in an output folder.
// The page in a browser is tested by tests/tools/htmlwriter/browser.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "PageData.h"
#include "Subprocess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace clitest {
namespace {

class PageOfBoard : public ::testing::TestWithParam<const char*> {};

TEST_P(PageOfBoard, CarriesTheBoardsJsonAndItsFactsWithinItsSize) {
    const std::string name = GetParam();
    const std::string board = name == "demo" ? DemoBoard() : DataFile(name + ".PCB");
    TempFolder folder;
    const ProcessResult result = RunProgram(
        Program(), {"-q", board, "--json", folder / "b.json", "--html", folder / "b.html"});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    const std::string json = ReadFile(folder / "b.json");
    const std::string page = ReadFile(folder / "b.html");
    ASSERT_FALSE(json.empty());
    EXPECT_EQ(PageScriptData(page, "board-data"), json);
    EXPECT_LE(page.size(), json.size() * 3 / 2 + 400 * 1024);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    const std::string facts = PageScriptData(page, "page-facts");
    const bool lost = json.find("\"mayHaveLostData\": true") != std::string::npos;
    EXPECT_NE(facts.find(lost ? "{\"outcome\": \"data may have been lost ("
                              : "{\"outcome\": \"complete\", \"losses\": \"\", \"report\": {"),
              std::string::npos)
        << facts;
    EXPECT_NE(facts.find("\"groups\": ["), std::string::npos) << "the report with its lines";
    // Nothing to fetch: no source or link outside the page.
    for (const char* fetch : {" src=", "<link", "url(", "@import"}) {
        EXPECT_EQ(page.find(fetch), std::string::npos) << fetch;
    }
}

// special-text: characters a page must escape; abort: a board cut short.
INSTANTIATE_TEST_SUITE_P(Boards, PageOfBoard,
                         ::testing::Values("demo", "special-text", "abort", "components-nets",
                                           "header-only"));

// The derived nets' names in the page's facts, in order.
std::vector<std::string> DerivedNets(const std::string& facts) {
    std::vector<std::string> names;
    const std::string derived = "\", \"derived\": true}";
    for (auto at = facts.find(derived); at != std::string::npos; at = facts.find(derived, at + 1)) {
        const auto name = facts.rfind("{\"name\": \"", at) + 10;
        names.push_back(facts.substr(name, at - name));
    }
    return names;
}

// A routed board without nets: the page gives its copper the nets the KiCad board derives, by the
// same names, and none with --no-derived-nets (the copper's numbers are there still).
TEST(PageOfBoard, ListsTheNetsTheCopperDerivesAsTheKicadBoardDoes) {
    const std::string board = std::string(CLI_KICAD_DATA_DIR) + "/netless-routed.PCB";
    TempFolder folder;
    const ProcessResult result = RunProgram(
        Program(), {board, "--html", folder / "b.html", "--kicad", folder / "b.kicad_pcb"});
    ASSERT_EQ(result.ExitStatus, Imported) << result.Err;
    const std::string facts = PageScriptData(ReadFile(folder / "b.html"), "page-facts");
    const std::vector<std::string> derived = DerivedNets(facts);
    ASSERT_FALSE(derived.empty()) << facts.substr(0, 2000);
    EXPECT_NE(result.Out.find("KiCad nets:  " + std::to_string(derived.size()) + " derived"),
              std::string::npos)
        << result.Out;
    const std::string kicad = ReadFile(folder / "b.kicad_pcb");
    for (const std::string& name : derived) {
        EXPECT_NE(kicad.find(" \"" + name + "\")"), std::string::npos) << name;
    }

    ASSERT_EQ(RunProgram(Program(), {"-q", board, "--no-derived-nets", "--html", folder / "n.html"})
                  .ExitStatus,
              Imported);
    const std::string without = PageScriptData(ReadFile(folder / "n.html"), "page-facts");
    EXPECT_TRUE(DerivedNets(without).empty());
    EXPECT_NE(without.find("\"copper\": {\"nets\": ["), std::string::npos);
}

TEST(PageOfBoard, TheSameBoardGivesTheSamePageEveryTime) {
    TempFolder folder;
    for (const char* page : {"1.html", "2.html"}) {
        ASSERT_EQ(RunProgram(Program(), {"-q", DemoBoard(), "--html", folder / page}).ExitStatus,
                  0);
    }
    EXPECT_EQ(ReadFile(folder / "1.html"), ReadFile(folder / "2.html"));
}

// One far value (a free track's end at 3,000,000 mil) does not shrink the board to a dot: the page
// is fitted to the board's bulk, which the clean demo, with nothing far, does not need.
TEST(PageOfBoard, IsFittedToTheBoardsBulkWhenAnObjectLiesFar) {
    TempFolder folder;
    const std::string demo = ReadFile(DemoBoard());
    const std::size_t line239 = [&] {
        std::size_t at = 0;
        for (int line = 1; line < 239; ++line) {
            at = demo.find('\n', at) + 1;
        }
        return at;
    }();
    WriteFile(folder / "far.PCB", demo.substr(0, line239) + "2100 1800 3000000 2200 20 1 1" +
                                      demo.substr(demo.find("\r\n", line239)));
    for (const std::string& board : {DemoBoard(), folder / "far.PCB"}) {
        ASSERT_EQ(RunProgram(Program(), {"-q", board, "--html", folder / "p.html"}).ExitStatus, 0);
        const std::string facts = PageScriptData(ReadFile(folder / "p.html"), "page-facts");
        const std::size_t fit = facts.find("\"fit\": ");
        ASSERT_NE(fit, std::string::npos) << facts.substr(0, 500);
        if (board == DemoBoard()) {
            EXPECT_EQ(facts.substr(fit, 11), "\"fit\": null");
            continue;
        }
        double box[4] = {};
        ASSERT_EQ(std::sscanf(facts.c_str() + fit, "\"fit\": [%lf, %lf, %lf, %lf]", &box[0],
                              &box[1], &box[2], &box[3]),
                  4)
            << facts.substr(fit, 80);
        EXPECT_LT(box[2] - box[0], 10000) << "the far track's end is left out";
        EXPECT_GT(box[2] - box[0], 1000) << "the rest of the demo is in";
    }
}

TEST(PageOfBoard, AnOutputFolderNamesThePageAfterTheBoard) {
    TempFolder folder;
    const ProcessResult result =
        RunProgram(Program(), {"-q", "--out-dir", folder / "out", "--html", "{name}.html",
                               DemoBoard(), DataFile("abort.PCB")});
    EXPECT_EQ(result.ExitStatus, Imported) << result.Err;
    EXPECT_TRUE(std::filesystem::exists(folder / "out/demo.html"));
    EXPECT_TRUE(std::filesystem::exists(folder / "out/abort.html"));
}

} // namespace
} // namespace clitest
