// The page writer: the board's JSON and the facts go into the page's script elements so that no
// text of the board can end them, and read back as they were written.

#include "htmlwriter/HtmlPageWriter.h"

#include "PageData.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::cli {
namespace {

std::string PageOf(const std::string& json, const PageImportFacts& facts,
                   const PageCopperNets* copper = nullptr) {
    StringOutputStream out(".");
    HtmlPageSettings settings;
    settings.LayerLook = [](const std::string& layer) {
        return PageLayerLook{layer == "TopLayer" ? "#e03c3c" : "#123456", int(layer.size())};
    };
    HtmlPageWriter page(out, "<b>&.PCB", settings, facts);
    if (copper != nullptr) {
        page.SetCopperNets([copper] { return copper; });
    }
    page.OnTrack(Track{0, 0, 1, 1, 1, "TopLayer", {}}, BoardOwner);
    page.OnComponentBegin(Component{
        "U1", "", "", 0, 0, "TopLayer", 0, Text{0, 0, "U1", 1, 1, 0, false, "TopOverlay"}, {}, {}});
    // The JSON in pieces, one of them split inside "</".
    const std::size_t half = json.find("</") + 1;
    page.DataStream().Write(json.substr(0, half));
    page.DataStream().Write(json.substr(half));
    page.OnBoardEnd();
    return out.Text();
}

TEST(HtmlPage, TheBoardsTextCannotEndItsElementAndReadsBackAsWritten) {
    const std::string json = "{\"text\": \"</script><!-- <b> \\u0041\"}\n";
    const std::string page = PageOf(json, {"complete", "", "{\"entries\": 0, \"groups\": []}"});
    EXPECT_EQ(clitest::PageScriptData(page, "board-data"), json);
    // Only the page's own elements close: data, facts and script.
    std::size_t closings = 0;
    for (auto at = page.find("</script"); at != std::string::npos;
         at = page.find("</script", at + 1)) {
        ++closings;
    }
    EXPECT_EQ(closings, 3u);
    EXPECT_EQ(page.find("<!-- "), std::string::npos);
    EXPECT_NE(page.find("<title>&lt;b&gt;&amp;.PCB</title>"), std::string::npos);
    EXPECT_EQ(ScriptSafeJson("a<b</c"), "a\\u003cb\\u003c/c");
}

TEST(HtmlPage, TheFactsHoldTheImportTheLayersLooksAndTheCoppersNets) {
    const PageCopperNets copper{{{"GND", false}, {"Net-(R1-Pad1)", true}}, {1, 0, 2}};
    const std::string facts =
        clitest::PageScriptData(PageOf("{}\n",
                                       {"data may have been lost (line-cut)", "line-cut",
                                        "{\"groups\": [{\"detail\": \"</x>\"}]}"},
                                       &copper),
                                "page-facts");
    EXPECT_NE(facts.find("{\"outcome\": \"data may have been lost (line-cut)\", \"losses\": "
                         "\"line-cut\", \"report\": {\"groups\": [{\"detail\": \"</x>\"}]}}"),
              std::string::npos)
        << facts;
    // Each layer used once, with the look the settings give it.
    EXPECT_NE(facts.find("{\"name\": \"TopLayer\", \"colour\": \"#e03c3c\", \"order\": 8},\n"
                         "{\"name\": \"TopOverlay\", \"colour\": \"#123456\", \"order\": 10}\n]"),
              std::string::npos)
        << facts;
    EXPECT_NE(facts.find("\"copper\": {\"nets\": [\n{\"name\": \"GND\", \"derived\": false},\n"
                         "{\"name\": \"Net-(R1-Pad1)\", \"derived\": true}],\n\"ids\": [1,0,2]}"),
              std::string::npos)
        << facts;
    const std::string without =
        clitest::PageScriptData(PageOf("{}\n", {"complete", "", ""}), "page-facts");
    EXPECT_NE(without.find("\"report\": null"), std::string::npos);
    EXPECT_NE(without.find("\"copper\": null"), std::string::npos);
}

} // namespace
} // namespace corvane::cli
