// The KiCad board written in process: streamed in pieces that make the same text as the whole,
// with the progress it promised.

#include "kicadwriter/KicadBoardWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace corvane::cli {
namespace {

constexpr std::int32_t Mil = 10000; // host units

// One component with two pads joined by a track, and a free arc, track and text.
Board SmallBoard() {
    Board board;
    board.File = "small.PCB";
    Component part;
    part.Designator = "R1";
    part.Pattern = "0805";
    part.Layer = "TopLayer";
    for (const std::int32_t x : {0, 100}) {
        Pad pad;
        pad.X = x * Mil;
        pad.Name = x == 0 ? "1" : "2";
        pad.ShapeCode = 2;
        pad.XSize = pad.YSize = 40 * Mil;
        pad.Layer = "TopLayer";
        part.Children.Pads.push_back(pad);
    }
    Track link;
    link.X2 = 100 * Mil;
    link.Width = 10 * Mil;
    link.Layer = "TopLayer";
    part.Children.Tracks.push_back(link);
    board.Components.push_back(part);
    Arc arc;
    arc.X = 500 * Mil;
    arc.Radius = 50 * Mil;
    arc.EndAngle = 90;
    arc.Width = 8 * Mil;
    arc.Layer = "TopOverlay";
    board.Free.Arcs.push_back(arc);
    Track track = link;
    track.Y1 = track.Y2 = 300 * Mil;
    board.Free.Tracks.push_back(track);
    Text text;
    text.Content = "small";
    text.Height = 60 * Mil;
    text.Layer = "TopOverlay";
    board.Free.Texts.push_back(text);
    return board;
}

TEST(KicadBoardWriter, StreamsTheWholeTextAndReportsEveryStepItPromised) {
    const Board board = SmallBoard();
    std::string streamed;
    std::size_t pieces = 0, steps = 0;
    const std::size_t derived = WriteKicadBoard(
        board, {},
        [&](std::string_view text) {
            streamed += text;
            ++pieces;
        },
        [&](std::size_t done) { steps += done; });
    const KicadBoard whole = BoardToKicad(board, {});
    EXPECT_EQ(streamed, whole.Text);
    EXPECT_GE(pieces, 1U);
    // Each of the four sections visits the component (1 + its 3 objects) and the 3 free objects.
    EXPECT_EQ(KicadBoardSteps(board), 28U);
    EXPECT_EQ(steps, KicadBoardSteps(board));
    // The track joins the component's two pads: a net named after the first.
    EXPECT_EQ(derived, 1U);
    EXPECT_EQ(whole.DerivedNets, 1U);
    EXPECT_NE(whole.Text.find("(net 1 \"Net-(R1-Pad1)\")"), std::string::npos);
}

} // namespace
} // namespace corvane::cli
