// Free primitive records imported onto a board of the substitute server.

#include "ImportFixture.h"
#include "TestDesktop.h"

#include <limits>

namespace importtest {
namespace {

class FreeRecords : public ImportOnServer {};

TEST_F(FreeRecords, PadNamesKeepTheirFirst20Characters) {
    ASSERT_TRUE(Import("PCB FILE 4\nFP\n0 0 60 60 1 28 0 1\nABCDEFGHIJKLMNOPQRSTUVWXY\nFT\n"
                       "0 0 1 1 1 1\n"));
    EXPECT_STREQ(Single(HALVEX_KIND_PAD).Name, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 1u); // the rest of the name line was skipped
    EXPECT_EQ(report.CountOf(corvane::ReportKind::LineCut), 1u);
}

TEST_F(FreeRecords, LayersOutsideTheMapAndClampedValuesAreReportedAndImported) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n0 0 1 1 1 0\nFT\n0 0 1 1 1 20\nFT\n0 0 1 1 1 255\n"
                       "FT\n300000 -300000 214748 -214748 1 269\n"));
    const auto tracks = OnBoard(HALVEX_KIND_TRACK);
    ASSERT_EQ(tracks.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(tracks[i].Layer, 0u);
        EXPECT_EQ(tracks[i].X2, Mil(1)); // otherwise imported as read
    }
    EXPECT_EQ(tracks[3].Layer, 74u); // only the low 8 bits count: 269 is file layer 13
    EXPECT_EQ(tracks[3].X, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(report.CountOf(corvane::ReportKind::LayerOutOfRange), 3u);
    EXPECT_EQ(report.CountOf(corvane::ReportKind::ValueClamped), 2u);
}

TEST_F(FreeRecords, AShortLineTakesItsLayerFromTheNextLine) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n1 2 3 4 5\n6 FT 9\nFV\n0 0 50 28\n"));
    const Info track = Single(HALVEX_KIND_TRACK);
    EXPECT_EQ(track.Width, Mil(5));
    EXPECT_EQ(track.Layer, 32u); // file layer 6
    EXPECT_EQ(OnBoard(HALVEX_KIND_VIA).size(), 1u);
    EXPECT_EQ(report.CountOf(corvane::ReportKind::NumberFromNextLine), 1u);
}

TEST_F(FreeRecords, AFileEndingInsideARecordCommitsWhatItHas) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n100 200"));
    const Info track = Single(HALVEX_KIND_TRACK);
    EXPECT_EQ(track.X, Mil(100));
    EXPECT_EQ(track.Y, Mil(200));
    EXPECT_EQ(track.X2, 0);
    EXPECT_EQ(track.Layer, 0u); // file layer 0
    EXPECT_EQ(report.CountOf(corvane::ReportKind::RecordCutByEndOfFile), 1u);
}

TEST_F(FreeRecords, KeywordsMustMatchTheWholeLine) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT \n1 2 3 4 5 1\nft\n1 2 3 4 5 1\nFT\n1 2 3 4 5 1\n"));
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 1u);
    EXPECT_EQ(report.CountOf(corvane::ReportKind::SkippedLine), 4u);
}

TEST_F(FreeRecords, ProgressTakesOneStepPerRecord) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n1 2 3 4 5 1\nFV\n0 0 50 28\nPG\n1 2 3\n"));
    ASSERT_EQ(totals.size(), 2u);
    EXPECT_EQ(totals[1], 2);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(finishes, 2);
}

TEST_F(FreeRecords, EscapeAnsweredNoContinuesTheImport) {
    testdesktop::RecordingWindow window;
    testdesktop::AnswerBoxes(false);
    window.PostKeyDown(27);
    window.PostKeyDown('A');
    EXPECT_TRUE(Import("PCB FILE 4\nFT\n1 2 3 4 5 1\nFT\n1 2 3 4 5 1\n"));
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 2u);
    ASSERT_EQ(testdesktop::BoxesAsked().size(), 1u);
    EXPECT_EQ(testdesktop::BoxesAsked()[0].Text, "Confirm Abort Process");
    EXPECT_EQ(testdesktop::BoxesAsked()[0].Caption, "Confirm");
    ASSERT_EQ(window.Received().size(), 1u); // the other key, but never the Escape
    EXPECT_EQ(window.Received()[0].WParam, static_cast<std::uintptr_t>('A'));
}

TEST_F(FreeRecords, EscapeAnsweredYesFinishesTheRecordAndStops) {
    testdesktop::RecordingWindow window;
    testdesktop::AnswerBoxes(true);
    window.PostKeyDown(27);
    EXPECT_FALSE(Import("PCB FILE 4\nFT\n1 2 3 4 5 1\nFT\n1 2 3 4 5 1\nFT\n1 2 3 4 5 1\n"));
    const auto tracks = OnBoard(HALVEX_KIND_TRACK);
    ASSERT_EQ(tracks.size(), 1u); // the record being read is committed in full
    EXPECT_EQ(tracks[0].Width, Mil(5));
    EXPECT_EQ(report.CountOf(corvane::ReportKind::Aborted), 1u);
    EXPECT_EQ(state.Board, nullptr);
    EXPECT_EQ(finishes, 2);
}

TEST_F(FreeRecords, AnImportStartedWhileOneRunsAnswersFalseAndTouchesNothing) {
    // A host window that, handed a message by the running import's abort poll, imports a file.
    const testsupport::TempFile other("PCB FILE 4\nFV\n0 0 50 28\n");
    const std::uint32_t otherBoard = Halvex_OpenBoard(other.Path().c_str());
    std::vector<bool> answers;
    testdesktop::RecordingWindow window;
    window.React([&](const testdesktop::ReceivedMessage&) {
        answers.push_back(corvane::ImportFile(state, other.Path()));
    });
    window.Post(0x0400, 0); // WM_USER
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n1 2 3 4 5 1\nFT\n1 2 3 4 5 1\nENDPCB\n"));
    EXPECT_EQ(answers, std::vector<bool>{false});
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 2u);
    EXPECT_EQ(Halvex_GetMemberCount(otherBoard), 0);
    EXPECT_EQ(totals.size(), 2u) << "no progress bar of its own";
    EXPECT_EQ(report.EntryCount(), 0u);
}

} // namespace
} // namespace importtest
