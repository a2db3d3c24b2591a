// The import report: every place input was passed over or changed, with its line.

#include "ImportFixture.h"
#include "TestDesktop.h"
#include "importer/ReportFormat.h"

namespace importtest {
namespace {

using corvane::ReportKind;

class ImportReportTest : public ImportOnServer {
protected:
    // The one group the report holds.
    const corvane::ReportGroup& OnlyGroup() const {
        EXPECT_EQ(report.Groups().size(), 1u) << corvane::ReportAsText(report);
        return report.Groups().front();
    }
};

struct Case {
    const char* Name;
    const char* File;
    ReportKind Kind;
    std::uint64_t Line;
    const char* Detail;
};

class ReportedKinds : public ImportReportTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ReportedKinds, EachKindWithItsLineAndDetail) {
    Import(GetParam().File);
    const corvane::ReportGroup& group = OnlyGroup();
    EXPECT_EQ(group.Kind, GetParam().Kind);
    EXPECT_EQ(group.Detail, GetParam().Detail);
    ASSERT_EQ(group.FirstLines.size(), 1u);
    EXPECT_EQ(group.FirstLines[0], GetParam().Line);
}

INSTANTIATE_TEST_SUITE_P(
    ImportReport, ReportedKinds,
    ::testing::Values(
        Case{"UnknownRecord", "PCB FILE 4\nXYZ 1\n", ReportKind::SkippedLine, 2,
             "unrecognised line \"XYZ\""},
        Case{"StrayData", "PCB FILE 4\n\n1 2 3\nENDPCB\n", ReportKind::SkippedLine, 3,
             "stray data line"},
        Case{"Malformed", "PCB FILE 4\nFT\n1 2 3x 4 5 1\n", ReportKind::MalformedNumber, 3,
             "\"3x\" read as 0"},
        Case{"ShortLine", "PCB FILE 4\nFV\n1 2 3\n4\n", ReportKind::NumberFromNextLine, 3,
             "data line too short"},
        Case{"LongText", "PCB FILE 4\nFP\n0 0 1 1 1 1 0 1\nABCDEFGHIJKLMNOPQRSTUV\n",
             ReportKind::LineCut, 4, "line longer than 20 characters"},
        Case{"Layer", "PCB FILE 4\nFF\n0 0 1 1 14\n", ReportKind::LayerOutOfRange, 3,
             "file layer 14 outside 1..13: placed on NoLayer"},
        Case{"Clamped", "PCB FILE 4\nFV\n999999 0 1 1\n", ReportKind::ValueClamped, 3,
             "999999 mil beyond the host's coordinate range"},
        Case{"Node", "PCB FILE 4\nNETDEF\nN\n(\nU9-1\n)\n", ReportKind::NodeNotFound, 5, "U9-1"},
        Case{"NetCut", "PCB FILE 4\nNETDEF\nN\n(", ReportKind::NetCutByEndOfFile, 2,
             "net definition ends after its name"},
        Case{"RecordCut", "PCB FILE 4\nFV\n1 2", ReportKind::RecordCutByEndOfFile, 3,
             "file ends inside a via record"}),
    [](const auto& info) { return info.param.Name; });

TEST_F(ImportReportTest, ACleanFileGivesAnEmptyReport) {
    ASSERT_TRUE(Import("PCB FILE 4\r\n\r\nFT\r\n1 2 3 4 5 1\r\nFV\r\n0 0 50 28\r\nENDPCB\r\n"));
    EXPECT_EQ(report.EntryCount(), 0u) << corvane::ReportAsText(report);
    EXPECT_EQ(corvane::ReportCounts(report), "0 entries");
}

TEST_F(ImportReportTest, AComponentWithoutEndcompIsReportedAtItsStart) {
    Import("PCB FILE 4\nCOMP\nU1\nP\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\n");
    EXPECT_EQ(report.CountOf(ReportKind::MissingEndComp), 1u);
    EXPECT_EQ(report.Groups().back().FirstLines.front(), 2u);
}

TEST_F(ImportReportTest, AnAbortNamesTheRecordItStoppedAfter) {
    testdesktop::RecordingWindow window;
    testdesktop::AnswerBoxes(true);
    window.PostKeyDown(27);
    EXPECT_FALSE(Import("PCB FILE 4\nFV\n0 0 50 28\nFT\n1 2 3 4 5 1\n"));
    const corvane::ReportGroup& group = OnlyGroup();
    EXPECT_EQ(group.Kind, ReportKind::Aborted);
    EXPECT_EQ(group.FirstLines.front(), 2u);
    EXPECT_NE(group.Detail.find("\"FV\""), std::string::npos);
}

TEST_F(ImportReportTest, RepeatedEntriesAreGroupedWithACountAndTheirFirstLines) {
    std::string text = "PCB FILE 4\n";
    for (int i = 0; i < 10000; ++i) {
        text += "PG\n";
    }
    Import(text);
    const corvane::ReportGroup& group = OnlyGroup();
    EXPECT_EQ(group.Count, 10000u);
    EXPECT_EQ(group.FirstLines, (std::vector<std::uint64_t>{2, 3, 4, 5, 6}));
    EXPECT_LT(corvane::ReportAsText(report).size(), 200u);
}

TEST_F(ImportReportTest, TheReportIsClearedByTheNextImport) {
    Import("PCB FILE 4\nXYZ\n");
    EXPECT_EQ(report.EntryCount(), 1u);
    Import("PCB FILE 4\n");
    EXPECT_EQ(report.EntryCount(), 0u);
}

TEST(ReportFormats, JsonEscapesAndCountsEveryKind) {
    corvane::ImportReport report;
    report.Add(ReportKind::NodeNotFound, 7, "U\"1\\-\x01\xE9");
    report.Add(ReportKind::SkippedLine, 2, "stray data line");
    report.Add(ReportKind::SkippedLine, 3, "stray data line");
    EXPECT_EQ(corvane::ReportAsJson(report),
              "{\n"
              "  \"entries\": 3,\n"
              "  \"counts\": {\"skipped-line\": 2, \"node-not-found\": 1},\n"
              "  \"groups\": [\n"
              "    {\"kind\": \"node-not-found\", \"detail\": \"U\\\"1\\\\-\\u0001\\u00e9\", "
              "\"count\": 1, \"lines\": [7]},\n"
              "    {\"kind\": \"skipped-line\", \"detail\": \"stray data line\", \"count\": 2, "
              "\"lines\": [2, 3]}\n"
              "  ]\n"
              "}\n");
    EXPECT_EQ(corvane::ReportCounts(report), "3 entries: 2 skipped-line, 1 node-not-found");
    EXPECT_EQ(corvane::ReportAsText(report),
              "Import report: 3 entries: 2 skipped-line, 1 node-not-found\n"
              "  node-not-found: U\"1\\-?\xE9 (line 7)\n"
              "  skipped-line: stray data line (2 times, lines 2, 3)\n");
}

TEST(ReportFormats, EndlessDistinctEntriesStayBounded) {
    corvane::ImportReport report;
    for (int i = 0; i < 50000; ++i) {
        report.Add(ReportKind::NodeNotFound, static_cast<std::uint64_t>(i), std::to_string(i));
    }
    EXPECT_EQ(report.EntryCount(), 50000u);
    EXPECT_LE(report.Groups().size(), corvane::ImportReport::MaxGroups + 1);
    EXPECT_EQ(report.CountOf(ReportKind::NodeNotFound), 50000u);
}

} // namespace
} // namespace importtest
