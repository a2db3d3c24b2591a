// The SVG picture: well-formed XML with one element per drawn object, y pointing up, and texts
// turned and mirrored as on the board.

#include "CliTestSupport.h"
#include "ExitStatuses.h"
#include "Subprocess.h"
#include "XmlCheck.h"

#include <gtest/gtest.h>

namespace clitest {
namespace {

XmlDocument SvgOf(const std::string& board) {
    TempFolder folder;
    const ProcessResult result = RunProgram(Program(), {"-q", board, "--svg", folder / "b.svg"});
    EXPECT_EQ(result.ExitStatus, Imported) << result.Err;
    return ParseXml(ReadFile(folder / "b.svg"));
}

const XmlElement* FirstOfClass(const XmlElement& root, const std::string& cls) {
    for (const XmlElement* element : AllElements(root)) {
        const auto found = element->Attributes.find("class");
        if (found != element->Attributes.end() && found->second == cls) {
            return element;
        }
    }
    return nullptr;
}

TEST(SvgPicture, TheDemoBoardHasOneElementPerObject) {
    const XmlDocument svg = SvgOf(DemoBoard());
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    EXPECT_EQ(svg.Root.Name, "svg");
    EXPECT_EQ(svg.Root.Attributes.at("xmlns"), "http://www.w3.org/2000/svg");
    EXPECT_EQ(CountClass(svg.Root, "track"), 35u + 27u);
    EXPECT_EQ(CountClass(svg.Root, "via"), 3u + 2u);
    EXPECT_EQ(CountClass(svg.Root, "pad"), 2u + 23u);
    EXPECT_EQ(CountClass(svg.Root, "arc"), 5u + 3u);
    EXPECT_EQ(CountClass(svg.Root, "fill"), 2u + 1u);
    // Free and component strings, and the designator and comment of each of the 8 components.
    EXPECT_EQ(CountClass(svg.Root, "text"), 3u + 2u + 16u);
    // 18 component pads and 2 mounting holes are drilled, the surface-mount ones are not; and
    // every via.
    EXPECT_EQ(CountClass(svg.Root, "hole"), 20u + 5u);
}

TEST(SvgPicture, TheLegendListsTheLayersPresentInDrawingOrder) {
    const XmlDocument svg = SvgOf(DemoBoard());
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    std::vector<std::string> labels;
    for (const XmlElement* element : AllElements(svg.Root)) {
        const auto cls = element->Attributes.find("class");
        if (cls != element->Attributes.end() && cls->second == "label") {
            labels.push_back(element->Text);
        }
    }
    const std::vector<std::string> expected = {"BottomOverlay", "BottomLayer", "TopLayer",
                                               "TopOverlay",    "Mechanical1", "KeepOutLayer",
                                               "MultiLayer",    "Vias"};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(CountClass(svg.Root, "layer"), 7u);
}

TEST(SvgPicture, YPointsUpAndTheViewHoldsTheBoard) {
    const XmlDocument svg = SvgOf(DataFile("free-records.PCB"));
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    const XmlElement* track = FirstOfClass(svg.Root, "track");
    ASSERT_NE(track, nullptr);
    // The track from (100, 200) to (300, 400) mil: the picture's y grows downwards.
    EXPECT_EQ(track->Attributes.at("x1"), "100");
    EXPECT_EQ(track->Attributes.at("y1"), "-200");
    EXPECT_EQ(track->Attributes.at("x2"), "300");
    EXPECT_EQ(track->Attributes.at("y2"), "-400");
    EXPECT_EQ(track->Attributes.at("stroke-width"), "10");

    std::istringstream viewBox(svg.Root.Attributes.at("viewBox"));
    double x = 0, y = 0, w = 0, h = 0;
    viewBox >> x >> y >> w >> h;
    // The arc of radius 100 mil around (1000, 1000) is the highest and rightmost object.
    EXPECT_LT(x, 0);
    EXPECT_LT(y, -1100);
    EXPECT_GT(x + w, 1100);
    EXPECT_GT(y + h, 0);
}

TEST(SvgPicture, PadsHaveTheirShapesAndTextsTheirTurnAndMirror) {
    const XmlDocument svg = SvgOf(DataFile("version5.PCB"));
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    std::vector<std::string> padElements;
    for (const XmlElement* element : AllElements(svg.Root)) {
        const auto cls = element->Attributes.find("class");
        if (cls != element->Attributes.end() && cls->second == "pad") {
            padElements.push_back(element->Name);
        }
    }
    // Octagonal, then rectangular (in the order the layers are drawn: top copper, multi-layer).
    EXPECT_EQ(padElements, (std::vector<std::string>{"rect", "polygon"}));
    EXPECT_EQ(CountClass(svg.Root, "hole"), 2u); // the via and the multi-layer pad

    const XmlDocument texts = SvgOf(DataFile("free-records.PCB"));
    const XmlElement* text = FirstOfClass(texts.Root, "text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text, "HELLO");
    // 270 degrees counter-clockwise on the board, mirrored.
    EXPECT_EQ(text->Attributes.at("transform"), "translate(50 -60) rotate(-270) scale(-1 1)");
}

TEST(SvgPicture, TextsAreEscapedAndEightBitCharactersBecomeUtf8) {
    const XmlDocument svg = SvgOf(DataFile("special-text.PCB"));
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    const XmlElement* text = FirstOfClass(svg.Root, "text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text, "R&D <\"x\"> \\ \xC3\xBC");
}

TEST(SvgPicture, NegativeSizesFromADamagedFileAreDrawnByTheirMagnitude) {
    const XmlDocument svg = SvgOf(DataFile("damaged-sizes.PCB"));
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    std::size_t sizes = 0;
    for (const XmlElement* element : AllElements(svg.Root)) {
        for (const char* name : {"width", "height", "r", "rx", "stroke-width", "font-size"}) {
            const auto found = element->Attributes.find(name);
            if (found != element->Attributes.end()) {
                ++sizes;
                EXPECT_GE(std::stod(found->second), 0) << element->Name << " " << name;
            }
        }
    }
    EXPECT_GT(sizes, 10u);
    EXPECT_EQ(CountClass(svg.Root, "track") + CountClass(svg.Root, "via") +
                  CountClass(svg.Root, "pad") + CountClass(svg.Root, "arc") +
                  CountClass(svg.Root, "text"),
              7u);
}

TEST(SvgPicture, AnEmptyBoardIsStillAPicture) {
    const XmlDocument svg = SvgOf(DataFile("header-only.PCB"));
    ASSERT_TRUE(svg.WellFormed) << svg.Error;
    EXPECT_EQ(svg.Root.Name, "svg");
    EXPECT_EQ(CountClass(svg.Root, "layer"), 0u);
    EXPECT_EQ(CountClass(svg.Root, "legend"), 0u);
}

} // namespace
} // namespace clitest
