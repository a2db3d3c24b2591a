#include "kicadwriter/KicadBoardWriter.h"

#include "kicadwriter/BoardOutline.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/KicadArc.h"
#include "kicadwriter/KicadLayers.h"
#include "kicadwriter/KicadPads.h"
#include "kicadwriter/KicadSheet.h"
#include "kicadwriter/SExpression.h"
#include "placement/PartPlacement.h"
#include "textformat/Units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::cli {
namespace {

using namespace kicad;
using namespace units;

// Sizes the host board does not give, as KiCad's own defaults.
constexpr std::int64_t OutlineWidth = 100'000;     // nm: the rectangle drawn as the edge
constexpr std::int64_t DefaultLineWidth = 100'000; // nm: KiCad's width for lines of width 0
constexpr std::int64_t SmallestPad = 1'000;        // nm
constexpr std::int64_t HiddenTextSize = 1'270'000; // nm: texts a footprint needs but the host lacks
constexpr std::int64_t HiddenTextStroke = 150'000;
constexpr const char* ZoneHatch = "(hatch edge 0.508)";
// Islands kept: the host drew every piece of copper it holds, and KiCad 6.0 took the demo's
// fill, joined to its net by vias and a track, for an island and emptied it.
constexpr const char* ZoneFill =
    "(fill (thermal_gap 0.508) (thermal_bridge_width 0.508) (island_removal_mode 1))";

std::string XY(SheetPoint p) {
    return Millimetres(p.X) + " " + Millimetres(p.Y);
}

// A size or width: its magnitude, within KiCad's reach.
std::string Size(std::int64_t hostUnits) {
    return Millimetres(std::min(Nanometres(std::abs(hostUnits)), MaxNanometres));
}

// KiCad draws no line of width 0 and gives such a line its default width: the file says so.
std::string LineWidth(std::int64_t hostUnits) {
    return hostUnits == 0 ? Millimetres(DefaultLineWidth) : Size(hostUnits);
}

// KiCad's smallest pad: smaller sizes (0 in broken files) are written as it.
std::string PadSize(std::int64_t hostUnits) {
    return Millimetres(std::clamp(Nanometres(std::abs(hostUnits)), SmallestPad, MaxNanometres));
}

// Cosine and sine of an angle in degrees, exact at quarter turns.
std::pair<double, double> CosSin(double degrees) {
    const double angle = NormalisedDegrees(degrees);
    if (angle == 0) {
        return {1, 0};
    }
    if (angle == 90) {
        return {0, 1};
    }
    if (angle == 180) {
        return {-1, 0};
    }
    if (angle == 270) {
        return {0, -1};
    }
    const double radians = angle * std::numbers::pi / 180;
    return {std::cos(radians), std::sin(radians)};
}

// Where the children of a footprint are written: relative to its position, turned back by its
// orientation (KiCad turns them by it when it loads the board). The board itself has no frame.
struct Frame {
    bool InFootprint = false;
    SheetPoint Origin;
    double Orientation = 0;

    SheetPoint Local(SheetPoint p) const {
        return InFootprint ? FootprintOffset(Origin, Orientation, p) : p;
    }

    std::string Prefix() const { return InFootprint ? "fp_" : "gr_"; }
    std::string Indent() const { return InFootprint ? "    " : "  "; }
};

// The sheet holds the board and the rectangle drawn when its edge has no closed outline.
SheetPlacement SheetAround(const Extent& extent) {
    Extent all = extent;
    all.Add(FallbackOutline(extent));
    return SheetPlacement::Around(all);
}

// The texts of a footprint take their role from where they come from.
enum class TextRole { Board, Reference, Value, User };

// The parts of the file after the nets, in file order. Each is written by its own pass over the
// board, so that nothing but the footprint being made is held.
enum class Section { Footprints, Graphics, Tracks, Zones };
constexpr std::size_t SectionCount = 4;

// Bytes gathered before they go to the sink.
constexpr std::size_t SinkChunk = 64 * 1024;
// Steps gathered before they are reported.
constexpr std::size_t ProgressChunk = 1024;

// Every object of a container, in the order the writer visits them.
std::size_t ObjectCount(const Primitives& p) {
    return p.Tracks.size() + p.Vias.size() + p.Pads.size() + p.Arcs.size() + p.Fills.size() +
           p.Texts.size();
}

class Writer {
public:
    Writer(const Board& board, const std::string& edgeLayer, bool deriveNets, const TextSink& sink,
           const ProgressSteps& progress)
        : layers_(LayerMap::ForBoard(board)), nets_(WithCopperNets(board, layers_, deriveNets)),
          board_(board), edgeLayer_(edgeLayer), sink_(sink), progress_(progress) {
        extent_ = BoardExtent(board_);
        outlineBox_ = FallbackOutline(extent_);
        sheet_.emplace(SheetAround(extent_));
        outline_ = FindEdgeOutline(board_.Free, edgeLayer_, *sheet_);
        NumberNets();
    }

    std::size_t DerivedNets() const { return nets_.Derived; }

    void Document() {
        std::string& out = out_;
        out += std::string("(kicad_pcb (version ") + KicadBoardFormatVersion +
               ") (generator corvane-import)\n\n";
        out += "  (general\n    (thickness 1.6)\n  )\n\n";
        out += "  (paper " + Quoted(sheet_->Paper()) + ")\n";
        out += "  (title_block\n    (title " + Quoted(board_.File) + ")\n" +
               "    (comment 1 \"Imported from a Corvane board by corvane-import\")\n  )\n\n";
        out += LayerList() + "\n";
        const SheetPoint origin = sheet_->At(0, 0);
        out += "  (setup\n    (pad_to_mask_clearance 0)\n    (aux_axis_origin " + XY(origin) +
               ")\n  )\n\n";
        out += "  (net 0 \"\")\n";
        for (const std::uint32_t id : netOrder_) {
            out +=
                "  (net " + std::to_string(netNumbers_[id]) + " " + Quoted(nets_.Name(id)) + ")\n";
        }
        out += "\n";
        for (const Section section :
             {Section::Footprints, Section::Graphics, Section::Tracks, Section::Zones}) {
            pass_ = section;
            wrote_ = false;
            WriteSection();
            // The graphics and the tracks end with an empty line, when there are any.
            if (wrote_ && (section == Section::Graphics || section == Section::Tracks)) {
                out_ += "\n";
            }
        }
        out_ += ")\n";
        sink_(out_);
        out_.clear();
        if (progress_ && steps_ != 0) {
            progress_(steps_);
        }
    }

private:
    // One pass over the board, which writes what belongs in the section being written.
    void WriteSection() {
        for (std::size_t i = 0; i < board_.Components.size(); ++i) {
            WriteComponent(board_.Components[i], i + 1);
        }
        for (std::size_t i = 0; i < board_.Free.Pads.size(); ++i) {
            WriteFreePad(board_.Free.Pads[i], nets_.IdOf(0, CopperKind::Pad, i));
            Done(1);
        }
        WritePrimitives(board_.Free, Frame{}, true, 0);
        if (!outline_.Found && pass_ == Section::Graphics) {
            const SheetPoint a = sheet_->At(outlineBox_.MinX(), outlineBox_.MaxY());
            const SheetPoint b = sheet_->At(outlineBox_.MaxX(), outlineBox_.MinY());
            Item(Section::Graphics, "  ",
                 "(gr_rect (start " + XY(a) + ") (end " + XY(b) +
                     ") (layer \"Edge.Cuts\") (width " + Millimetres(OutlineWidth) +
                     ") (fill none)");
        }
        if (pass_ == Section::Zones) {
            WritePlaneZones();
        }
    }

    // Counts objects written, reported in chunks.
    void Done(std::size_t objects) {
        steps_ += objects;
        if (steps_ >= ProgressChunk) {
            if (progress_) {
                progress_(steps_);
            }
            steps_ = 0;
        }
    }

    // Hands the text written so far on once there is enough of it.
    void Drain() {
        if (out_.size() >= SinkChunk) {
            sink_(out_);
            out_.clear();
        }
    }

    // Where an item of a section goes in this pass: the footprint being made, the file, or
    // nowhere (another pass writes it).
    std::string* Into(Section section) {
        if (section != pass_) {
            return nullptr;
        }
        wrote_ = true;
        return section == Section::Footprints ? &footprint_ : &out_;
    }

    bool Writes(Section section) const { return section == pass_; }

    // ---- Nets

    void NumberNets() {
        netNumbers_.assign(nets_.Names.size() + 1, 0);
        const auto add = [&](std::uint32_t id) {
            if (id != 0 && netNumbers_[id] == 0) {
                netOrder_.push_back(id);
                netNumbers_[id] = int(netOrder_.size());
            }
        };
        for (const Net& net : board_.Nets) {
            add(nets_.IdOfName(net.Name));
        }
        for (const Plane& plane : board_.Planes) {
            add(plane.Net ? nets_.IdOfName(*plane.Net) : 0);
        }
        const auto addPrimitives = [&](const Primitives& p, std::size_t container) {
            for (const auto& [kind, count] : {std::pair{CopperKind::Pad, p.Pads.size()},
                                              {CopperKind::Track, p.Tracks.size()},
                                              {CopperKind::Via, p.Vias.size()},
                                              {CopperKind::Arc, p.Arcs.size()},
                                              {CopperKind::Fill, p.Fills.size()}}) {
                for (std::size_t i = 0; i < count; ++i) {
                    add(nets_.IdOf(container, kind, i));
                }
            }
        };
        addPrimitives(board_.Free, 0);
        for (std::size_t i = 0; i < board_.Components.size(); ++i) {
            addPrimitives(board_.Components[i].Children, i + 1);
        }
    }

    int NetNumber(std::uint32_t id) const { return netNumbers_[id]; }

    std::string NetOf(std::uint32_t id) const {
        return "(net " + std::to_string(NetNumber(id)) + ")";
    }

    // ---- Layers

    std::string LayerList() const {
        std::string out = "  (layers\n";
        for (const CopperLayer& layer : layers_.CopperLayers()) {
            out += "    (" + std::to_string(layer.Number) + " " + Quoted(layer.Name) +
                   (layer.Plane ? " power" : " signal") + ")\n";
        }
        for (const NonCopperLayerInfo& layer : NonCopperLayers()) {
            out += "    (" + std::to_string(layer.Number) + " " + Quoted(layer.Name) + " user" +
                   (layer.Description != nullptr ? " " + Quoted(layer.Description) : "") + ")\n";
        }
        return out + "  )\n";
    }

    // The KiCad copper layers of a copper mask, in stack order.
    std::vector<const CopperLayer*> CopperLayersOf(CopperMask mask) const {
        std::vector<const CopperLayer*> result;
        const auto& copper = layers_.CopperLayers();
        for (std::size_t i = 0; i < copper.size(); ++i) {
            if ((mask >> i) & 1) {
                result.push_back(&copper[i]);
            }
        }
        return result;
    }

    // ---- Items

    // Writes one item: its text, its identifier, and its end.
    void Item(Section section, const std::string& indent, const std::string& body,
              const std::string& tail = "") {
        if (std::string* into = Into(section)) {
            *into += indent + body + " (tstamp " + ids_.For(body + tail) + "))\n";
        }
    }

    // Graphics inside a footprint go in it, the others on the board.
    static Section GraphicsOf(const Frame& frame) {
        return frame.InFootprint ? Section::Footprints : Section::Graphics;
    }

    SheetPoint At(std::int64_t x, std::int64_t y) const { return sheet_->At(x, y); }

    void WriteTrack(const Track& t, const Frame& frame, bool free, std::size_t index,
                    std::uint32_t net) {
        if (free && outline_.Tracks[index]) {
            if (Writes(Section::Graphics)) {
                Line(Section::Graphics, Frame{}, At(t.X1, t.Y1), At(t.X2, t.Y2), "Edge.Cuts",
                     t.Width);
            }
            return;
        }
        const CopperMask copper = layers_.CopperOn(t.Layer);
        if (copper == 0) {
            if (Writes(GraphicsOf(frame))) {
                Line(GraphicsOf(frame), frame, At(t.X1, t.Y1), At(t.X2, t.Y2),
                     layers_.NonCopperLayer(t.Layer), t.Width);
            }
            return;
        }
        if (!Writes(Section::Tracks)) {
            return;
        }
        const SheetPoint a = At(t.X1, t.Y1), b = At(t.X2, t.Y2);
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
            Item(Section::Tracks, "  ",
                 "(segment (start " + XY(a) + ") (end " + XY(b) + ") (width " + Size(t.Width) +
                     ") (layer " + Quoted(layer->Name) + ") " + NetOf(net));
        }
    }

    void Line(Section into, const Frame& frame, SheetPoint a, SheetPoint b,
              const std::string& layer, std::int64_t width) {
        Item(into, frame.Indent(),
             "(" + frame.Prefix() + "line (start " + XY(frame.Local(a)) + ") (end " +
                 XY(frame.Local(b)) + ") (layer " + Quoted(layer) + ") (width " + LineWidth(width) +
                 ")");
    }

    void WriteArc(const Arc& a, const Frame& frame, bool free, std::size_t index,
                  std::uint32_t net) {
        if (free && outline_.Arcs[index]) {
            if (Writes(Section::Graphics)) {
                GraphicArc(Section::Graphics, Frame{}, ArcOnSheet(*sheet_, a), "Edge.Cuts",
                           a.Width);
            }
            return;
        }
        const CopperMask copper = layers_.CopperOn(a.Layer);
        if (copper == 0) {
            if (Writes(GraphicsOf(frame))) {
                GraphicArc(GraphicsOf(frame), frame, ArcOnSheet(*sheet_, a),
                           layers_.NonCopperLayer(a.Layer), a.Width);
            }
            return;
        }
        if (!Writes(Section::Tracks)) {
            return;
        }
        const SheetArc arc = ArcOnSheet(*sheet_, a);
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
            const std::string tail =
                " (width " + Size(a.Width) + ") (layer " + Quoted(layer->Name) + ") " + NetOf(net);
            if (arc.Degenerate) {
                Item(Section::Tracks, "  ",
                     "(segment (start " + XY(arc.Centre) + ") (end " + XY(arc.Centre) + ")" + tail);
            } else if (arc.FullCircle) {
                // An arc track cannot close on itself: two halves.
                Arc half = a;
                half.EndAngle = half.StartAngle + 180;
                ArcTrack(ArcOnSheet(*sheet_, half), tail);
                half.StartAngle += 180;
                half.EndAngle += 180;
                ArcTrack(ArcOnSheet(*sheet_, half), tail);
            } else {
                ArcTrack(arc, tail);
            }
        }
    }

    void ArcTrack(const SheetArc& arc, const std::string& tail) {
        Item(Section::Tracks, "  ",
             "(arc (start " + XY(arc.Start) + ") (mid " + XY(arc.Mid) + ") (end " + XY(arc.End) +
                 ")" + tail);
    }

    void GraphicArc(Section into, const Frame& frame, const SheetArc& arc, const std::string& layer,
                    std::int64_t width) {
        const std::string tail = " (layer " + Quoted(layer) + ") (width " + LineWidth(width) + ")";
        if (arc.FullCircle) {
            Item(into, frame.Indent(),
                 "(" + frame.Prefix() + "circle (center " + XY(frame.Local(arc.Centre)) +
                     ") (end " + XY(frame.Local(arc.Start)) + ")" + tail + " (fill none)");
        } else {
            // Written from the host's end to its start, clockwise on the sheet: KiCad 6.0 draws a
            // footprint arc clockwise from its start whatever its middle point says, and keeps a
            // board arc in that order itself. Later versions draw the arc through the three points.
            Item(into, frame.Indent(),
                 "(" + frame.Prefix() + "arc (start " + XY(frame.Local(arc.End)) + ") (mid " +
                     XY(frame.Local(arc.Mid)) + ") (end " + XY(frame.Local(arc.Start)) + ")" +
                     tail);
        }
    }

    void WriteVia(const Via& v, std::uint32_t net) {
        if (!Writes(Section::Tracks)) {
            return;
        }
        const std::vector<const CopperLayer*> span =
            CopperLayersOf(layers_.Span(v.StartLayer, v.EndLayer));
        const bool through = span.front()->Number == 0 && span.back()->Number == 31;
        Item(Section::Tracks, "  ",
             std::string("(via ") + (through ? "" : "blind ") + "(at " + XY(At(v.X, v.Y)) +
                 ") (size " + Size(v.Size) + ") (drill " + Size(v.Hole) + ") (layers " +
                 Quoted(span.front()->Name) + " " + Quoted(span.back()->Name) + ") " + NetOf(net));
    }

    // The four corners of a fill on the sheet, turned about its centre.
    std::array<SheetPoint, 4> FillCorners(const Fill& f) const {
        const SheetPoint a = At(f.X1, f.Y1), b = At(f.X2, f.Y2);
        const double cx = (double(a.X) + double(b.X)) / 2, cy = (double(a.Y) + double(b.Y)) / 2;
        const double hw = std::abs(double(b.X) - double(a.X)) / 2;
        const double hh = std::abs(double(b.Y) - double(a.Y)) / 2;
        const auto [c, s] = CosSin(f.Rotation);
        std::array<SheetPoint, 4> corners;
        const std::array<std::pair<double, double>, 4> offsets = {
            {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}}};
        for (std::size_t i = 0; i < 4; ++i) {
            const auto [x, y] = offsets[i];
            // Counter-clockwise on the board is counter-clockwise on the sheet, whose y is down.
            corners[i] = {std::llround(cx + x * c + y * s), std::llround(cy - x * s + y * c)};
        }
        return corners;
    }

    std::string PolygonPoints(const std::array<SheetPoint, 4>& corners, const Frame& frame,
                              const std::string& indent) const {
        std::string out = "(pts\n";
        for (const SheetPoint& p : corners) {
            out += indent + "  (xy " + XY(frame.Local(p)) + ")\n";
        }
        return out + indent + ")";
    }

    void FilledShape(Section into, const Frame& frame, const Fill& f, const std::string& layer) {
        const std::string tail = " (layer " + Quoted(layer) + ") (width 0) (fill solid)";
        if (NormalisedDegrees(f.Rotation) == 0) {
            Item(into, frame.Indent(),
                 "(" + frame.Prefix() + "rect (start " + XY(frame.Local(At(f.X1, f.Y1))) +
                     ") (end " + XY(frame.Local(At(f.X2, f.Y2))) + ")" + tail);
        } else {
            Item(into, frame.Indent(),
                 "(" + frame.Prefix() + "poly " +
                     PolygonPoints(FillCorners(f), frame, frame.Indent() + "  ") + tail);
        }
    }

    void Zone(const std::string& head, const std::string& settings,
              const std::array<SheetPoint, 4>& corners) {
        std::string* zones = Into(Section::Zones);
        if (zones == nullptr) {
            return;
        }
        const std::string id = ids_.For(head + settings + PolygonPoints(corners, Frame{}, ""));
        *zones += "  (zone " + head + " (tstamp " + id + ") " + ZoneHatch + "\n" + settings +
                  "    " + ZoneFill + "\n    (polygon\n      " +
                  PolygonPoints(corners, Frame{}, "      ") + "\n    )\n  )\n";
    }

    void WriteFill(const Fill& f, const Frame& frame, std::uint32_t net) {
        if (f.Layer == "KeepOutLayer") {
            if (!Writes(Section::Zones)) {
                return;
            }
            // The host keeps every copper object out of a keep-out fill: a rule area on every
            // copper layer of the board.
            std::string copper;
            for (const CopperLayer& layer : layers_.CopperLayers()) {
                copper += " " + Quoted(layer.Name);
            }
            Zone("(net 0) (net_name \"\") (layers" + copper + ")",
                 "    (connect_pads (clearance 0))\n    (min_thickness 0.254)\n"
                 "    (keepout (tracks not_allowed) (vias not_allowed) (pads not_allowed) "
                 "(copperpour not_allowed) (footprints allowed))\n",
                 FillCorners(f));
            return;
        }
        const CopperMask copper = layers_.CopperOn(f.Layer);
        if (copper == 0) {
            if (Writes(GraphicsOf(frame))) {
                FilledShape(GraphicsOf(frame), frame, f, layers_.NonCopperLayer(f.Layer));
            }
            return;
        }
        if (!Writes(net != 0 ? Section::Zones : GraphicsOf(frame))) {
            return;
        }
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
            if (net != 0) {
                // KiCad's graphics carry no net: copper of a net is a zone, solidly joined to
                // its pads.
                Zone("(net " + std::to_string(NetNumber(net)) + ") (net_name " +
                         Quoted(nets_.Name(net)) + ") (layer " + Quoted(layer->Name) + ")",
                     "    (connect_pads yes (clearance 0))\n    (min_thickness 0.0254)\n",
                     FillCorners(f));
            } else {
                FilledShape(GraphicsOf(frame), frame, f, layer->Name);
            }
        }
    }

    std::string Effects(const Text& t) const {
        return "(effects (font (size " + Size(t.Height) + " " + Size(t.Height) + ") (thickness " +
               Size(t.Width) + ")) (justify left bottom" + (t.Mirror ? " mirror" : "") + "))";
    }

    void WriteText(const Text& t, const Frame& frame, TextRole role) {
        std::string* into = Into(role == TextRole::Board ? Section::Graphics : Section::Footprints);
        if (into == nullptr) {
            return;
        }
        const std::string layer = layers_.LayerOf(t.Layer);
        const std::string at = XY(frame.Local(At(t.X, t.Y)));
        const std::string angle = Degrees(t.Rotation);
        const std::string turned = angle == "0" ? "" : " " + angle;
        if (role == TextRole::Board) {
            const std::string body = "(gr_text " + Quoted(t.Content) + " (at " + at + turned +
                                     ") (layer " + Quoted(layer) + ")";
            *into += "  " + body + " (tstamp " + ids_.For(body + Effects(t)) + ")\n    " +
                     Effects(t) + "\n  )\n";
            return;
        }
        static constexpr std::array<const char*, 4> kinds = {"", "reference", "value", "user"};
        // "unlocked": the angle stays as the host has it, without KiCad turning it upright.
        const std::string body = std::string("(fp_text ") + kinds[std::size_t(role)] + " " +
                                 Quoted(t.Content) + " (at " + at + " " + angle +
                                 " unlocked) (layer " + Quoted(layer) + ")";
        *into += "    " + body + "\n      " + Effects(t) + "\n      (tstamp " +
                 ids_.For(body + Effects(t)) + ")\n    )\n";
    }

    // A text the footprint needs that the host does not have: hidden on the fabrication layer.
    void HiddenText(TextRole role, const std::string& content, bool bottom) {
        static constexpr std::array<const char*, 4> kinds = {"", "reference", "value", "user"};
        const std::string size = Millimetres(HiddenTextSize);
        const std::string body = std::string("(fp_text ") + kinds[std::size_t(role)] + " " +
                                 Quoted(content) + " (at 0 0) (layer " +
                                 (bottom ? "\"B.Fab\"" : "\"F.Fab\"") + ") hide";
        const std::string effects = "(effects (font (size " + size + " " + size + ") (thickness " +
                                    Millimetres(HiddenTextStroke) + "))" +
                                    (bottom ? " (justify mirror)" : "") + ")";
        footprint_ += "    " + body + "\n      " + effects + "\n      (tstamp " +
                      ids_.For(body + effects) + ")\n    )\n";
    }

    void WritePad(const Pad& pad, const Frame& frame, std::uint32_t net) {
        const PadForm form = PadFormOf(pad, layers_);
        const std::string angle = Degrees(pad.Rotation);
        const std::string sizeY = form.Shape == "circle" ? PadSize(pad.XSize) : PadSize(pad.YSize);
        // KiCad keeps no number for a pad without copper.
        const std::string name = form.Copper != 0 ? pad.Name : "";
        std::string body = "(pad " + Quoted(name) + " " + form.Kind + " " + form.Shape + " (at " +
                           XY(frame.Local(At(pad.X, pad.Y))) + (angle == "0" ? "" : " " + angle) +
                           ") (size " + PadSize(pad.XSize) + " " + sizeY + ")";
        if (pad.Hole > 0) {
            body += " (drill " + Size(pad.Hole) + ")";
        }
        body += " (layers";
        for (const std::string& layer : form.Layers) {
            body += " " + (layer[0] == '*' ? layer : Quoted(layer));
        }
        body += ")";
        if (form.Shape == "roundrect") {
            body += " (roundrect_rratio " + Decimal(form.RoundRatio) + ")";
        }
        if (form.Octagon) {
            body += " (chamfer_ratio " + Decimal(OctagonChamferRatio) +
                    ") (chamfer top_left top_right bottom_left bottom_right)";
        }
        if (form.TakesNet && net != 0) {
            body += " (net " + std::to_string(NetNumber(net)) + " " + Quoted(nets_.Name(net)) + ")";
        }
        Item(Section::Footprints, "    ", body);
    }

    // Everything of a container but its pads: the free objects on the board, a component's
    // graphics in its footprint. Copper lines, arcs and vias go on the board either way, as
    // KiCad's footprints hold none.
    // The free objects count as they are written, a component's when it is done.
    void WritePrimitives(const Primitives& p, const Frame& frame, bool free,
                         std::size_t container) {
        const std::size_t step = free ? 1 : 0;
        for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
            WriteTrack(p.Tracks[i], frame, free, i, nets_.IdOf(container, CopperKind::Track, i));
            Done(step);
        }
        for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
            WriteArc(p.Arcs[i], frame, free, i, nets_.IdOf(container, CopperKind::Arc, i));
            Done(step);
        }
        for (std::size_t i = 0; i < p.Fills.size(); ++i) {
            WriteFill(p.Fills[i], frame, nets_.IdOf(container, CopperKind::Fill, i));
            Done(step);
        }
        for (const Text& t : p.Texts) {
            WriteText(t, frame, free ? TextRole::Board : TextRole::User);
            Done(step);
        }
        for (std::size_t i = 0; i < p.Vias.size(); ++i) {
            WriteVia(p.Vias[i], nets_.IdOf(container, CopperKind::Via, i));
            Done(step);
        }
        Drain();
    }

    std::string Attributes(const std::vector<Pad>& pads, bool freePad) const {
        bool holes = false, surface = false;
        for (const Pad& pad : pads) {
            (pad.Hole > 0 ? holes : surface) = true;
        }
        std::string attributes = holes ? "through_hole" : surface ? "smd" : "";
        if (freePad) {
            attributes += " board_only exclude_from_pos_files exclude_from_bom";
        }
        return attributes.empty() ? "" : "    (attr " + attributes + ")\n";
    }

    void Footprint(const std::string& name, bool bottom, SheetPoint at, double rotation,
                   const std::string& attributes) {
        const std::string angle = Degrees(rotation);
        const std::string head =
            "(footprint " + Quoted(name) + " (layer " + (bottom ? "\"B.Cu\"" : "\"F.Cu\"") + ")";
        const std::string position = "(at " + XY(at) + (angle == "0" ? "" : " " + angle) + ")";
        out_ += "  " + head + "\n    (tstamp " + ids_.For(head + position + footprint_) +
                ")\n    " + position + "\n" + attributes + footprint_ + "  )\n\n";
        footprint_.clear();
    }

    // A footprint takes the rotation inferred from its pads, so that a library footprint of the
    // package put in its place lands as it; its items are stored turned back by it.
    void WriteComponent(const Component& c, std::size_t container) {
        if (!Writes(Section::Footprints)) {
            // The component's copper and zones are on the board, where they lie.
            WritePrimitives(c.Children, Frame{true, {}, 0}, false, container);
            Done(1 + ObjectCount(c.Children));
            return;
        }
        const bool bottom = c.Layer == "BottomLayer";
        const double rotation = FootprintRotation(c, InferRotation(c.Children.Pads, bottom));
        const Frame frame{true, At(c.X, c.Y), rotation};
        if (c.DesignatorText) {
            WriteText(*c.DesignatorText, frame, TextRole::Reference);
        } else {
            HiddenText(TextRole::Reference, c.Designator, bottom);
        }
        if (c.CommentText) {
            WriteText(*c.CommentText, frame, TextRole::Value);
        } else {
            HiddenText(TextRole::Value, c.Comment, bottom);
        }
        WritePrimitives(c.Children, frame, false, container);
        for (std::size_t i = 0; i < c.Children.Pads.size(); ++i) {
            WritePad(c.Children.Pads[i], frame, nets_.IdOf(container, CopperKind::Pad, i));
        }
        Footprint(FootprintName(c.Pattern), bottom, frame.Origin, rotation,
                  Attributes(c.Children.Pads, false));
        Done(1 + ObjectCount(c.Children));
    }

    void WriteFreePad(const Pad& pad, std::uint32_t net) {
        if (!Writes(Section::Footprints)) {
            return;
        }
        const bool bottom = layers_.CopperOf(pad.Layer) != nullptr &&
                            layers_.CopperOf(pad.Layer)->Name == "B.Cu" && pad.Hole <= 0;
        const Frame frame{true, At(pad.X, pad.Y), 0};
        HiddenText(TextRole::Reference, pad.Name, bottom);
        HiddenText(TextRole::Value, "", bottom);
        WritePad(pad, frame, net);
        Footprint("FreePad", bottom, frame.Origin, 0, Attributes({pad}, true));
    }

    // KiCad reads "a:b" as footprint b of library a, and a footprint's name is a file name:
    // the colon, the characters file names cannot hold and control characters become '_', as
    // KiCad itself makes them.
    static std::string FootprintName(std::string pattern) {
        for (char& c : pattern) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F ||
                std::string_view(":/\\<>\"").find(c) != std::string_view::npos) {
                c = '_';
            }
        }
        return pattern;
    }

    void WritePlaneZones() {
        const SheetPoint a = At(outlineBox_.MinX(), outlineBox_.MaxY());
        const SheetPoint b = At(outlineBox_.MaxX(), outlineBox_.MinY());
        const std::array<SheetPoint, 4> corners = {{a, {b.X, a.Y}, b, {a.X, b.Y}}};
        for (const CopperLayer& layer : layers_.CopperLayers()) {
            if (layer.Plane && layer.PlaneNet) {
                Zone("(net " + std::to_string(NetNumber(nets_.IdOfName(*layer.PlaneNet))) +
                         ") (net_name " + Quoted(*layer.PlaneNet) + ") (layer " +
                         Quoted(layer.Name) + ")",
                     "    (connect_pads (clearance 0.508))\n    (min_thickness 0.254)\n", corners);
            }
        }
    }

    LayerMap layers_;
    CopperNets nets_;
    const Board& board_;
    std::string edgeLayer_;
    const TextSink& sink_;
    const ProgressSteps& progress_;
    Extent extent_, outlineBox_;
    std::optional<SheetPlacement> sheet_;
    EdgeOutline outline_;
    std::vector<int> netNumbers_;         // by net id; 0 for nets no object has
    std::vector<std::uint32_t> netOrder_; // net ids in the order of their numbers
    ContentIds ids_;
    Section pass_ = Section::Footprints;
    bool wrote_ = false; // whether this pass wrote anything yet
    std::string out_, footprint_;
    std::size_t steps_ = 0; // objects written and not yet reported
};

} // namespace

std::size_t KicadBoardSteps(const Board& board) {
    std::size_t objects = ObjectCount(board.Free);
    for (const Component& c : board.Components) {
        objects += 1 + ObjectCount(c.Children);
    }
    return SectionCount * objects;
}

std::size_t WriteKicadBoard(const Board& board, const KicadBoardSettings& settings,
                            const TextSink& sink, const ProgressSteps& progress) {
    Writer writer(board, settings.EdgeLayer, settings.DeriveNets, sink, progress);
    writer.Document();
    return writer.DerivedNets();
}

KicadBoard BoardToKicad(const Board& board, const KicadBoardSettings& settings) {
    KicadBoard kicad;
    kicad.DerivedNets =
        WriteKicadBoard(board, settings, [&](std::string_view text) { kicad.Text += text; }, {});
    return kicad;
}

bool HasEdgeOutline(const Board& board, const KicadBoardSettings& settings) {
    return FindEdgeOutline(board.Free, settings.EdgeLayer, SheetAround(BoardExtent(board))).Found;
}

} // namespace corvane::cli
