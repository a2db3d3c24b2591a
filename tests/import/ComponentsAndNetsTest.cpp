// Components and net definitions imported onto a board of the substitute server.

#include "ImportFixture.h"
#include "TestDesktop.h"

namespace importtest {
namespace {

using corvane::ReportKind;

// A component record: designator, pattern, comment, their two geometry lines, position, body.
std::string Component(const std::string& designator, const std::string& position,
                      const std::string& body, bool withEnd = true) {
    return "COMP\n" + designator + "\nDIP8\ncomment of " + designator +
           "\n10 20 60 0 0 7\n30 40 50 1 0 7\n" + position + "\n" + body +
           (withEnd ? "ENDCOMP\n" : "");
}

std::string Pad(const std::string& name, int layer, int planeCode = 0) {
    return "CP\n0 0 60 60 1 30 " + std::to_string(planeCode) + " " + std::to_string(layer) + "\n" +
           name + "\n";
}

class ComponentsAndNets : public ImportOnServer {
protected:
    std::vector<Info> Components() const { return OnBoard(HALVEX_KIND_COMPONENT); }
    std::vector<Info> Nets() const { return OnBoard(HALVEX_KIND_NET); }
    std::vector<std::string> PadNamesOf(const Info& net) const {
        std::vector<std::string> names;
        for (const Info& member : Members(net.Handle)) {
            names.emplace_back(member.Name);
        }
        return names;
    }
};

TEST_F(ComponentsAndNets, ComponentTextsPatternPositionAndPrimitives) {
    ASSERT_TRUE(
        Import("PCB FILE 4\n" + Component("U1", "1000 2000 1 1",
                                          Pad("1", 1) + "CT\n0 0 100 0 10 7\nCA\n0 0 10 15 8 7\n"
                                                        "CV\n5 5 50 28\nCF\n0 0 5 5 7\n"
                                                        "CS\n1 1 60 0 0 7\nlabel\n")));
    const Info component = Single(HALVEX_KIND_COMPONENT);
    EXPECT_STREQ(component.Name, "U1");
    EXPECT_STREQ(component.Comment, "comment of U1");
    EXPECT_STREQ(component.Pattern, "DIP8");
    EXPECT_EQ(component.X, Mil(1000));
    EXPECT_EQ(component.Y, Mil(2000));
    EXPECT_EQ(component.ObjectFlag, 0);
    EXPECT_EQ(component.Flags, 0);
    EXPECT_EQ(component.Layer, 1u);

    const auto children = Members(component.Handle);
    ASSERT_EQ(children.size(), 6u);
    EXPECT_EQ(children[0].Kind, HALVEX_KIND_PAD);
    EXPECT_EQ(children[1].Kind, HALVEX_KIND_TRACK);
    EXPECT_EQ(children[2].Kind, HALVEX_KIND_ARC);
    EXPECT_EQ(children[3].Kind, HALVEX_KIND_VIA);
    EXPECT_EQ(children[4].Kind, HALVEX_KIND_FILL);
    EXPECT_EQ(children[5].Kind, HALVEX_KIND_TEXT);
    EXPECT_STREQ(children[5].Text, "label");
    // Primitives go to the component, never to the board.
    EXPECT_TRUE(OnBoard(HALVEX_KIND_TRACK).empty());
    EXPECT_TRUE(OnBoard(HALVEX_KIND_PAD).empty());
}

TEST_F(ComponentsAndNets, DesignatorGeometryFromLineFiveCommentGeometryFromLineFour) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("R1", "0 0 0 0", "")));
    const Info component = Single(HALVEX_KIND_COMPONENT);
    const Info designator = InfoOf(component.NameText);
    const Info comment = InfoOf(component.CommentText);
    EXPECT_STREQ(designator.Text, "R1");
    EXPECT_EQ(designator.X, Mil(30));
    EXPECT_EQ(designator.Y, Mil(40));
    EXPECT_EQ(designator.Size, Mil(50));
    EXPECT_EQ(designator.Rotation, 90.0);
    EXPECT_STREQ(comment.Text, "comment of R1");
    EXPECT_EQ(comment.X, Mil(10));
    EXPECT_EQ(comment.Y, Mil(20));
    EXPECT_EQ(comment.Size, Mil(60));
    EXPECT_EQ(comment.Width, Mil(8));
    EXPECT_EQ(comment.Layer, 33u);
}

TEST_F(ComponentsAndNets, SideFollowsThePrimitivesLayers) {
    ASSERT_TRUE(Import(
        "PCB FILE 4\n" + Component("B1", "0 0 0 0", "CT\n0 0 1 1 1 6\nCS\n0 0 60 0 0 8\nx\n") +
        Component("T1", "0 0 0 0", "CT\n0 0 1 1 1 6\nCS\n0 0 60 0 0 7\nx\n") +
        Component("E1", "0 0 0 0", "") + Component("M1", "0 0 0 0", Pad("1", 13) + Pad("2", 13))));
    const auto components = Components();
    ASSERT_EQ(components.size(), 4u);
    EXPECT_EQ(components[0].Layer, 32u); // bottom layer and bottom overlay only
    EXPECT_EQ(components[1].Layer, 1u);  // one primitive on the top overlay
    EXPECT_EQ(components[2].Layer, 1u);  // no primitives
    EXPECT_EQ(components[3].Layer, 1u);  // multi-layer primitives only
}

TEST_F(ComponentsAndNets, ThePositionLinesFifthValueDecidesTheObjectFlag) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("A", "1000 2000 1 1", "") +
                       Component("B", "1000 2000 1 1 0", "") +
                       Component("C", "1000 2000 1 1 2", "")));
    const auto components = Components();
    ASSERT_EQ(components.size(), 3u);
    EXPECT_EQ(components[0].ObjectFlag, 0);
    EXPECT_EQ(components[1].ObjectFlag, 1);
    EXPECT_EQ(components[2].ObjectFlag, 0);
}

TEST_F(ComponentsAndNets, NodesFindPadsByDesignatorAndPin) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("U1", "0 0 0 0", Pad("5", 1) + Pad("6", 1)) +
                       Component("R10", "0 0 0 0", Pad("A-2", 1)) +
                       Component("", "0 0 0 0", Pad("R7", 1)) +
                       "NETDEF\nN1\n(\nU1-5\nR10-A-2\nR7\nu1-6\n)\n"));
    const Info net = Single(HALVEX_KIND_NET);
    EXPECT_STREQ(net.Name, "N1");
    EXPECT_EQ(net.Layer, 74u);
    EXPECT_EQ(PadNamesOf(net), (std::vector<std::string>{"5", "A-2", "R7"}));
    // Designators compare case-sensitively: u1-6 names no pad, and is passed over.
    EXPECT_EQ(report.CountOf(ReportKind::NodeNotFound), 1u);
    for (const Info& pad : Members(net.Handle)) {
        EXPECT_EQ(pad.Net, net.Handle);
    }
}

TEST_F(ComponentsAndNets, AComponentOnTheBottomSideIsFoundOnTheSecondTry) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("U2", "0 0 0 0", Pad("1", 6)) +
                       "NETDEF\nN\n(\nU2-1\n)\n"));
    EXPECT_EQ(Components()[0].Layer, 32u);
    EXPECT_EQ(PadNamesOf(Single(HALVEX_KIND_NET)).size(), 1u);
}

TEST_F(ComponentsAndNets, PlaneCodesNameInternalPlanesAndAreThenCleared) {
    ASSERT_TRUE(
        Import("PCB FILE 4\n" +
               Component("U1", "0 0 0 0", Pad("1", 13, 2) + Pad("2", 13, 4) + Pad("3", 13)) +
               "NETDEF\nGND\n(\nU1-1\n)\nNETDEF\nVCC\n(\nU1-2\n)\n"));
    EXPECT_EQ(PlaneNet(39), "GND");
    EXPECT_EQ(PlaneNet(40), "VCC");
    const auto pads = Members(Components()[0].Handle);
    ASSERT_EQ(pads.size(), 3u);
    EXPECT_EQ(pads[0].Tag, 0);
    EXPECT_EQ(pads[1].Tag, 0);
}

TEST_F(ComponentsAndNets, TheLaterNetWinsAPlaneAndUnreachedPlanesKeepTheirName) {
    ASSERT_TRUE(Import("PCB FILE 4\n" +
                       Component("U1", "0 0 0 0", Pad("1", 13, 3) + Pad("2", 13, 2)) +
                       "NETDEF\nFIRST\n(\nU1-1\n)\nNETDEF\nSECOND\n(\nU1-2\n)\n"));
    EXPECT_EQ(PlaneNet(39), "SECOND");
    EXPECT_EQ(PlaneNet(40), "(No Net)");
}

TEST_F(ComponentsAndNets, AnEmptyNodeListStillMakesANet) {
    ASSERT_TRUE(Import("PCB FILE 4\nNETDEF\nEMPTY\n(\n)\n"));
    const Info net = Single(HALVEX_KIND_NET);
    EXPECT_STREQ(net.Name, "EMPTY");
    EXPECT_EQ(net.Layer, 74u);
    EXPECT_EQ(net.ChildCount, 0);
}

TEST_F(ComponentsAndNets, ANetCutRightAfterItsNameIsNotAdded) {
    ASSERT_TRUE(Import("PCB FILE 4\nNETDEF\nCUT\n(\n"));
    EXPECT_TRUE(Nets().empty());
    EXPECT_EQ(report.CountOf(ReportKind::NetCutByEndOfFile), 1u);
}

TEST_F(ComponentsAndNets, ANetWithoutABlockKeepsTheRecordAfterIt) {
    ASSERT_TRUE(Import("PCB FILE 4\nNETDEF\nN\n(\n)\nFT\n1 2 3 4 5 1\n"
                       "NETDEF\nM\n(\n)\n{\nFT\n}\nFT\n1 2 3 4 5 1\n"));
    EXPECT_EQ(Nets().size(), 2u);
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 2u); // the "FT" inside the block is passed over
}

TEST_F(ComponentsAndNets, ProgressStepsMatchTheTotalButForBlockOpeners) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("U1", "0 0 0 0", Pad("1", 1) + Pad("2", 1)) +
                       "NETDEF\nN\n(\nU1-1\nU1-2\n)\n{\na\nb\n}\n"));
    ASSERT_EQ(totals.size(), 2u);
    EXPECT_EQ(totals[1], 1 + 2 + 1 + 2 + 2);
    EXPECT_EQ(updates, totals[1] + 1); // the "{" line takes a step the scan did not count
}

TEST_F(ComponentsAndNets, AbortInsideAComponentCommitsItWithWhatItHas) {
    testdesktop::RecordingWindow window;
    testdesktop::AnswerBoxes(true);
    // The component's own poll takes this Escape: its first sub-record is still read.
    window.PostKeyDown(27);
    EXPECT_FALSE(Import("PCB FILE 4\n" +
                        Component("U1", "0 0 0 0", Pad("1", 1) + Pad("2", 1) + Pad("3", 1)) +
                        "FT\n1 2 3 4 5 1\n"));
    const auto components = Components();
    ASSERT_EQ(components.size(), 1u);
    EXPECT_EQ(Members(components[0].Handle).size(), 1u);
    EXPECT_TRUE(OnBoard(HALVEX_KIND_TRACK).empty());
}

TEST_F(ComponentsAndNets, ATopLevelKeywordEndsAComponentWithoutEndcomp) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("U1", "0 0 0 0", Pad("1", 1), false) +
                       "FT\n1 2 3 4 5 1\n" + Component("U2", "0 0 0 0", Pad("1", 6))));
    const auto components = Components();
    ASSERT_EQ(components.size(), 2u);
    EXPECT_EQ(Members(components[0].Handle).size(), 1u);
    EXPECT_EQ(Members(components[1].Handle).size(), 1u);
    EXPECT_EQ(components[1].Layer, 32u);
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 1u);
    EXPECT_EQ(report.CountOf(ReportKind::MissingEndComp), 1u);
}

TEST_F(ComponentsAndNets, InsideAComponentWithItsEndcompATopLevelRecordIsPassedOver) {
    ASSERT_TRUE(Import("PCB FILE 4\n" +
                       Component("U1", "0 0 0 0",
                                 Pad("1", 1) + "FT\n1 2 3 4 5 1\nNETDEF\nN\n(\nU1-1\n)\n" +
                                     "CT\n0 0 100 0 10 7\n") +
                       "FT\n1 2 3 4 5 1\n"));
    const Info component = Single(HALVEX_KIND_COMPONENT);
    EXPECT_EQ(Members(component.Handle).size(), 2u) << "the pad and the track after the lines";
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 1u) << "only the track after ENDCOMP";
    EXPECT_TRUE(Nets().empty());
    EXPECT_EQ(report.CountOf(ReportKind::MissingEndComp), 0u);
    EXPECT_EQ(report.CountOf(ReportKind::RecordInComponent), 2u) << "FT and NETDEF, lost";
    EXPECT_EQ(report.CountOf(ReportKind::SkippedLine), 5u) << "their lines";
}

// Whether a component has its ENDCOMP is decided as its loop reads it: the data lines of its
// header and sub-records are never taken for COMP or ENDCOMP.
struct EndCase {
    const char* Name;
    const char* Body; // after the header line
    std::size_t Children;
    std::size_t FreeTracks;
    std::uint64_t MissingEnd;
    std::uint64_t RecordsInComponent;
};

class ComponentEnds : public ComponentsAndNets, public ::testing::WithParamInterface<EndCase> {};

TEST_P(ComponentEnds, ARecordEndsAComponentOnlyWhenItsLoopMeetsNoEndcomp) {
    ASSERT_TRUE(Import(std::string("PCB FILE 4\n") + GetParam().Body));
    const Info component = Single(HALVEX_KIND_COMPONENT);
    EXPECT_EQ(Members(component.Handle).size(), GetParam().Children);
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), GetParam().FreeTracks);
    EXPECT_EQ(report.CountOf(ReportKind::MissingEndComp), GetParam().MissingEnd);
    EXPECT_EQ(report.CountOf(ReportKind::RecordInComponent), GetParam().RecordsInComponent);
}

INSTANTIATE_TEST_SUITE_P(
    DataLinesStayData, ComponentEnds,
    ::testing::Values(EndCase{"CommentCompWithEnd",
                              "COMP\nU1\nDIP8\nCOMP\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\n"
                              "FT\nCP\n0 0 60 60 1 30 0 1\n1\nENDCOMP\n",
                              1, 0, 0, 1},
                      EndCase{"PadNameEndcompWithoutEnd",
                              "COMP\nU1\nDIP8\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\n"
                              "CP\n0 0 60 60 1 30 0 1\nENDCOMP\nFT\n1 2 3 4 5 1\n",
                              1, 1, 1, 0},
                      EndCase{"DesignatorEndcompWithoutEnd",
                              "COMP\nENDCOMP\nDIP8\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\n"
                              "CP\n0 0 60 60 1 30 0 1\n1\nFT\n1 2 3 4 5 1\n",
                              1, 1, 1, 0},
                      EndCase{"StringEndcompThenItsEnd",
                              "COMP\nU1\nDIP8\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\n"
                              "CS\n0 0 60 0 0 7\nENDCOMP\nFT\n1 2 3 4 5 1\nENDCOMP\n",
                              1, 0, 0, 1}),
    [](const auto& param) { return param.param.Name; });

TEST_F(ComponentsAndNets, DataLinesEqualToAKeywordInsideAComponentStayData) {
    ASSERT_TRUE(Import(
        "PCB FILE 4\n" +
        Component("U1", "0 0 0 0", "CS\n0 0 60 0 0 7\nENDCOMP\n" + Pad("FT", 1) + Pad("2", 1)) +
        "FT\n1 2 3 4 5 1\nENDPCB\n"));
    const auto children = Members(Single(HALVEX_KIND_COMPONENT).Handle);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_STREQ(children[0].Text, "ENDCOMP");
    EXPECT_STREQ(children[1].Name, "FT");
    EXPECT_STREQ(children[2].Name, "2");
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 1u);
    EXPECT_EQ(report.EntryCount(), 0u);
}

TEST_F(ComponentsAndNets, AnImportAfterAnAbortedOneStartsClean) {
    const std::string text = "PCB FILE 4\n" + Component("U1", "0 0 0 0", Pad("1", 1)) +
                             "NETDEF\nN\n(\nU1-1\n)\nENDPCB\n";
    {
        testdesktop::RecordingWindow window;
        testdesktop::AnswerBoxes(true);
        window.PostKeyDown(27);
        EXPECT_FALSE(Import(text));
        EXPECT_EQ(report.CountOf(ReportKind::Aborted), 1u);
        EXPECT_TRUE(Nets().empty());
    }
    ASSERT_TRUE(Import(text));
    EXPECT_EQ(report.EntryCount(), 0u);
    EXPECT_EQ(PadNamesOf(Single(HALVEX_KIND_NET)), std::vector<std::string>{"1"});
}

TEST_F(ComponentsAndNets, AComponentCutByTheEndOfTheFileIsStillCommitted) {
    ASSERT_TRUE(Import("PCB FILE 4\n" + Component("U1", "500 0 0 0", Pad("1", 6), false)));
    const Info component = Single(HALVEX_KIND_COMPONENT);
    EXPECT_EQ(component.X, Mil(500));
    EXPECT_EQ(component.Layer, 32u);
    EXPECT_EQ(report.CountOf(ReportKind::MissingEndComp), 1u);
}

} // namespace
} // namespace importtest
