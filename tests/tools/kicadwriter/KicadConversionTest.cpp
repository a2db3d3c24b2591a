// The pure conversions of the KiCad export, one table each: the sheet's flipped y axis,
// footprint offsets under rotation, arcs, the layer map, pad forms, the nets of copper between
// pads, the board edge, and the text of the file. The whole file is
// checked against KiCad itself by tests/kicad/check_kicad.py.

#include "kicadwriter/BoardOutline.h"
#include "kicadwriter/ContentIds.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/KicadArc.h"
#include "kicadwriter/KicadLayers.h"
#include "kicadwriter/KicadPads.h"
#include "kicadwriter/KicadSheet.h"
#include "kicadwriter/SExpression.h"
#include "textformat/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <utility>

namespace corvane::cli::kicad {

using namespace units;
namespace {

constexpr std::int32_t Mil = 10000; // host units

TEST(KicadSheet, TheBoardIsCentredOnTheSmallestSheetWithYPointingDown) {
    Extent board;
    board.Add(1000 * Mil, 1000 * Mil);
    board.Add(3000 * Mil, 2400 * Mil); // 2 x 1.4 inches
    const SheetPlacement sheet = SheetPlacement::Around(board);
    EXPECT_EQ(sheet.Paper(), "A4");
    EXPECT_EQ(sheet.Left() % (100 * Mil), 0);
    EXPECT_EQ(sheet.Top() % (100 * Mil), 0);
    const SheetPoint low = sheet.At(1000 * Mil, 1000 * Mil);
    const SheetPoint high = sheet.At(1000 * Mil, 2400 * Mil);
    EXPECT_EQ(high.X, low.X);
    EXPECT_EQ(low.Y - high.Y, 1400 * 25400); // higher on the board is higher on the sheet
    EXPECT_EQ(sheet.At(3000 * Mil, 1000 * Mil).X - low.X, 2000 * 25400);
    // On the sheet and roughly in its middle.
    EXPECT_GT(low.X, 0);
    EXPECT_LT(sheet.At(3000 * Mil, 1000 * Mil).X, 297'000'000);
    EXPECT_NEAR(double(low.X + sheet.At(3000 * Mil, 0).X) / 2, 148'500'000, 2'540'000);

    Extent large;
    large.Add(0, 0);
    large.Add(20000 * Mil, 10000 * Mil); // 508 x 254 mm
    EXPECT_EQ(SheetPlacement::Around(large).Paper(), "A2");
    Extent huge;
    huge.Add(-214748 * Mil, 0);
    huge.Add(214748 * Mil, 0);
    const SheetPlacement far = SheetPlacement::Around(huge);
    EXPECT_EQ(far.Paper(), "A0");
    // Too large for KiCad's reach from the sheet's corner: the corner at its centre, where the
    // reach holds the most of it; what lies beyond is the writer's to clamp.
    EXPECT_EQ(far.Left(), 0);
    EXPECT_TRUE(InReach(far.At(-59000 * Mil, 0)));
    EXPECT_TRUE(InReach(far.At(59000 * Mil, 0)));
    EXPECT_FALSE(InReach(far.At(214748 * Mil, 0)));
    EXPECT_EQ(WithinReach(far.At(214748 * Mil, 0)).X, MaxNanometres);
}

TEST(KicadSheet, FootprintOffsetsTurnBackByTheOrientation) {
    const SheetPoint origin{1000, 2000};
    const SheetPoint right{1100, 2000}; // 100 nm to the right of the footprint
    // Turned 90 degrees counter-clockwise (up on the sheet), KiCad brings the offset (0, 100)
    // back to the right.
    const struct {
        double Orientation;
        SheetPoint Offset;
    } cases[] = {{0, {100, 0}},    {90, {0, 100}},   {180, {-100, 0}},
                 {270, {0, -100}}, {-90, {0, -100}}, {45, {71, 71}}};
    for (const auto& c : cases) {
        EXPECT_EQ(FootprintOffset(origin, c.Orientation, right), c.Offset) << c.Orientation;
    }
}

TEST(KicadArc, QuarterArcsAreExactAndTheThirdPointLiesOnTheCircle) {
    Extent board;
    board.Add(0, 0);
    const SheetPlacement sheet = SheetPlacement::Around(board);
    const SheetPoint c = sheet.At(0, 0);
    const std::int64_t r = 100 * 25400;
    Arc arc;
    arc.Radius = 100 * Mil;
    const struct {
        double Start, End;
        bool Full;
        SheetPoint From, To;
    } cases[] = {
        {0, 90, false, {c.X + r, c.Y}, {c.X, c.Y - r}}, // y down: 90 degrees is up
        {270, 90, false, {c.X, c.Y + r}, {c.X, c.Y - r}},
        {180, 270, false, {c.X - r, c.Y}, {c.X, c.Y + r}},
        {0, 360, true, {c.X + r, c.Y}, {c.X + r, c.Y}},
        {0, 0, true, {c.X + r, c.Y}, {c.X + r, c.Y}}, // equal angles: the whole circle
    };
    for (const auto& t : cases) {
        arc.StartAngle = t.Start;
        arc.EndAngle = t.End;
        const SheetArc result = ArcOnSheet(sheet, arc);
        EXPECT_EQ(result.FullCircle, t.Full) << t.Start << " " << t.End;
        EXPECT_EQ(result.Start, t.From) << t.Start << " " << t.End;
        EXPECT_EQ(result.End, t.To) << t.Start << " " << t.End;
        const double distance = std::hypot(double(result.Mid.X - c.X), double(result.Mid.Y - c.Y));
        EXPECT_NEAR(distance, double(r), 0.01) << t.Start << " " << t.End;
    }
    arc.StartAngle = 0, arc.EndAngle = 90;
    const SheetArc positive = ArcOnSheet(sheet, arc);
    arc.Radius = -arc.Radius;
    const SheetArc negative = ArcOnSheet(sheet, arc);
    EXPECT_FALSE(negative.Degenerate);
    EXPECT_EQ(negative.Start, positive.Start);
    EXPECT_EQ(negative.Mid, positive.Mid);
    EXPECT_EQ(negative.End, positive.End);
    arc.Radius = 0;
    EXPECT_TRUE(ArcOnSheet(sheet, arc).Degenerate);
}

Board BoardWithLayers(std::initializer_list<const char*> objectLayers, std::vector<Plane> planes) {
    Board board;
    for (const char* layer : objectLayers) {
        Track track;
        track.Layer = layer;
        board.Free.Tracks.push_back(track);
    }
    board.Planes = std::move(planes);
    return board;
}

TEST(KicadLayers, CopperFollowsTheStackAndTheRestGoesWhereKicadUsersExpectIt) {
    const LayerMap map = LayerMap::ForBoard(BoardWithLayers(
        {"MidLayer3", "TopOverlay"},
        {{"InternalPlane2", "VCC"}, {"InternalPlane1", "GND"}, {"InternalPlane3", std::nullopt}}));
    std::vector<std::string> stack;
    for (const CopperLayer& layer : map.CopperLayers()) {
        stack.push_back(layer.Name + "=" + layer.HostLayer + (layer.Plane ? "*" : ""));
    }
    // Mid layers in number order, the planes with a net in stack order, an empty plane left out,
    // and one more inner layer to make the count even.
    EXPECT_EQ(stack, (std::vector<std::string>{"F.Cu=TopLayer", "In1.Cu=MidLayer3",
                                               "In2.Cu=InternalPlane2*", "In3.Cu=InternalPlane1*",
                                               "In4.Cu=", "B.Cu=BottomLayer"}));
    EXPECT_EQ(map.CopperOn("MultiLayer"), map.AllCopper());
    EXPECT_EQ(map.Span("TopLayer", "InternalPlane2"), CopperMask{0b111});
    EXPECT_EQ(map.Span("NoLayer", "BottomLayer"), map.AllCopper());

    const struct {
        const char* Host;
        const char* Kicad;
    } layers[] = {
        {"TopLayer", "F.Cu"},         {"BottomLayer", "B.Cu"},
        {"MidLayer3", "In1.Cu"},      {"TopOverlay", "F.SilkS"},
        {"BottomOverlay", "B.SilkS"}, {"TopPaste", "F.Paste"},
        {"BottomSolder", "B.Mask"},   {"KeepOutLayer", "Margin"},
        {"Mechanical1", "Dwgs.User"}, {"Mechanical2", "Eco1.User"},
        {"Mechanical4", "User.1"},    {"Mechanical16", "User.9"},
        {"DrillGuide", "Dwgs.User"},  {"NoLayer", "Cmts.User"},
        {"MidLayer2", "Cmts.User"},   {"", "Cmts.User"},
    };
    for (const auto& l : layers) {
        EXPECT_EQ(map.LayerOf(l.Host), l.Kicad) << l.Host;
    }
}

TEST(KicadPads, HolesShapesAndLayersGiveKicadsPadForms) {
    const LayerMap map = LayerMap::ForBoard(Board{});
    const auto pad = [](std::uint8_t shape, std::int32_t x, std::int32_t y, std::int32_t hole,
                        const char* layer) {
        Pad p;
        p.ShapeCode = shape;
        p.XSize = x * Mil;
        p.YSize = y * Mil;
        p.Hole = hole * Mil;
        p.Layer = layer;
        p.CornerPercent = 50;
        return p;
    };
    const struct {
        Pad In;
        const char* Kind;
        const char* Shape;
        std::vector<std::string> Layers;
        bool Octagon;
        double RoundRatio;
    } cases[] = {
        {pad(1, 60, 60, 32, "MultiLayer"), "thru_hole", "circle", {"*.Cu", "*.Mask"}, false, 0},
        {pad(1, 60, 90, 32, "MultiLayer"), "thru_hole", "oval", {"*.Cu", "*.Mask"}, false, 0},
        {pad(3, 65, 65, 35, "MultiLayer"), "thru_hole", "roundrect", {"*.Cu", "*.Mask"}, true, 0},
        {pad(1, 125, 125, 125, "MultiLayer"),
         "np_thru_hole",
         "circle",
         {"*.Cu", "*.Mask"},
         false,
         0},
        {pad(2, 50, 60, 0, "TopLayer"), "smd", "rect", {"F.Cu", "F.Paste", "F.Mask"}, false, 0},
        {pad(9, 50, 60, 0, "BottomLayer"),
         "smd",
         "roundrect",
         {"B.Cu", "B.Paste", "B.Mask"},
         false,
         0.25},
        {pad(7, 50, 60, 0, "MultiLayer"), "smd", "rect", {"*.Cu", "*.Mask"}, false, 0},
        {pad(2, 50, 60, 0, "TopOverlay"), "smd", "rect", {"F.SilkS"}, false, 0},
    };
    for (const auto& c : cases) {
        const PadForm form = PadFormOf(c.In, map);
        EXPECT_EQ(form.Kind, c.Kind) << c.In.ShapeCode << " " << c.In.Layer;
        EXPECT_EQ(form.Shape, c.Shape) << c.In.ShapeCode << " " << c.In.Layer;
        EXPECT_EQ(form.Layers, c.Layers) << c.In.ShapeCode << " " << c.In.Layer;
        EXPECT_EQ(form.Octagon, c.Octagon) << c.In.ShapeCode;
        EXPECT_EQ(form.RoundRatio, c.RoundRatio) << c.In.ShapeCode;
    }
}

TEST(CopperNets, CopperTakesTheOneNetItTouches) {
    Board board;
    const auto pad = [](std::int32_t x, const char* net) {
        Pad p;
        p.X = x * Mil;
        p.ShapeCode = 1;
        p.XSize = p.YSize = 60 * Mil;
        p.Hole = 32 * Mil;
        p.Layer = "MultiLayer";
        p.Net = net != nullptr ? NetName(net) : std::nullopt;
        return p;
    };
    const auto track = [](std::int32_t x1, std::int32_t x2, const char* layer) {
        Track t;
        t.X1 = x1 * Mil;
        t.X2 = x2 * Mil;
        t.Width = 10 * Mil;
        t.Layer = layer;
        return t;
    };
    board.Free.Pads = {pad(0, "A"), pad(1000, "B"), pad(2000, "B"), pad(3000, nullptr)};
    board.Free.Tracks = {
        track(0, 400, "TopLayer"),        // ends on pad A
        track(400, 500, "TopLayer"),      // ends on the track before: A as well
        track(600, 700, "TopLayer"),      // touches nothing
        track(1000, 2000, "BottomLayer"), // between the two pads of B
        track(2000, 3000, "TopLayer"),    // from B to a pad without a net: both B
        track(400, 480, "BottomLayer"),   // under A's track, on another layer
    };
    Via via;
    via.X = 500 * Mil;
    via.Size = 50 * Mil;
    via.StartLayer = "TopLayer";
    via.EndLayer = "BottomLayer";
    board.Free.Vias = {via}; // on the end of A's second track, joining the bottom line too
    const CopperNets result = WithCopperNets(board, LayerMap::ForBoard(board), true);
    std::vector<NetName> nets;
    for (std::size_t i = 0; i < board.Free.Tracks.size(); ++i) {
        nets.push_back(result.Of(0, CopperKind::Track, i));
    }
    EXPECT_EQ(nets, (std::vector<NetName>{"A", "A", std::nullopt, "B", "B", "A"}));
    EXPECT_EQ(result.Of(0, CopperKind::Pad, 3), "B");
    EXPECT_EQ(result.Of(0, CopperKind::Via, 0), "A");

    // A line joining pads of two nets is a short on the board: it gets neither.
    board.Free.Tracks = {track(0, 1000, "TopLayer")};
    const CopperNets shorted = WithCopperNets(board, LayerMap::ForBoard(board), true);
    EXPECT_EQ(shorted.Of(0, CopperKind::Track, 0), std::nullopt);
    EXPECT_EQ(shorted.Derived, 0U);
}

TEST(CopperNets, CopperNoNetReachesBecomesANetNamedAfterItsFirstPad) {
    const auto part = [](const char* designator, std::int32_t x, std::vector<const char*> pads) {
        Component c;
        c.Designator = designator;
        for (std::size_t i = 0; i < pads.size(); ++i) {
            Pad p;
            p.X = x * Mil + std::int32_t(i) * 100 * Mil;
            p.Name = pads[i];
            p.ShapeCode = 2;
            p.XSize = p.YSize = 60 * Mil;
            p.Layer = "TopLayer";
            c.Children.Pads.push_back(p);
        }
        return c;
    };
    const auto track = [](std::int32_t x1, std::int32_t x2) {
        Track t;
        t.X1 = x1 * Mil;
        t.X2 = x2 * Mil;
        t.Width = 10 * Mil;
        t.Layer = "TopLayer";
        return t;
    };
    Board board;
    // R10's pad 2 (x 1100) and R2's pad 1 (x 2000) by a track; C1 touches nothing; two parts
    // named U1 each joined to a track of their own; a track between nothing.
    board.Components = {part("R10", 1000, {"1", "2"}), part("R2", 2000, {"1", "2"}),
                        part("C1", 3000, {"1", "2"}), part("U1", 4000, {"1"}),
                        part("U1", 5000, {"1"})};
    board.Free.Tracks = {track(1100, 2000), track(4000, 4050), track(5000, 5050),
                         track(6000, 6100)};
    const struct {
        bool Derive;
        std::vector<NetName> Tracks;
        NetName LonePad;
        std::size_t Derived;
    } cases[] = {
        {true,
         {"Net-(R2-Pad1)", "Net-(U1-Pad1)", "Net-(U1-Pad1)_2", std::nullopt},
         std::nullopt,
         3},
        {false, {std::nullopt, std::nullopt, std::nullopt, std::nullopt}, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        const CopperNets nets = WithCopperNets(board, LayerMap::ForBoard(board), c.Derive);
        std::vector<NetName> tracks;
        for (std::size_t i = 0; i < board.Free.Tracks.size(); ++i) {
            tracks.push_back(nets.Of(0, CopperKind::Track, i));
        }
        EXPECT_EQ(tracks, c.Tracks) << c.Derive;
        EXPECT_EQ(nets.Of(1, CopperKind::Pad, 1), c.Tracks[0]) << c.Derive;
        EXPECT_EQ(nets.Of(3, CopperKind::Pad, 0), c.LonePad) << c.Derive;
        EXPECT_EQ(nets.Derived, c.Derived) << c.Derive;
    }
}

TEST(BoardOutline, ClosedOutlinesOfTheEdgeLayerAreTheEdgeAndTheRestStays) {
    Primitives free;
    const auto line = [](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                         const char* layer) {
        Track t;
        t.X1 = x1 * Mil, t.Y1 = y1 * Mil, t.X2 = x2 * Mil, t.Y2 = y2 * Mil;
        t.Layer = layer;
        return t;
    };
    free.Tracks = {
        line(0, 0, 1000, 0, "KeepOutLayer"),
        line(1000, 0, 1000, 900, "KeepOutLayer"),
        line(0, 1000, 0, 0, "KeepOutLayer"), // the outline, closed by the arc below
        line(200, 200, 400, 200, "KeepOutLayer"),
        line(400, 200, 400, 400, "KeepOutLayer"),
        line(400, 400, 200, 400, "KeepOutLayer"),
        line(200, 400, 200, 200, "KeepOutLayer"), // a fenced area inside: not the edge
        line(500, 500, 600, 500, "KeepOutLayer"), // an open line
        line(0, 0, 1000, 0, "Mechanical1"),       // another layer
    };
    Arc corner;
    corner.X = 900 * Mil, corner.Y = 900 * Mil, corner.Radius = 100 * Mil;
    corner.StartAngle = 0, corner.EndAngle = 90;
    corner.Layer = "KeepOutLayer";
    Track top = line(900, 1000, 0, 1000, "KeepOutLayer");
    free.Tracks.push_back(top);
    free.Arcs = {corner};
    Extent extent;
    extent.Add(0, 0);
    extent.Add(1000 * Mil, 1000 * Mil);
    const SheetPlacement sheet = SheetPlacement::Around(extent);
    const EdgeOutline outline = FindEdgeOutline(free, "KeepOutLayer", sheet);
    EXPECT_TRUE(outline.Found);
    EXPECT_EQ(outline.Tracks, (std::vector<bool>{true, true, true, false, false, false, false,
                                                 false, false, true}));
    EXPECT_EQ(outline.Arcs, std::vector<bool>{true});
    EXPECT_FALSE(FindEdgeOutline(free, "Mechanical1", sheet).Found);

    // Without an outline: everything and 50 mil more, out to whole mils.
    Extent odd;
    odd.Add(5, -5);
    odd.Add(999 * Mil + 1, 10 * Mil);
    const Extent rectangle = FallbackOutline(odd);
    EXPECT_EQ(rectangle.MinX(), -50 * Mil);
    EXPECT_EQ(rectangle.MinY(), -51 * Mil);
    EXPECT_EQ(rectangle.MaxX(), 1050 * Mil);
    EXPECT_EQ(rectangle.MaxY(), 60 * Mil);
}

TEST(KicadText, StringsAreQuotedAndIdentifiersFollowTheContent) {
    EXPECT_EQ(Quoted("R1"), "\"R1\"");
    EXPECT_EQ(Quoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(Quoted("1\n2\t3\x01"), "\"1\\n2\\t3?\"");
    EXPECT_EQ(Quoted("\xb5"), "\"\xC2\xB5\"");

    ContentIds first, second;
    const std::string a = first.For("(segment x)");
    const std::string b = first.For("(segment x)"); // the same text again: another object
    EXPECT_NE(a, b);
    EXPECT_EQ(second.For("(segment x)"), a); // the same board gives the same identifiers
    EXPECT_EQ(a.size(), 36u);
    EXPECT_EQ(a[14], '8'); // a UUID of version 8: made by the program's own rule
    // A text hashed in pieces has the identifier of the whole text.
    ContentIds pieces;
    EXPECT_EQ(pieces.For(ContentHash().Add("(seg").Add("").Add("ment x)")).View(), a);
}

// An identifier depends on its text and on how often the text came before, not on the other
// texts: the same repeats give the same identifiers before and after thousands of other texts,
// which the table takes in batches and grows for.
TEST(KicadText, RepeatsAreCountedWhateverCameBetween) {
    const auto repeats = [](ContentIds& ids) {
        std::vector<std::string> made;
        for (int i = 0; i < 3; ++i) {
            made.push_back(ids.For("(segment again)"));
        }
        return made;
    };
    const auto others = [](ContentIds& ids, std::set<std::string>& made) {
        for (int i = 0; i < 20000; ++i) {
            made.insert(ids.For("(segment " + std::to_string(i) + ")"));
        }
    };
    ContentIds before, after;
    std::set<std::string> beforeOthers, afterOthers;
    const std::vector<std::string> first = repeats(before);
    others(before, beforeOthers);
    others(after, afterOthers);
    EXPECT_EQ(repeats(after), first);
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), 3u);
    EXPECT_EQ(beforeOthers, afterOthers);
    EXPECT_EQ(afterOthers.size(), 20000u);
}

} // namespace
} // namespace corvane::cli::kicad
