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

// A component U1 at line 2 whose lines 4 (comment geometry), 5 (designator geometry) and 6
// (position) follow, then what the case puts in it.
std::string ComponentU1(const std::string& comment, const std::string& designator,
                        const std::string& position, const std::string& body = "") {
    return "PCB FILE 4\nCOMP\nU1\nP\nC\n" + comment + "\n" + designator + "\n" + position + "\n" +
           body + "ENDCOMP\nENDPCB\n";
}
const std::string Geometry = "0 0 60 0 0 7";

struct Entry {
    ReportKind Kind;
    std::uint64_t Line; // the first line of its group
};

struct Case {
    const char* Name;
    std::string File;
    std::vector<Entry> Entries; // every group, in order
    std::string Detail;         // of the first group
    bool Complete;              // nothing may have been lost
};

void PrintTo(const Case& row, std::ostream* out) {
    *out << row.Name;
}

class ReportedKinds : public ImportReportTest, public ::testing::WithParamInterface<Case> {};

// A damaged input gives these groups, each at the line of what it is about, and may have lost
// data unless all of them are notes.
TEST_P(ReportedKinds, EachKindWithItsLineDetailAndOutcome) {
    Import(GetParam().File);
    std::vector<std::pair<ReportKind, std::uint64_t>> expected, actual;
    for (const Entry& entry : GetParam().Entries) {
        expected.emplace_back(entry.Kind, entry.Line);
    }
    for (const corvane::ReportGroup& group : report.Groups()) {
        actual.emplace_back(group.Kind, group.FirstLines.at(0));
    }
    EXPECT_EQ(actual, expected) << corvane::ReportAsText(report);
    ASSERT_FALSE(report.Groups().empty());
    EXPECT_EQ(report.Groups().front().Detail, GetParam().Detail);
    EXPECT_EQ(corvane::ReportLosses(report).empty(), GetParam().Complete)
        << corvane::ReportAsText(report);
}

using enum ReportKind;

INSTANTIATE_TEST_SUITE_P(
    ImportReport, ReportedKinds,
    ::testing::Values(
        Case{"UnknownRecord",
             "PCB FILE 4\nXYZ 1\nENDPCB\n",
             {{SkippedLine, 2}},
             "unrecognised line \"XYZ\"",
             false},
        Case{"DamagedKeyword",
             "PCB FILE 4\nCQ\n1 2 3 4 5 1\nENDPCB\n",
             {{SkippedLine, 2}, {SkippedLine, 3}},
             "unrecognised line \"CQ\"",
             false},
        Case{"DamagedKeywordInAComponent",
             ComponentU1(Geometry, Geometry, "0 0 0 0", "CQ\n0 0 60 60 1 30 2 13\n1\n"),
             {{SkippedLine, 9}},
             "line inside a component not read",
             false},
        Case{"NulBytesInAKeyword",
             std::string("PCB FILE 4\nF\0T\n1 2 3 4 5 1\nENDPCB\n", 34),
             {{SkippedLine, 2}, {SkippedLine, 3}},
             std::string("unrecognised line \"F\0T\"", 23),
             false},
        Case{"StrayData",
             "PCB FILE 4\n\n1 2 3\nENDPCB\n",
             {{SkippedLine, 3}},
             "stray data line",
             false},
        Case{"UnreadRecord",
             "PCB FILE 4\nPG\n1 1 1 1\n\n2 2\nENDPCB\n",
             {{UnreadRecord, 2}},
             "\"PG\" record, which the importer does not read, with its data lines",
             true},
        Case{"Malformed",
             "PCB FILE 4\nFT\n1 2 3x 4 5 1\nENDPCB\n",
             {{MalformedNumber, 3}},
             "\"3x\" read as 0",
             false},
        Case{"NumberOutOfRange",
             "PCB FILE 4\nFS\n12345678901234567890123 0 60 0 0 7\nT\nENDPCB\n",
             {{MalformedNumber, 3}},
             "\"12345678901234567890123\" read as 0",
             false},
        Case{"ShortLine",
             "PCB FILE 4\nFV\n1 2 3\n4\nENDPCB\n",
             {{NumberFromNextLine, 3}},
             "data line too short",
             false},
        Case{"LongText",
             "PCB FILE 4\nFP\n0 0 1 1 1 1 0 1\nABCDEFGHIJKLMNOPQRSTUV\nENDPCB\n",
             {{LineCut, 4}},
             "line longer than 20 characters",
             false},
        Case{"LongNumber",
             "PCB FILE 4\nFV\n0 0 50 00000000000000000000000000000000028\nENDPCB\n",
             {{NumberCut, 3}},
             "token longer than 32 characters: the rest was read as the next number",
             false},
        Case{"CrInsideNumbers",
             "PCB FILE 4\r\nFT\r\n6800 41\r00 6850 4050 21 6 1\r\nENDPCB\r\n",
             {{ControlInNumbers, 3}, {LayerOutOfRange, 3}},
             "a CR without LF among numbers, read as a blank: a number it stood in was read as "
             "two, and the numbers after it moved by one",
             false},
        Case{"NulBytesInNumbers",
             std::string("PCB FILE 4\nFT\n1 2 3\0\0\0 4 5 1\nENDPCB\n", 36),
             {{ControlInNumbers, 3}},
             "a NUL byte among numbers, read as a blank: a number it stood in was read as two, "
             "and the numbers after it moved by one",
             false},
        Case{"RecordInComponent",
             ComponentU1(Geometry, Geometry, "0 0 0 0", "FT\n"),
             {{RecordInComponent, 9}},
             "\"FT\" record inside a component that has its ENDCOMP: not read",
             false},
        Case{"Layer",
             "PCB FILE 4\nFF\n0 0 1 1 14\nENDPCB\n",
             {{LayerOutOfRange, 3}},
             "file layer 14 outside 1..13: placed on NoLayer",
             false},
        Case{"Clamped",
             "PCB FILE 4\nFV\n999999 0 1 1\nENDPCB\n",
             {{ValueClamped, 3}},
             "999999 mil beyond the host's coordinate range",
             false},
        Case{"ClampedOnTheLineItCameFrom",
             "PCB FILE 4\nFV\n1 2 3\n999999\nENDPCB\n",
             {{NumberFromNextLine, 3}, {ValueClamped, 4}},
             "data line too short",
             false},
        Case{"ClampedInACommentsGeometry",
             ComponentU1("3000000 0 60 0 0 7", Geometry, "0 0 0 0"),
             {{ValueClamped, 6}},
             "3000000 mil beyond the host's coordinate range",
             false},
        Case{"ClampedInADesignatorsGeometry",
             ComponentU1(Geometry, "0 -3000000 60 0 0 7", "0 0 0 0"),
             {{ValueClamped, 7}},
             "-3000000 mil beyond the host's coordinate range",
             false},
        Case{"ClampedInAPosition",
             ComponentU1(Geometry, Geometry, "0 3000000 0 0", "CT\n0 0 1 1 1 6\n"),
             {{ValueClamped, 8}},
             "3000000 mil beyond the host's coordinate range",
             false},
        Case{"Node",
             "PCB FILE 4\nNETDEF\nN\n(\nU9-1\n)\nENDPCB\n",
             {{NodeNotFound, 5}},
             "U9-1",
             false},
        Case{"NetCut",
             "PCB FILE 4\nNETDEF\nN\n(",
             {{NetCutByEndOfFile, 2}, {MissingEndOfBoard, 2}},
             "net definition ends after its name",
             false},
        Case{"RecordCut",
             "PCB FILE 4\nFV\n1 2",
             {{RecordCutByEndOfFile, 2}, {MissingEndOfBoard, 2}},
             "file ends inside a via record",
             false},
        Case{"CutAtARecordsEnd",
             "PCB FILE 4\nFT\n1 2 3 4 5 1\nFV\n0 0 50 28\n",
             {{MissingEndOfBoard, 4}},
             "no ENDPCB after the last record: the file may have been cut short",
             false},
        Case{"BytesAfterCtrlZ",
             "PCB FILE 4\nENDPCB\n\x1a\x1a"
             "FT\n1 2\n",
             {{BytesAfterEndMark, 3}},
             "7 bytes after the Ctrl-Z that ends the file were not read",
             false},
        Case{"CrOnlyLineEnds",
             "PCB FILE 4\rFT\r1 2 3 4 5 1\rENDPCB\r",
             {{LoneCarriageReturn, 1}, {MissingEndOfBoard, 1}},
             "a CR without LF is no line end: the lines around it were read as one (a file whose "
             "lines end with CR alone reads as one line; convert its line ends to LF or CR LF, for "
             "example with mac2unix)",
             false}),
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

// A "COMP" line inside a component ends it. When the lines after it open no component and an
// ENDCOMP comes before the next "COMP" line, the entry says so; when a whole component follows,
// the first had no ENDCOMP of its own.
TEST_F(ImportReportTest, ACompLineInsideAComponentSaysWhereItsEndcompIs) {
    Import(ComponentU1(Geometry, Geometry, "0 0 0 0",
                       "CT\n0 0 1 1 1 6\nCOMP\nCP\n0 0 60 60 1 30 2 13\n1\n"));
    ASSERT_FALSE(report.Groups().empty());
    EXPECT_EQ(report.Groups().front().Kind, ReportKind::ComponentLineInComponent);
    EXPECT_EQ(report.Groups().front().FirstLines, std::vector<std::uint64_t>{11});
    EXPECT_EQ(report.Groups().front().Detail,
              "\"COMP\" line inside the component of line 2, which has its ENDCOMP at line 15: the "
              "component ended there, and the lines from it on were read as another component");
    EXPECT_NE(corvane::ReportLosses(report), "");

    const std::string header = "COMP\nU2\nP\nC\n" + Geometry + "\n" + Geometry + "\n0 0 0 0\n";
    Import(ComponentU1(Geometry, Geometry, "0 0 0 0", header));
    EXPECT_EQ(OnlyGroup().Kind, ReportKind::MissingEndComp);
    EXPECT_EQ(OnlyGroup().Detail, "component without ENDCOMP ended by the next component");
    EXPECT_EQ(OnlyGroup().FirstLines, std::vector<std::uint64_t>{2});
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
