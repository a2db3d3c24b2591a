// The KiCad board's lines, arcs and vias: copper as tracks on the board, the rest as graphics on
// the board or in a footprint.

#include "kicadwriter/KicadBoardWriting.h"

namespace corvane::cli::kicad {

void BoardFileWriter::WriteTrack(const Track& t, const Frame& frame, Section section, bool edge,
                                 std::uint32_t net) {
    if (section != Section::Tracks) {
        Line(section, frame, At(t.X1, t.Y1), At(t.X2, t.Y2),
             edge ? "Edge.Cuts" : layers_.NonCopperLayer(t.Layer), t.Width);
        return;
    }
    const SheetPoint a = At(t.X1, t.Y1), b = At(t.X2, t.Y2);
    for (const CopperLayer* layer : CopperLayersOf(layers_.CopperOn(t.Layer))) {
        Item(Section::Tracks, "segment", [&](SExprWriter& w) {
            Point(w, "start", a);
            Point(w, "end", b);
            w.Open("width").Length(SizeOf(t.Width)).Close();
            w.Open("layer").Quote(layer->Name).Close();
            NetOf(w, net);
        });
    }
}

void BoardFileWriter::Line(Section into, const Frame& frame, SheetPoint a, SheetPoint b,
                           const std::string& layer, std::int64_t width) {
    Item(into, frame.Prefix() + "line", [&](SExprWriter& w) {
        Point(w, "start", frame.Local(a));
        Point(w, "end", frame.Local(b));
        w.Open("layer").Quote(layer).Close();
        w.Open("width").Length(LineWidthOf(width)).Close();
    });
}

void BoardFileWriter::WriteArc(const Arc& a, const Frame& frame, Section section, bool edge,
                               std::uint32_t net) {
    if (section != Section::Tracks) {
        GraphicArc(section, frame, arcs_->Of(a),
                   edge ? "Edge.Cuts" : layers_.NonCopperLayer(a.Layer), a.Width);
        return;
    }
    const SheetArc arc = arcs_->Of(a);
    for (const CopperLayer* layer : CopperLayersOf(layers_.CopperOn(a.Layer))) {
        const auto tail = [&](SExprWriter& w) {
            w.Open("width").Length(SizeOf(a.Width)).Close();
            w.Open("layer").Quote(layer->Name).Close();
            NetOf(w, net);
        };
        if (arc.Degenerate) {
            Item(Section::Tracks, "segment", [&](SExprWriter& w) {
                Point(w, "start", arc.Centre);
                Point(w, "end", arc.Centre);
                tail(w);
            });
        } else if (arc.FullCircle) {
            // An arc track cannot close on itself: two halves.
            Arc half = a;
            half.EndAngle = half.StartAngle + 180;
            ArcTrack(arcs_->Of(half), tail);
            half.StartAngle += 180;
            half.EndAngle += 180;
            ArcTrack(arcs_->Of(half), tail);
        } else {
            ArcTrack(arc, tail);
        }
    }
}

template <typename Tail> void BoardFileWriter::ArcTrack(const SheetArc& arc, const Tail& tail) {
    Item(Section::Tracks, "arc", [&](SExprWriter& w) {
        Point(w, "start", arc.Start);
        Point(w, "mid", arc.Mid);
        Point(w, "end", arc.End);
        tail(w);
    });
}

void BoardFileWriter::GraphicArc(Section into, const Frame& frame, const SheetArc& arc,
                                 const std::string& layer, std::int64_t width) {
    const auto tail = [&](SExprWriter& w) {
        w.Open("layer").Quote(layer).Close();
        w.Open("width").Length(LineWidthOf(width)).Close();
    };
    if (arc.FullCircle) {
        Item(into, frame.Prefix() + "circle", [&](SExprWriter& w) {
            Point(w, "center", frame.Local(arc.Centre));
            Point(w, "end", frame.Local(arc.Start));
            tail(w);
            w.Open("fill").Atom("none").Close();
        });
    } else {
        // Written from the host's end to its start, clockwise on the sheet: KiCad 6.0 draws a
        // footprint arc clockwise from its start whatever its middle point says, and keeps a
        // board arc in that order itself. Later versions draw the arc through the three points.
        Item(into, frame.Prefix() + "arc", [&](SExprWriter& w) {
            Point(w, "start", frame.Local(arc.End));
            Point(w, "mid", frame.Local(arc.Mid));
            Point(w, "end", frame.Local(arc.Start));
            tail(w);
        });
    }
}

void BoardFileWriter::WriteVia(const Via& v, std::uint32_t net) {
    const std::vector<const CopperLayer*> span =
        CopperLayersOf(layers_.Span(v.StartLayer, v.EndLayer));
    const bool through = span.front()->Number == 0 && span.back()->Number == 31;
    Item(Section::Tracks, "via", [&](SExprWriter& w) {
        if (!through) {
            w.Atom("blind");
        }
        Point(w, "at", At(v.X, v.Y));
        w.Open("size").Length(SizeOf(v.Size)).Close();
        w.Open("drill").Length(SizeOf(v.Hole)).Close();
        w.Open("layers").Quote(span.front()->Name).Quote(span.back()->Name).Close();
        NetOf(w, net);
    });
}

} // namespace corvane::cli::kicad
