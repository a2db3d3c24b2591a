// Free primitive records imported onto a board of the substitute server.

#include "ImportFixture.h"
#include "TestDesktop.h"

#include <limits>

namespace importtest {
namespace {

class FreeRecords : public ImportOnServer {};

TEST_F(FreeRecords, TrackFromMilsToHostUnitsOnTheTopLayer) {
    ASSERT_TRUE(Import("PCB FILE 4\r\nFT\r\n100 200 300 400 10 1\r\nENDPCB\r\n"));
    const Info track = Single(HALVEX_KIND_TRACK);
    EXPECT_EQ(track.X, Mil(100));
    EXPECT_EQ(track.Y, Mil(200));
    EXPECT_EQ(track.X2, Mil(300));
    EXPECT_EQ(track.Y2, Mil(400));
    EXPECT_EQ(track.Width, Mil(10));
    EXPECT_EQ(track.Layer, 1u);
    EXPECT_EQ(track.Flags, 0);
    EXPECT_EQ(report.EntryCount(), 0u);
}

TEST_F(FreeRecords, ViaSpansTopToBottomWithTheFilesHoleInVersion4) {
    ASSERT_TRUE(Import("PCB FILE 4\nFV\n0 0 50 28\n"));
    const Info via = Single(HALVEX_KIND_VIA);
    EXPECT_EQ(via.Size, Mil(50));
    EXPECT_EQ(via.HoleSize, Mil(28));
    EXPECT_EQ(via.StartLayer, 1);
    EXPECT_EQ(via.EndLayer, 32);
}

TEST_F(FreeRecords, Version5ViasTakeA32MilHole) {
    ASSERT_TRUE(Import("PCB FILE 5\nFV\n0 0 50 28\n"));
    EXPECT_EQ(Single(HALVEX_KIND_VIA).HoleSize, Mil(32));
}

TEST_F(FreeRecords, PadShapeOneIsSquaredShapeFourKeepsItsSizes) {
    ASSERT_TRUE(Import("PCB FILE 4\n"
                       "FP\n10 20 60 80 1 30 0 1\nA\n"
                       "FP\n10 20 60 80 4 30 0 1\nB\n"));
    const auto pads = OnBoard(HALVEX_KIND_PAD);
    ASSERT_EQ(pads.size(), 2u);
    EXPECT_EQ(pads[0].TopShape, 1);
    EXPECT_EQ(pads[0].TopXSize, Mil(60));
    EXPECT_EQ(pads[0].TopYSize, Mil(60));
    EXPECT_EQ(pads[1].TopShape, 1);
    EXPECT_EQ(pads[1].TopXSize, Mil(60));
    EXPECT_EQ(pads[1].TopYSize, Mil(80));
    for (const Info& pad : pads) {
        // The same pad on every layer.
        EXPECT_EQ(pad.MidXSize, pad.TopXSize);
        EXPECT_EQ(pad.BotYSize, pad.TopYSize);
        EXPECT_EQ(pad.MidShape, pad.TopShape);
        EXPECT_EQ(pad.BotShape, pad.TopShape);
        EXPECT_EQ(pad.X, Mil(10));
        EXPECT_EQ(pad.HoleSize, Mil(30));
    }
    EXPECT_STREQ(pads[0].Name, "A");
}

TEST_F(FreeRecords, PlaneCodesAreClampedAndKeptInTheTag) {
    ASSERT_TRUE(Import("PCB FILE 4\n"
                       "FP\n0 0 60 60 2 30 0 13\nP0\n"
                       "FP\n0 0 60 60 2 30 9 13\nP9\n"
                       "FP\n0 0 60 60 2 30 4 13\nP4\n"));
    const auto pads = OnBoard(HALVEX_KIND_PAD);
    ASSERT_EQ(pads.size(), 3u);
    EXPECT_EQ(pads[0].Tag, 0);
    EXPECT_EQ(pads[1].Tag, 6);
    EXPECT_EQ(pads[2].Tag, 4);
    EXPECT_EQ(pads[0].Layer, 74u);
}

TEST_F(FreeRecords, Version5PadsAreDrilledOnlyOnTheMultiLayer) {
    ASSERT_TRUE(Import("PCB FILE 5\n"
                       "FP\n0 0 60 60 1 28 0 13\nT\n"
                       "FP\n0 0 60 60 1 28 0 1\nS\n"));
    const auto pads = OnBoard(HALVEX_KIND_PAD);
    ASSERT_EQ(pads.size(), 2u);
    EXPECT_EQ(pads[0].HoleSize, Mil(32));
    EXPECT_EQ(pads[1].HoleSize, 0);
}

TEST_F(FreeRecords, PadNamesKeepTheirFirst20Characters) {
    ASSERT_TRUE(Import("PCB FILE 4\nFP\n0 0 60 60 1 28 0 1\nABCDEFGHIJKLMNOPQRSTUVWXY\nFT\n"
                       "0 0 1 1 1 1\n"));
    EXPECT_STREQ(Single(HALVEX_KIND_PAD).Name, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), 1u); // the rest of the name line was skipped
    EXPECT_EQ(report.CountOf(corvane::ReportKind::LineCut), 1u);
}

TEST_F(FreeRecords, ArcQuadrantsBecomeStartAndEndAngles) {
    ASSERT_TRUE(Import("PCB FILE 4\nFA\n100 100 50 9 8 1\nFA\n0 0 10 0 8 1\n"));
    const auto arcs = OnBoard(HALVEX_KIND_ARC);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].StartAngle, 270.0);
    EXPECT_EQ(arcs[0].EndAngle, 90.0);
    EXPECT_EQ(arcs[0].Radius, Mil(50));
    EXPECT_EQ(arcs[0].Width, Mil(8));
    EXPECT_EQ(arcs[0].X, Mil(100));
    EXPECT_EQ(arcs[1].StartAngle, 0.0);
    EXPECT_EQ(arcs[1].EndAngle, 0.0);
}

TEST_F(FreeRecords, FillCornersAndLayer) {
    ASSERT_TRUE(Import("PCB FILE 4\nFF\n10 20 30 40 6\n"));
    const Info fill = Single(HALVEX_KIND_FILL);
    EXPECT_EQ(fill.X, Mil(10));
    EXPECT_EQ(fill.Y, Mil(20));
    EXPECT_EQ(fill.X2, Mil(30));
    EXPECT_EQ(fill.Y2, Mil(40));
    EXPECT_EQ(fill.Layer, 32u);
}

TEST_F(FreeRecords, StringOrientationMirrorAndStrokeWidth) {
    ASSERT_TRUE(Import("PCB FILE 4\n"
                       "FS\n10 20 45 17 0 7\nmirrored\n"
                       "FS\n10 20 10 48 0 7\nhalf turn\n"
                       "FS\n10 20 60 1.5 0 7\nrounded\n"
                       "FS\n10 20 60 4294967313 0 7\nbeyond 32 bits\n"));
    const auto texts = OnBoard(HALVEX_KIND_TEXT);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_STREQ(texts[0].Text, "mirrored");
    EXPECT_EQ(texts[0].Rotation, 270.0);
    EXPECT_EQ(texts[0].Mirror, 1);
    EXPECT_EQ(texts[0].Size, Mil(45));
    EXPECT_EQ(texts[0].Width, Mil(7));
    EXPECT_EQ(texts[0].FontId, 1);
    EXPECT_EQ(texts[0].Layer, 33u);
    EXPECT_EQ(texts[1].Rotation, 180.0);
    EXPECT_EQ(texts[1].Mirror, 0);
    EXPECT_EQ(texts[1].Width, Mil(6));
    EXPECT_EQ(texts[2].Rotation, 180.0);
    EXPECT_EQ(texts[2].Width, Mil(8));
    EXPECT_EQ(texts[3].Rotation, 270.0); // 2^32 + 17: the bits of 17
    EXPECT_EQ(texts[3].Mirror, 1);
}

TEST_F(FreeRecords, FileLayerFiveLandsOnMidLayer14) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n0 0 1 1 1 5\n"));
    EXPECT_EQ(Single(HALVEX_KIND_TRACK).Layer, 15u);
}

TEST_F(FreeRecords, FileLayersOutsideTheMapGoToNoLayer) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n0 0 1 1 1 0\nFT\n0 0 1 1 1 20\nFT\n0 0 1 1 1 255\n"
                       "FT\n0 0 1 1 1 269\n"));
    const auto tracks = OnBoard(HALVEX_KIND_TRACK);
    ASSERT_EQ(tracks.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(tracks[i].Layer, 0u);
        EXPECT_EQ(tracks[i].X2, Mil(1)); // otherwise imported as read
    }
    EXPECT_EQ(tracks[3].Layer, 74u); // only the low 8 bits count: 269 is file layer 13
    EXPECT_EQ(report.CountOf(corvane::ReportKind::LayerOutOfRange), 3u);
}

TEST_F(FreeRecords, AShortLineTakesItsLayerFromTheNextLine) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n1 2 3 4 5\n6 FT 9\nFV\n0 0 50 28\n"));
    const Info track = Single(HALVEX_KIND_TRACK);
    EXPECT_EQ(track.Width, Mil(5));
    EXPECT_EQ(track.Layer, 32u); // file layer 6
    EXPECT_EQ(OnBoard(HALVEX_KIND_VIA).size(), 1u);
    EXPECT_EQ(report.CountOf(corvane::ReportKind::NumberFromNextLine), 1u);
}

TEST_F(FreeRecords, CoordinatesBeyondTheHostRangeAreClamped) {
    ASSERT_TRUE(Import("PCB FILE 4\nFT\n300000 -300000 214748 -214748 1 1\n"));
    const Info track = Single(HALVEX_KIND_TRACK);
    EXPECT_EQ(track.X, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(track.Y, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(track.X2, 2147480000);
    EXPECT_EQ(track.Y2, -2147480000);
    EXPECT_EQ(report.CountOf(corvane::ReportKind::ValueClamped), 2u);
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

} // namespace
} // namespace importtest
