// The KiCad board of a board built by hand, written in process: its exact text, and streamed in
// pieces that make the same text, with the progress it promised.

#include "kicadwriter/KicadBoardWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {
namespace {

constexpr std::int32_t Mil = 10000; // host units

// One component with two pads joined by a track, and a free arc, track and text.
Board SmallBoard() {
    Board board;
    board.Header.File = "small.PCB";
    board.Header.Imported = true;
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
                                    [&](std::size_t done) { steps += done; })
                                    .DerivedNets;
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

// The component's track joins its pads into a derived net; the free track joins nothing; the
// arc is written from its end; no outline on the edge layer gives the rectangle around all.
TEST(KicadBoardWriter, OneComponentAnArcATrackAndATextGiveThisText) {
    EXPECT_EQ(BoardToKicad(SmallBoard(), {}).Text,
              R"kicad((kicad_pcb (version 20211014) (generator corvane-import)

  (general
    (thickness 1.6)
  )

  (paper "A4")
  (title_block
    (title "small.PCB")
    (comment 1 "Imported from a Corvane board by corvane-import")
  )

  (layers
    (0 "F.Cu" signal)
    (31 "B.Cu" signal)
    (32 "B.Adhes" user "B.Adhesive")
    (33 "F.Adhes" user "F.Adhesive")
    (34 "B.Paste" user)
    (35 "F.Paste" user)
    (36 "B.SilkS" user "B.Silkscreen")
    (37 "F.SilkS" user "F.Silkscreen")
    (38 "B.Mask" user)
    (39 "F.Mask" user)
    (40 "Dwgs.User" user "User.Drawings")
    (41 "Cmts.User" user "User.Comments")
    (42 "Eco1.User" user "User.Eco1")
    (43 "Eco2.User" user "User.Eco2")
    (44 "Edge.Cuts" user)
    (45 "Margin" user)
    (46 "B.CrtYd" user "B.Courtyard")
    (47 "F.CrtYd" user "F.Courtyard")
    (48 "B.Fab" user)
    (49 "F.Fab" user)
    (50 "User.1" user)
    (51 "User.2" user)
    (52 "User.3" user)
    (53 "User.4" user)
    (54 "User.5" user)
    (55 "User.6" user)
    (56 "User.7" user)
    (57 "User.8" user)
    (58 "User.9" user)
  )

  (setup
    (pad_to_mask_clearance 0)
    (aux_axis_origin 142.24 109.22)
  )

  (net 0 "")
  (net 1 "Net-(R1-Pad1)")

  (footprint "0805" (layer "F.Cu")
    (tstamp 6c3866ff-aa04-8004-9d79-19abdaffeb07)
    (at 142.24 109.22)
    (attr smd)
    (fp_text reference "R1" (at 0 0) (layer "F.Fab") hide
      (effects (font (size 1.27 1.27) (thickness 0.15)))
      (tstamp 8c3f6f00-63f1-81fb-9685-65e832e63c40)
    )
    (fp_text value "" (at 0 0) (layer "F.Fab") hide
      (effects (font (size 1.27 1.27) (thickness 0.15)))
      (tstamp c4f864f1-26db-859c-a190-5989b0d81127)
    )
    (pad "1" smd rect (at 0 0) (size 1.016 1.016) (layers "F.Cu" "F.Paste" "F.Mask") (net 1 "Net-(R1-Pad1)") (tstamp 18224772-0e80-8e46-ac7d-fa1a4cd9939f))
    (pad "2" smd rect (at 2.54 0) (size 1.016 1.016) (layers "F.Cu" "F.Paste" "F.Mask") (net 1 "Net-(R1-Pad1)") (tstamp 69de8c0b-9ffc-8958-aec7-2365990b3487))
  )

  (gr_arc (start 154.94 107.95) (mid 155.967499 108.473578) (end 156.21 109.22) (layer "F.SilkS") (width 0.2032) (tstamp 0e30bddd-5109-8cca-bd2a-0e6c26e74087))
  (gr_text "small" (at 142.24 109.22) (layer "F.SilkS") (tstamp d76a0a75-abd9-8df8-a8a7-7cc1437f58d5)
    (effects (font (size 1.524 1.524) (thickness 0)) (justify left bottom))
  )
  (gr_rect (start 139.9286 100.1776) (end 157.607 111.887) (layer "Edge.Cuts") (width 0.1) (fill none) (tstamp 5b462119-e67b-8a1d-a3bf-38ac2e0918c0))

  (segment (start 142.24 109.22) (end 144.78 109.22) (width 0.254) (layer "F.Cu") (net 1) (tstamp bf666158-2a1b-80c6-a4a5-0159c07fcd35))
  (segment (start 142.24 101.6) (end 144.78 101.6) (width 0.254) (layer "F.Cu") (net 0) (tstamp 6eade9fa-dcb8-8a73-91dd-b079c385838c))

)
)kicad");
}

// One damaged value moves nothing else: the sheet keeps its place, an object beyond KiCad's reach
// is clamped alone and named by its line, one far from the rest but within reach is named too.
TEST(KicadBoardWriter, AFarObjectIsClampedOrNamedAloneAndTheSheetStays) {
    const auto write = [](const Board& board, KicadBoardOutcome& outcome) {
        std::string text;
        outcome = WriteKicadBoard(board, {}, [&](std::string_view t) { text += t; }, {});
        const auto origin = text.find("(aux_axis_origin");
        return text.substr(origin, text.find(')', origin) - origin);
    };
    KicadBoardOutcome clean;
    const std::string cleanOrigin = write(SmallBoard(), clean);
    EXPECT_TRUE(clean.Clamped.empty());
    EXPECT_TRUE(clean.FarPlaced.empty());

    constexpr std::int32_t HostLimit = 214748 * Mil; // where the host clamps a damaged value
    struct Case {
        std::string What;
        void (*Damage)(Board&);
        std::vector<std::uint32_t> Clamped, Far;
    };
    const std::vector<Case> cases = {
        {"a free track's end at the host's limit",
         [](Board& b) {
             Track t = b.Free.Tracks[0];
             t.X2 = HostLimit, t.Line = 40;
             b.Free.Tracks.push_back(t);
         },
         {40},
         {}},
        {"a free via a metre off, within reach",
         [](Board& b) {
             Via v;
             v.X = 40000 * Mil, v.Size = 50 * Mil, v.Hole = 28 * Mil, v.Line = 41;
             v.StartLayer = "TopLayer", v.EndLayer = "BottomLayer";
             b.Free.Vias.push_back(v);
         },
         {},
         {41}},
        {"a component's position at the host's limit: its pads keep their places",
         [](Board& b) { b.Components[0].X = HostLimit, b.Components[0].Line = 42; },
         {42},
         {}},
        {"a component's text at the host's limit",
         [](Board& b) {
             Text t = b.Free.Texts[0];
             t.Y = -HostLimit, t.Line = 43;
             b.Components[0].DesignatorText = t;
         },
         {43},
         {}},
        {"a free arc of a damaged radius about the board",
         [](Board& b) {
             Arc a = b.Free.Arcs[0];
             a.X = 0, a.Radius = HostLimit, a.Line = 44;
             b.Free.Arcs.push_back(a);
         },
         {44},
         {}},
    };
    for (const Case& c : cases) {
        Board board = SmallBoard();
        c.Damage(board);
        KicadBoardOutcome outcome;
        EXPECT_EQ(write(board, outcome), cleanOrigin) << c.What;
        const auto lines = [](const std::vector<StoredObject>& objects) {
            std::vector<std::uint32_t> result;
            for (const StoredObject& o : objects) {
                result.push_back(o.Line);
            }
            return result;
        };
        EXPECT_EQ(lines(outcome.Clamped), c.Clamped) << c.What;
        EXPECT_EQ(lines(outcome.FarPlaced), c.Far) << c.What;
        EXPECT_FALSE(outcome.OriginClamped) << c.What;
    }
    // A whole board 2.5 m from the host's origin keeps its objects; the origin is clamped.
    Board away = SmallBoard();
    away.Components[0].X += 100000 * Mil;
    for (Pad& pad : away.Components[0].Children.Pads) {
        pad.X += 100000 * Mil;
    }
    away.Components[0].Children.Tracks[0].X1 += 100000 * Mil;
    away.Components[0].Children.Tracks[0].X2 += 100000 * Mil;
    away.Free.Arcs[0].X += 100000 * Mil;
    away.Free.Tracks[0].X1 += 100000 * Mil;
    away.Free.Tracks[0].X2 += 100000 * Mil;
    away.Free.Texts[0].X += 100000 * Mil;
    KicadBoardOutcome outcome;
    write(away, outcome);
    EXPECT_TRUE(outcome.Clamped.empty());
    EXPECT_TRUE(outcome.OriginClamped);
}

} // namespace
} // namespace corvane::cli
