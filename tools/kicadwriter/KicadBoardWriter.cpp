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

class Writer {
public:
    Writer(const Board& board, const std::string& edgeLayer, bool deriveNets)
        : layers_(LayerMap::ForBoard(board)), nets_(WithCopperNets(board, layers_, deriveNets)),
          board_(nets_.Copper), edgeLayer_(edgeLayer) {
        extent_ = BoardExtent(board_);
        outlineBox_ = FallbackOutline(extent_);
        sheet_.emplace(SheetAround(extent_));
        outline_ = FindEdgeOutline(board_.Free, edgeLayer_, *sheet_);
        NumberNets();
    }

    std::size_t DerivedNets() const { return nets_.Derived; }

    std::string Document() {
        std::string out = std::string("(kicad_pcb (version ") + KicadBoardFormatVersion +
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
        for (const auto& [name, number] : netOrder_) {
            out += "  (net " + std::to_string(number) + " " + Quoted(name) + ")\n";
        }
        out += "\n";
        for (const Component& component : board_.Components) {
            WriteComponent(component);
        }
        for (const Pad& pad : board_.Free.Pads) {
            WriteFreePad(pad);
        }
        WritePrimitives(board_.Free, Frame{}, true);
        if (!outline_.Found) {
            const SheetPoint a = sheet_->At(outlineBox_.MinX(), outlineBox_.MaxY());
            const SheetPoint b = sheet_->At(outlineBox_.MaxX(), outlineBox_.MinY());
            Item(graphics_, "  ",
                 "(gr_rect (start " + XY(a) + ") (end " + XY(b) +
                     ") (layer \"Edge.Cuts\") (width " + Millimetres(OutlineWidth) +
                     ") (fill none)");
        }
        WritePlaneZones();
        out += footprints_;
        out += graphics_.empty() ? "" : graphics_ + "\n";
        out += tracks_.empty() ? "" : tracks_ + "\n";
        out += zones_;
        return out + ")\n";
    }

private:
    // ---- Nets

    void NumberNets() {
        const auto add = [&](const NetName& net) {
            if (net && netNumbers_.emplace(*net, int(netNumbers_.size()) + 1).second) {
                netOrder_.emplace_back(*net, int(netNumbers_.size()));
            }
        };
        for (const Net& net : board_.Nets) {
            add(net.Name);
        }
        for (const Plane& plane : board_.Planes) {
            add(plane.Net);
        }
        const auto addPrimitives = [&](const Primitives& p) {
            for (const Pad& pad : p.Pads) {
                add(pad.Net);
            }
            for (const Track& t : p.Tracks) {
                add(t.Net);
            }
            for (const Via& v : p.Vias) {
                add(v.Net);
            }
            for (const Arc& a : p.Arcs) {
                add(a.Net);
            }
            for (const Fill& f : p.Fills) {
                add(f.Net);
            }
        };
        addPrimitives(board_.Free);
        for (const Component& c : board_.Components) {
            addPrimitives(c.Children);
        }
    }

    int NetNumber(const NetName& net) const { return net ? netNumbers_.at(*net) : 0; }

    std::string NetOf(const NetName& net) const {
        return "(net " + std::to_string(NetNumber(net)) + ")";
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
    void Item(std::string& into, const std::string& indent, const std::string& body,
              const std::string& tail = "") {
        into += indent + body + " (tstamp " + ids_.For(body + tail) + "))\n";
    }

    SheetPoint At(std::int64_t x, std::int64_t y) const { return sheet_->At(x, y); }

    void WriteTrack(const Track& t, const Frame& frame, bool free, std::size_t index) {
        const SheetPoint a = At(t.X1, t.Y1), b = At(t.X2, t.Y2);
        if (free && outline_.Tracks[index]) {
            Line(graphics_, Frame{}, a, b, "Edge.Cuts", t.Width);
            return;
        }
        const CopperMask copper = layers_.CopperOn(t.Layer);
        if (copper == 0) {
            Line(frame.InFootprint ? footprint_ : graphics_, frame, a, b,
                 layers_.NonCopperLayer(t.Layer), t.Width);
            return;
        }
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
            Item(tracks_, "  ",
                 "(segment (start " + XY(a) + ") (end " + XY(b) + ") (width " + Size(t.Width) +
                     ") (layer " + Quoted(layer->Name) + ") " + NetOf(t.Net));
        }
    }

    void Line(std::string& into, const Frame& frame, SheetPoint a, SheetPoint b,
              const std::string& layer, std::int64_t width) {
        Item(into, frame.Indent(),
             "(" + frame.Prefix() + "line (start " + XY(frame.Local(a)) + ") (end " +
                 XY(frame.Local(b)) + ") (layer " + Quoted(layer) + ") (width " + LineWidth(width) +
                 ")");
    }

    void WriteArc(const Arc& a, const Frame& frame, bool free, std::size_t index) {
        const SheetArc arc = ArcOnSheet(*sheet_, a);
        if (free && outline_.Arcs[index]) {
            GraphicArc(graphics_, Frame{}, arc, "Edge.Cuts", a.Width);
            return;
        }
        const CopperMask copper = layers_.CopperOn(a.Layer);
        if (copper == 0) {
            GraphicArc(frame.InFootprint ? footprint_ : graphics_, frame, arc,
                       layers_.NonCopperLayer(a.Layer), a.Width);
            return;
        }
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
            const std::string tail = " (width " + Size(a.Width) + ") (layer " +
                                     Quoted(layer->Name) + ") " + NetOf(a.Net);
            if (arc.Degenerate) {
                Item(tracks_, "  ",
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
        Item(tracks_, "  ",
             "(arc (start " + XY(arc.Start) + ") (mid " + XY(arc.Mid) + ") (end " + XY(arc.End) +
                 ")" + tail);
    }

    void GraphicArc(std::string& into, const Frame& frame, const SheetArc& arc,
                    const std::string& layer, std::int64_t width) {
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

    void WriteVia(const Via& v) {
        const std::vector<const CopperLayer*> span =
            CopperLayersOf(layers_.Span(v.StartLayer, v.EndLayer));
        const bool through = span.front()->Number == 0 && span.back()->Number == 31;
        Item(tracks_, "  ",
             std::string("(via ") + (through ? "" : "blind ") + "(at " + XY(At(v.X, v.Y)) +
                 ") (size " + Size(v.Size) + ") (drill " + Size(v.Hole) + ") (layers " +
                 Quoted(span.front()->Name) + " " + Quoted(span.back()->Name) + ") " +
                 NetOf(v.Net));
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

    void FilledShape(std::string& into, const Frame& frame, const Fill& f,
                     const std::string& layer) {
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
        const std::string id = ids_.For(head + settings + PolygonPoints(corners, Frame{}, ""));
        zones_ += "  (zone " + head + " (tstamp " + id + ") " + ZoneHatch + "\n" + settings +
                  "    " + ZoneFill + "\n    (polygon\n      " +
                  PolygonPoints(corners, Frame{}, "      ") + "\n    )\n  )\n";
    }

    void WriteFill(const Fill& f, const Frame& frame) {
        if (f.Layer == "KeepOutLayer") {
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
            FilledShape(frame.InFootprint ? footprint_ : graphics_, frame, f,
                        layers_.NonCopperLayer(f.Layer));
            return;
        }
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
            if (f.Net) {
                // KiCad's graphics carry no net: copper of a net is a zone, solidly joined to
                // its pads.
                Zone("(net " + std::to_string(NetNumber(f.Net)) + ") (net_name " + Quoted(*f.Net) +
                         ") (layer " + Quoted(layer->Name) + ")",
                     "    (connect_pads yes (clearance 0))\n    (min_thickness 0.0254)\n",
                     FillCorners(f));
            } else {
                FilledShape(frame.InFootprint ? footprint_ : graphics_, frame, f, layer->Name);
            }
        }
    }

    std::string Effects(const Text& t) const {
        return "(effects (font (size " + Size(t.Height) + " " + Size(t.Height) + ") (thickness " +
               Size(t.Width) + ")) (justify left bottom" + (t.Mirror ? " mirror" : "") + "))";
    }

    void WriteText(const Text& t, const Frame& frame, TextRole role) {
        const std::string layer = layers_.LayerOf(t.Layer);
        const std::string at = XY(frame.Local(At(t.X, t.Y)));
        const std::string angle = Degrees(t.Rotation);
        const std::string turned = angle == "0" ? "" : " " + angle;
        if (role == TextRole::Board) {
            const std::string body = "(gr_text " + Quoted(t.Content) + " (at " + at + turned +
                                     ") (layer " + Quoted(layer) + ")";
            graphics_ += "  " + body + " (tstamp " + ids_.For(body + Effects(t)) + ")\n    " +
                         Effects(t) + "\n  )\n";
            return;
        }
        static constexpr std::array<const char*, 4> kinds = {"", "reference", "value", "user"};
        // "unlocked": the angle stays as the host has it, without KiCad turning it upright.
        const std::string body = std::string("(fp_text ") + kinds[std::size_t(role)] + " " +
                                 Quoted(t.Content) + " (at " + at + " " + angle +
                                 " unlocked) (layer " + Quoted(layer) + ")";
        footprint_ += "    " + body + "\n      " + Effects(t) + "\n      (tstamp " +
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

    void WritePad(const Pad& pad, const Frame& frame) {
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
        if (form.TakesNet && pad.Net) {
            body += " (net " + std::to_string(NetNumber(pad.Net)) + " " + Quoted(*pad.Net) + ")";
        }
        Item(footprint_, "    ", body);
    }

    // Everything of a container but its pads: the free objects on the board, a component's
    // graphics in its footprint. Copper lines, arcs and vias go on the board either way, as
    // KiCad's footprints hold none.
    void WritePrimitives(const Primitives& p, const Frame& frame, bool free) {
        for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
            WriteTrack(p.Tracks[i], frame, free, i);
        }
        for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
            WriteArc(p.Arcs[i], frame, free, i);
        }
        for (const Fill& f : p.Fills) {
            WriteFill(f, frame);
        }
        for (const Text& t : p.Texts) {
            WriteText(t, frame, free ? TextRole::Board : TextRole::User);
        }
        for (const Via& v : p.Vias) {
            WriteVia(v);
        }
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
        footprints_ += "  " + head + "\n    (tstamp " + ids_.For(head + position + footprint_) +
                       ")\n    " + position + "\n" + attributes + footprint_ + "  )\n\n";
        footprint_.clear();
    }

    // A footprint takes the rotation inferred from its pads, so that a library footprint of the
    // package put in its place lands as it; its items are stored turned back by it.
    void WriteComponent(const Component& c) {
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
        WritePrimitives(c.Children, frame, false);
        for (const Pad& pad : c.Children.Pads) {
            WritePad(pad, frame);
        }
        Footprint(FootprintName(c.Pattern), bottom, frame.Origin, rotation,
                  Attributes(c.Children.Pads, false));
    }

    void WriteFreePad(const Pad& pad) {
        const bool bottom = layers_.CopperOf(pad.Layer) != nullptr &&
                            layers_.CopperOf(pad.Layer)->Name == "B.Cu" && pad.Hole <= 0;
        const Frame frame{true, At(pad.X, pad.Y), 0};
        HiddenText(TextRole::Reference, pad.Name, bottom);
        HiddenText(TextRole::Value, "", bottom);
        WritePad(pad, frame);
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
                Zone("(net " + std::to_string(NetNumber(layer.PlaneNet)) + ") (net_name " +
                         Quoted(*layer.PlaneNet) + ") (layer " + Quoted(layer.Name) + ")",
                     "    (connect_pads (clearance 0.508))\n    (min_thickness 0.254)\n", corners);
            }
        }
    }

    LayerMap layers_;
    CopperNets nets_;
    const Board& board_;
    std::string edgeLayer_;
    Extent extent_, outlineBox_;
    std::optional<SheetPlacement> sheet_;
    EdgeOutline outline_;
    std::map<std::string, int> netNumbers_;
    std::vector<std::pair<std::string, int>> netOrder_;
    ContentIds ids_;
    std::string footprints_, footprint_, graphics_, tracks_, zones_;
};

} // namespace

KicadBoard BoardToKicad(const Board& board, const KicadBoardSettings& settings) {
    Writer writer(board, settings.EdgeLayer, settings.DeriveNets);
    std::string text = writer.Document();
    return {std::move(text), writer.DerivedNets()};
}

bool HasEdgeOutline(const Board& board, const KicadBoardSettings& settings) {
    return FindEdgeOutline(board.Free, settings.EdgeLayer, SheetAround(BoardExtent(board))).Found;
}

} // namespace corvane::cli
