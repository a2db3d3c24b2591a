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

// The kind's group, first line and detail; a file cut short also lacks its ENDPCB, and nothing
// else is reported.
TEST_P(ReportedKinds, EachKindWithItsLineAndDetail) {
    Import(GetParam().File);
    const corvane::ReportGroup* found = nullptr;
    for (const corvane::ReportGroup& group : report.Groups()) {
        if (group.Kind == GetParam().Kind) {
            found = &group;
        } else {
            EXPECT_EQ(group.Kind, ReportKind::MissingEndOfBoard) << corvane::ReportAsText(report);
        }
    }
    ASSERT_NE(found, nullptr) << corvane::ReportAsText(report);
    EXPECT_EQ(found->Detail, GetParam().Detail);
    EXPECT_EQ(found->FirstLines.at(0), GetParam().Line);
}

INSTANTIATE_TEST_SUITE_P(
    ImportReport, ReportedKinds,
    ::testing::Values(
        Case{"UnknownRecord", "PCB FILE 4\nXYZ 1\nENDPCB\n", ReportKind::SkippedLine, 2,
             "unrecognised line \"XYZ\""},
        Case{"StrayData", "PCB FILE 4\n\n1 2 3\nENDPCB\n", ReportKind::SkippedLine, 3,
             "stray data line"},
        Case{"Malformed", "PCB FILE 4\nFT\n1 2 3x 4 5 1\nENDPCB\n", ReportKind::MalformedNumber, 3,
             "\"3x\" read as 0"},
        Case{"ShortLine", "PCB FILE 4\nFV\n1 2 3\n4\nENDPCB\n", ReportKind::NumberFromNextLine, 3,
             "data line too short"},
        Case{"LongText", "PCB FILE 4\nFP\n0 0 1 1 1 1 0 1\nABCDEFGHIJKLMNOPQRSTUV\nENDPCB\n",
             ReportKind::LineCut, 4, "line longer than 20 characters"},
        Case{"LongNumber", "PCB FILE 4\nFV\n0 0 50 00000000000000000000000000000000028\nENDPCB\n",
             ReportKind::NumberCut, 3,
             "token longer than 32 characters: the rest was read as the next number"},
        Case{"RecordInComponent",
             "PCB FILE 4\nCOMP\nU1\nP\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\nFT\nENDCOMP\n"
             "ENDPCB\n",
             ReportKind::RecordInComponent, 9,
             "\"FT\" record inside a component that has its ENDCOMP: not read"},
        Case{"Layer", "PCB FILE 4\nFF\n0 0 1 1 14\nENDPCB\n", ReportKind::LayerOutOfRange, 3,
             "file layer 14 outside 1..13: placed on NoLayer"},
        Case{"Clamped", "PCB FILE 4\nFV\n999999 0 1 1\nENDPCB\n", ReportKind::ValueClamped, 3,
             "999999 mil beyond the host's coordinate range"},
        Case{"Node", "PCB FILE 4\nNETDEF\nN\n(\nU9-1\n)\nENDPCB\n", ReportKind::NodeNotFound, 5,
             "U9-1"},
        Case{"NetCut", "PCB FILE 4\nNETDEF\nN\n(", ReportKind::NetCutByEndOfFile, 2,
             "net definition ends after its name"},
        Case{"RecordCut", "PCB FILE 4\nFV\n1 2", ReportKind::RecordCutByEndOfFile, 3,
             "file ends inside a via record"},
        Case{"CutAtARecordsEnd", "PCB FILE 4\nFT\n1 2 3 4 5 1\nFV\n0 0 50 28\n",
             ReportKind::MissingEndOfBoard, 4,
             "no ENDPCB after the last record: the file may have been cut short"},
        Case{"BytesAfterCtrlZ",
             "PCB FILE 4\nENDPCB\n\x1a\x1a"
             "FT\n1 2\n",
             ReportKind::BytesAfterEndMark, 3,
             "7 bytes after the Ctrl-Z that ends the file were not read"},
        Case{"CrOnlyLineEnds", "PCB FILE 4\rFT\r1 2 3 4 5 1\rENDPCB\r",
             ReportKind::LoneCarriageReturn, 1,
             "a CR without LF is no line end: the lines around it were read as one (a file whose "
             "lines end with CR alone reads as one line; convert its line ends to LF or CR LF, for "
             "example with mac2unix)"}),
    [](const auto& param) { return param.param.Name; });

// A Ctrl-Z at the very end is how many old files end.
TEST_F(ImportReportTest, ACleanFileGivesAnEmptyReport) {
    ASSERT_TRUE(Import("PCB FILE 4\r\n\r\nFT\r\n1 2 3 4 5 1\r\nFV\r\n0 0 50 28\r\nENDPCB\r\n\x1a"));
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
    Import(text + "ENDPCB\n");
    const corvane::ReportGroup& group = OnlyGroup();
    EXPECT_EQ(group.Count, 10000u);
    EXPECT_EQ(group.FirstLines, (std::vector<std::uint64_t>{2, 3, 4, 5, 6}));
    EXPECT_LT(corvane::ReportAsText(report).size(), 200u);
}

TEST_F(ImportReportTest, TheReportIsClearedByTheNextImport) {
    Import("PCB FILE 4\nXYZ\nENDPCB\n");
    EXPECT_EQ(report.EntryCount(), 1u);
    Import("PCB FILE 4\nENDPCB\n");
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
              "  \"mayHaveLostData\": true,\n"
              "  \"counts\": {\"skipped-line\": 2, \"node-not-found\": 1},\n"
              "  \"groups\": [\n"
              "    {\"kind\": \"node-not-found\", \"detail\": \"U\\\"1\\\\-\\u0001\xC3\xA9\", "
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

TEST(ReportFormats, KindsThatMayHaveLostDataAreNamed) {
    corvane::ImportReport report;
    report.Add(ReportKind::UnreadRecord, 2, "\"PG\" record");
    EXPECT_EQ(corvane::ReportLosses(report), "") << "a note loses nothing";
    EXPECT_NE(corvane::ReportAsJson(report).find("\"mayHaveLostData\": false,"), std::string::npos);
    report.Add(ReportKind::MissingEndOfBoard, 9, "no ENDPCB");
    report.Add(ReportKind::LineCut, 3, "line longer than 20 characters");
    EXPECT_EQ(corvane::ReportLosses(report), "line-cut, missing-endpcb");
    EXPECT_NE(corvane::ReportAsJson(report).find("\"mayHaveLostData\": true,"), std::string::npos);
    EXPECT_EQ(corvane::ReportFailure(report), "");
    report.Add(ReportKind::ImportFailed, 4, "out of memory");
    EXPECT_EQ(corvane::ReportFailure(report), "out of memory");
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
