#include "kicadwriter/KicadBoardWriter.h"

#include "boardfacts/HostLayers.h"
#include "boardfacts/QuarterTurn.h"
#include "boardmodel/BoardBulk.h"
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
#include <iterator>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::cli {
namespace {

using namespace kicad;
using namespace units;

// Sizes the host board does not give, as KiCad's own defaults.
constexpr std::int64_t BoardThickness = 1'600'000; // nm
constexpr std::int64_t OutlineWidth = 100'000;     // nm: the rectangle drawn as the edge
constexpr std::int64_t DefaultLineWidth = 100'000; // nm: KiCad's width for lines of width 0
constexpr std::int64_t SmallestPad = 1'000;        // nm
constexpr std::int64_t HiddenTextSize = 1'270'000; // nm: texts a footprint needs but the host lacks
constexpr std::int64_t HiddenTextStroke = 150'000;
// Zones, as KiCad's own defaults (nm); a fill's zone is as thin as KiCad allows, to follow it.
constexpr std::int64_t ZoneHatchPitch = 508'000;
constexpr std::int64_t ZoneThermalGap = 508'000;
constexpr std::int64_t ZoneThermalBridge = 508'000;
constexpr std::int64_t PlaneClearance = 508'000;
constexpr std::int64_t PlaneMinThickness = 254'000;
constexpr std::int64_t FillMinThickness = 25'400;

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

// What an identifier's place holds until it is put there.
constexpr std::array<char, 36> IdPlaceholder = {};

// Bytes gathered before they go to the sink.
constexpr std::size_t SinkChunk = 64 * 1024;
// Steps gathered before they are reported.
constexpr std::size_t ProgressChunk = 1024;

class Writer {
public:
    Writer(const BoardStore& board, const std::string& edgeLayer, bool deriveNets,
           const TextSink& sink, const ProgressSteps& progress)
        : layers_(LayerMap::ForBoard(board)), nets_(WithCopperNets(board, layers_, deriveNets)),
          padForms_(layers_), board_(board), edgeLayer_(edgeLayer), sink_(sink),
          progress_(progress) {
        // Placed from the bulk of the board: an object far from the rest moves nothing else.
        extent_ = FindBoardExtent(board_);
        outlineBox_ = FallbackOutline(extent_.Bulk);
        sheet_.emplace(SheetAround(extent_.Bulk));
        arcs_.emplace(*sheet_);
        outline_ = FindEdgeOutline(board_.Free(), edgeLayer_, *sheet_);
        NumberNets();
        // About an identifier an object, and three a component (its footprint and two texts).
        ids_.Reserve(board_.PrimitiveCount() + 3 * board_.ComponentCount());
    }

    KicadBoardOutcome Outcome() const {
        KicadBoardOutcome outcome;
        outcome.DerivedNets = nets_.Derived;
        outcome.MadeUpEdge = !outline_.Found;
        outcome.SheetLeft = sheet_->Left();
        outcome.SheetTop = sheet_->Top();
        outcome.OriginClamped = !InReach(sheet_->At(0, 0));
        outcome.Clamped = clamped_;
        std::sort(outcome.Clamped.begin(), outcome.Clamped.end());
        outcome.Clamped.erase(std::unique(outcome.Clamped.begin(), outcome.Clamped.end()),
                              outcome.Clamped.end());
        // Far objects placed as the file says: the far ones not clamped (both lists in order).
        std::set_difference(extent_.Far.begin(), extent_.Far.end(), outcome.Clamped.begin(),
                            outcome.Clamped.end(), std::back_inserter(outcome.FarPlaced));
        outcome.UninferredParts = uninferred_;
        return outcome;
    }

    void Document() {
        SExprWriter w(out_, 0);
        w.Open("kicad_pcb").Open("version").Atom(KicadBoardFormatVersion).Close();
        w.Open("generator").Atom("corvane-import").Close().NewLine().NewLine();
        w.Open("general").NewLine();
        w.Open("thickness").Length(BoardThickness).Close().NewLine().Close().NewLine().NewLine();
        w.Open("paper").Quote(sheet_->Paper()).Close().NewLine();
        w.Open("title_block").NewLine().Open("title").Quote(board_.Header().File).Close().NewLine();
        w.Open("comment").Atom("1").Quote("Imported from a Corvane board by corvane-import");
        w.Close().NewLine();
        if (!board_.Header().Imported) {
            w.Open("comment").Atom("2").Quote(PartialDocumentNote).Close().NewLine();
        }
        w.Close().NewLine().NewLine();
        LayerList(w);
        w.NewLine().Open("setup").NewLine();
        w.Open("pad_to_mask_clearance").Length(0).Close().NewLine();
        writing_.reset();
        Point(w, "aux_axis_origin", sheet_->At(0, 0));
        w.NewLine().Close().NewLine().NewLine();
        w.Open("net").Atom("0").Quote("").Close().NewLine();
        for (const std::uint32_t id : netOrder_) {
            w.Open("net").Integer(netNumbers_[id]).Quote(nets_.Name(id)).Close();
            w.NewLine();
        }
        w.NewLine();
        for (const Section section :
             {Section::Footprints, Section::Graphics, Section::Tracks, Section::Zones}) {
            pass_ = section;
            wrote_ = false;
            WriteSection();
            // The graphics and the tracks end with an empty line, when there are any.
            if (wrote_ && (section == Section::Graphics || section == Section::Tracks)) {
                w.NewLine();
            }
        }
        w.Close().NewLine();
        SettleId();
        sink_(out_);
        out_.clear();
        if (progress_ && steps_ != 0) {
            progress_(steps_);
        }
    }

private:
    // One pass over the board, which writes what belongs in the section being written.
    void WriteSection() {
        for (std::size_t i = 0; i < board_.ComponentCount(); ++i) {
            WriteComponent(i);
        }
        const StoredPrimitives free = board_.Free();
        for (std::size_t i = 0; i < free.Pads.size(); ++i) {
            if (Writes(Section::Footprints)) { // a free pad is a footprint of its own
                Writing(0, StoredKind::Pad, i, free.Pads.RecordAt(i).Line);
                WriteFreePad(free.Pads[i], nets_.IdOf(0, CopperKind::Pad, i));
            }
            Done(1);
        }
        WritePrimitives(free, Frame{}, true, 0);
        writing_.reset(); // the drawings below are of no object of the board
        if (!outline_.Found && pass_ == Section::Graphics) {
            const SheetPoint a = sheet_->At(outlineBox_.MinX(), outlineBox_.MaxY());
            const SheetPoint b = sheet_->At(outlineBox_.MaxX(), outlineBox_.MinY());
            Item(Section::Graphics, "gr_rect", [&](SExprWriter& w) {
                Point(w, "start", a);
                Point(w, "end", b);
                w.Open("layer").Quote("Edge.Cuts").Close();
                w.Open("width").Length(OutlineWidth).Close();
                w.Open("fill").Atom("none").Close();
            });
        }
        if (pass_ == Section::Zones) {
            WritePlaneZones();
        }
    }

    // Counts objects written, reported in chunks, and hands their text on: the free objects of a
    // large board would otherwise gather in one piece.
    void Done(std::size_t objects) {
        Drain();
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
            SettleId();
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
        netNumbers_.assign(nets_.Count() + 1, 0);
        const auto add = [&](std::uint32_t id) {
            if (id != 0 && netNumbers_[id] == 0) {
                netOrder_.push_back(id);
                netNumbers_[id] = int(netOrder_.size());
            }
        };
        for (std::size_t i = 0; i < board_.NetCount(); ++i) {
            add(nets_.IdOfName(board_.NetNameAt(i)));
        }
        for (const Plane& plane : board_.Planes()) {
            add(plane.Net ? nets_.IdOfName(*plane.Net) : 0);
        }
        const auto addPrimitives = [&](const StoredPrimitives& p, std::size_t container) {
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
        addPrimitives(board_.Free(), 0);
        for (std::size_t i = 0; i < board_.ComponentCount(); ++i) {
            addPrimitives(board_.ChildrenOf(i), i + 1);
        }
    }

    int NetNumber(std::uint32_t id) const { return netNumbers_[id]; }

    void NetOf(SExprWriter& w, std::uint32_t id) const {
        w.Open("net").Integer(NetNumber(id)).Close();
    }

    // ---- Layers

    void LayerList(SExprWriter& w) const {
        w.Open("layers").NewLine();
        for (const CopperLayer& layer : layers_.CopperLayers()) {
            w.Open(std::to_string(layer.Number)).Quote(layer.Name);
            w.Atom(layer.Plane ? "power" : "signal").Close().NewLine();
        }
        for (const NonCopperLayerInfo& layer : NonCopperLayers()) {
            w.Open(std::to_string(layer.Number)).Quote(layer.Name).Atom("user");
            if (layer.Description != nullptr) {
                w.Quote(layer.Description);
            }
            w.Close().NewLine();
        }
        w.Close().NewLine();
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

    // Writes one item on a line of its own: its lists, its identifier made from them, and its
    // end.
    template <typename Body> void Item(Section section, std::string_view name, const Body& body) {
        std::string* into = Into(section);
        if (into == nullptr) {
            return;
        }
        SExprWriter w(*into, section == Section::Footprints ? 2 : 1);
        w.Open(name);
        const std::size_t start = w.LastOpen();
        body(w);
        Tstamp(w, *into, HashOfItem(*into, start)).Close().NewLine();
    }

    // Writes "(tstamp ID)" with the identifier of the text of that hash. The identifier is put in
    // its place when the next one is asked for, or before the text is read or handed on: its
    // count's place in the table is asked for at once, and the wait overlaps the making of the
    // next object.
    SExprWriter& Tstamp(SExprWriter& w, std::string& text, const ContentHash& hash) {
        SettleId();
        ids_.Prefetch(hash);
        w.Open("tstamp").Atom(std::string_view(IdPlaceholder.data(), IdPlaceholder.size()));
        pendingId_ = {&text, text.size() - IdPlaceholder.size(), hash};
        return w.Close();
    }

    void SettleId() {
        if (pendingId_.Text != nullptr) {
            const ContentId id = ids_.For(pendingId_.Hash);
            std::copy(id.Text.begin(), id.Text.end(),
                      pendingId_.Text->begin() + std::ptrdiff_t(pendingId_.At));
            pendingId_.Text = nullptr;
        }
    }

    // The hash of an item's text from its start to the end of the text, fed to its footprint's
    // as well when it is in one.
    ContentHash HashOfItem(const std::string& text, std::size_t start) {
        const std::string_view item = std::string_view(text).substr(start);
        if (&text != &footprint_) {
            return ContentHash().Add(item);
        }
        HashFootprintTo(start);
        ContentHash hash;
        hash.AddBoth(footprintHash_, item);
        footprintHashed_ = text.size();
        return hash;
    }

    // Feeds the footprint's text up to there to its hash.
    void HashFootprintTo(std::size_t end) {
        SettleId();
        footprintHash_.Add(
            std::string_view(footprint_).substr(footprintHashed_, end - footprintHashed_));
        footprintHashed_ = end;
    }

    // Graphics inside a footprint go in it, the others on the board.
    static Section GraphicsOf(const Frame& frame) {
        return frame.InFootprint ? Section::Footprints : Section::Graphics;
    }

    SheetPoint At(std::int64_t x, std::int64_t y) const { return sheet_->At(x, y); }

    // ---- What KiCad cannot hold

    void Writing(std::size_t container, StoredKind kind, std::size_t index, std::uint32_t line) {
        writing_ = StoredObject{std::uint32_t(container), kind, std::uint32_t(index), line};
    }

    // Every point and size written goes through these: a value beyond KiCad's reach is clamped,
    // and the object being written is noted as clamped.
    void NoteClamped() {
        // An object's values come one after the other: it is noted once for them.
        if (writing_ && (clamped_.empty() || !(clamped_.back() == *writing_))) {
            clamped_.push_back(*writing_);
        }
    }

    SheetPoint Reach(SheetPoint p) {
        if (InReach(p)) {
            return p;
        }
        NoteClamped();
        return WithinReach(p);
    }

    // A list of a point: "(name x y)".
    void Point(SExprWriter& w, std::string_view name, SheetPoint p) {
        p = Reach(p);
        w.Open(name).Length(p.X).Length(p.Y).Close();
    }

    // A size or width: its magnitude.
    std::int64_t SizeOf(std::int64_t hostUnits) {
        const std::int64_t size = Nanometres(std::abs(hostUnits));
        if (size > MaxNanometres) {
            NoteClamped();
            return MaxNanometres;
        }
        return size;
    }

    // KiCad draws no line of width 0 and gives such a line its default width: the file says so.
    std::int64_t LineWidthOf(std::int64_t hostUnits) {
        return hostUnits == 0 ? DefaultLineWidth : SizeOf(hostUnits);
    }

    // KiCad's smallest pad: smaller sizes (0 in broken files) are written as it.
    std::int64_t PadSizeOf(std::int64_t hostUnits) {
        return std::max(SizeOf(hostUnits), SmallestPad);
    }

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
            Item(Section::Tracks, "segment", [&](SExprWriter& w) {
                Point(w, "start", a);
                Point(w, "end", b);
                w.Open("width").Length(SizeOf(t.Width)).Close();
                w.Open("layer").Quote(layer->Name).Close();
                NetOf(w, net);
            });
        }
    }

    void Line(Section into, const Frame& frame, SheetPoint a, SheetPoint b,
              const std::string& layer, std::int64_t width) {
        Item(into, frame.Prefix() + "line", [&](SExprWriter& w) {
            Point(w, "start", frame.Local(a));
            Point(w, "end", frame.Local(b));
            w.Open("layer").Quote(layer).Close();
            w.Open("width").Length(LineWidthOf(width)).Close();
        });
    }

    void WriteArc(const Arc& a, const Frame& frame, bool free, std::size_t index,
                  std::uint32_t net) {
        if (free && outline_.Arcs[index]) {
            if (Writes(Section::Graphics)) {
                GraphicArc(Section::Graphics, Frame{}, arcs_->Of(a), "Edge.Cuts", a.Width);
            }
            return;
        }
        const CopperMask copper = layers_.CopperOn(a.Layer);
        if (copper == 0) {
            if (Writes(GraphicsOf(frame))) {
                GraphicArc(GraphicsOf(frame), frame, arcs_->Of(a), layers_.NonCopperLayer(a.Layer),
                           a.Width);
            }
            return;
        }
        if (!Writes(Section::Tracks)) {
            return;
        }
        const SheetArc arc = arcs_->Of(a);
        for (const CopperLayer* layer : CopperLayersOf(copper)) {
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

    template <typename Tail> void ArcTrack(const SheetArc& arc, const Tail& tail) {
        Item(Section::Tracks, "arc", [&](SExprWriter& w) {
            Point(w, "start", arc.Start);
            Point(w, "mid", arc.Mid);
            Point(w, "end", arc.End);
            tail(w);
        });
    }

    void GraphicArc(Section into, const Frame& frame, const SheetArc& arc, const std::string& layer,
                    std::int64_t width) {
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

    void WriteVia(const Via& v, std::uint32_t net) {
        if (!Writes(Section::Tracks)) {
            return;
        }
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

    // The four corners of a fill on the sheet, turned about its centre.
    std::array<SheetPoint, 4> FillCorners(const Fill& f) const {
        const SheetPoint a = At(f.X1, f.Y1), b = At(f.X2, f.Y2);
        const double cx = (double(a.X) + double(b.X)) / 2, cy = (double(a.Y) + double(b.Y)) / 2;
        const double hw = std::abs(double(b.X) - double(a.X)) / 2;
        const double hh = std::abs(double(b.Y) - double(a.Y)) / 2;
        const auto [c, s] = CosSinOfDegrees(f.Rotation);
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

    // The corners as a list of points, one a line.
    void Points(SExprWriter& w, const std::array<SheetPoint, 4>& corners, const Frame& frame) {
        w.Open("pts").NewLine();
        for (const SheetPoint& p : corners) {
            Point(w, "xy", frame.Local(p));
            w.NewLine();
        }
        w.Close();
    }

    void FilledShape(Section into, const Frame& frame, const Fill& f, const std::string& layer) {
        const auto tail = [&](SExprWriter& w) {
            w.Open("layer").Quote(layer).Close();
            w.Open("width").Length(0).Close();
            w.Open("fill").Atom("solid").Close();
        };
        if (NormalisedDegrees(f.Rotation) == 0) {
            Item(into, frame.Prefix() + "rect", [&](SExprWriter& w) {
                Point(w, "start", frame.Local(At(f.X1, f.Y1)));
                Point(w, "end", frame.Local(At(f.X2, f.Y2)));
                tail(w);
            });
        } else {
            Item(into, frame.Prefix() + "poly", [&](SExprWriter& w) {
                Points(w, FillCorners(f), frame);
                tail(w);
            });
        }
    }

    // A zone: its net and layers, its identifier made from them, its settings and its outline
    // (the identifier takes the settings as written and the outline alone).
    template <typename Head, typename Settings>
    void Zone(const Head& head, const Settings& settings,
              const std::array<SheetPoint, 4>& corners) {
        std::string* zones = Into(Section::Zones);
        if (zones == nullptr) {
            return;
        }
        SExprWriter w(*zones, 1);
        w.Open("zone");
        const std::size_t start = w.Position();
        head(w);
        std::string settingsText;
        SExprWriter side(settingsText, 2);
        settings(side);
        Tstamp(w, *zones,
               ContentHash()
                   .Add(w.Since(start).substr(1))
                   .Add(settingsText)
                   .Add(Alone([&](SExprWriter& p) { Points(p, corners, Frame{}); })));
        w.Open("hatch").Atom("edge").Length(ZoneHatchPitch).Close().NewLine();
        settings(w);
        // Islands kept: the host drew every piece of copper it holds, and KiCad 6.0 took the
        // demo's fill, joined to its net by vias and a track, for an island and emptied it.
        w.Open("fill").Open("thermal_gap").Length(ZoneThermalGap).Close();
        w.Open("thermal_bridge_width").Length(ZoneThermalBridge).Close();
        w.Open("island_removal_mode").Atom("1").Close().Close().NewLine();
        w.Open("polygon").NewLine();
        Points(w, corners, Frame{});
        w.NewLine().Close().NewLine().Close().NewLine();
    }

    void ZoneOfNet(SExprWriter& w, int number, std::string_view name) const {
        w.Open("net").Integer(number).Close();
        w.Open("net_name").Quote(name).Close();
    }

    void WriteFill(const Fill& f, const Frame& frame, std::uint32_t net) {
        if (f.Layer == KeepOutLayerName) {
            if (!Writes(Section::Zones)) {
                return;
            }
            // The host keeps every copper object out of a keep-out fill: a rule area on every
            // copper layer of the board.
            Zone(
                [&](SExprWriter& w) {
                    ZoneOfNet(w, 0, "");
                    w.Open("layers");
                    for (const CopperLayer& layer : layers_.CopperLayers()) {
                        w.Quote(layer.Name);
                    }
                    w.Close();
                },
                [](SExprWriter& w) {
                    w.Open("connect_pads").Open("clearance").Length(0).Close().Close().NewLine();
                    w.Open("min_thickness").Length(PlaneMinThickness).Close().NewLine();
                    w.Open("keepout");
                    for (const char* kind : {"tracks", "vias", "pads", "copperpour"}) {
                        w.Open(kind).Atom("not_allowed").Close();
                    }
                    w.Open("footprints").Atom("allowed").Close().Close().NewLine();
                },
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
                Zone(
                    [&](SExprWriter& w) {
                        ZoneOfNet(w, NetNumber(net), nets_.Name(net));
                        w.Open("layer").Quote(layer->Name).Close();
                    },
                    [](SExprWriter& w) {
                        w.Open("connect_pads").Atom("yes");
                        w.Open("clearance").Length(0).Close().Close().NewLine();
                        w.Open("min_thickness").Length(FillMinThickness).Close().NewLine();
                    },
                    FillCorners(f));
            } else {
                FilledShape(GraphicsOf(frame), frame, f, layer->Name);
            }
        }
    }

    void Effects(SExprWriter& w, const Text& t) {
        w.Open("effects").Open("font");
        w.Open("size").Length(SizeOf(t.Height)).Length(SizeOf(t.Height)).Close();
        w.Open("thickness").Length(SizeOf(t.Width)).Close().Close();
        w.Open("justify").Atom("left").Atom("bottom");
        if (t.Mirror) {
            w.Atom("mirror");
        }
        w.Close().Close();
    }

    // The text of a list as the identifiers take it: alone, at no depth.
    template <typename List> static std::string Alone(const List& list) {
        std::string text;
        SExprWriter w(text, 0);
        list(w);
        return text;
    }

    void WriteText(const Text& t, const Frame& frame, TextRole role) {
        std::string* into = Into(role == TextRole::Board ? Section::Graphics : Section::Footprints);
        if (into == nullptr) {
            return;
        }
        const std::string layer = layers_.LayerOf(t.Layer);
        const SheetPoint at = Reach(frame.Local(At(t.X, t.Y)));
        const bool turned = NormalisedDegrees(t.Rotation) != 0;
        const auto effects = [&](SExprWriter& w) { Effects(w, t); };
        if (role == TextRole::Board) {
            SExprWriter w(*into, 1);
            w.Open("gr_text");
            const std::size_t start = w.LastOpen();
            w.Quote(t.Content).Open("at").Length(at.X).Length(at.Y);
            if (turned) {
                w.Angle(t.Rotation);
            }
            w.Close().Open("layer").Quote(layer).Close();
            Tstamp(w, *into, ContentHash().Add(w.Since(start)).Add(Alone(effects))).NewLine();
            effects(w);
            w.NewLine().Close().NewLine();
            return;
        }
        // "unlocked": the angle stays as the host has it, without KiCad turning it upright.
        FootprintText(
            [&](SExprWriter& w) {
                w.Atom(TextKind(role)).Quote(t.Content);
                w.Open("at").Length(at.X).Length(at.Y).Angle(t.Rotation).Atom("unlocked").Close();
                w.Open("layer").Quote(layer).Close();
            },
            effects);
    }

    static const char* TextKind(TextRole role) {
        static constexpr std::array<const char*, 4> kinds = {"", "reference", "value", "user"};
        return kinds[std::size_t(role)];
    }

    // A text of a footprint: its lists, its effects on a line, its identifier on another.
    template <typename Body, typename TextEffects>
    void FootprintText(const Body& body, const TextEffects& effects) {
        SExprWriter w(footprint_, 2);
        w.Open("fp_text");
        const std::size_t start = w.LastOpen();
        body(w);
        const ContentHash hash = HashOfItem(footprint_, start).Add(Alone(effects));
        w.NewLine();
        effects(w);
        Tstamp(w.NewLine(), footprint_, hash).NewLine().Close().NewLine();
    }

    // A text the footprint needs that the host does not have: hidden on the fabrication layer.
    void HiddenText(TextRole role, const std::string& content, bool bottom) {
        FootprintText(
            [&](SExprWriter& w) {
                w.Atom(TextKind(role)).Quote(content);
                w.Open("at").Length(0).Length(0).Close();
                w.Open("layer").Quote(bottom ? "B.Fab" : "F.Fab").Close().Atom("hide");
            },
            [&](SExprWriter& w) {
                w.Open("effects").Open("font");
                w.Open("size").Length(HiddenTextSize).Length(HiddenTextSize).Close();
                w.Open("thickness").Length(HiddenTextStroke).Close().Close();
                if (bottom) {
                    w.Open("justify").Atom("mirror").Close();
                }
                w.Close();
            });
    }

    void WritePad(const Pad& pad, const Frame& frame, std::uint32_t net) {
        const PadForm& form = padForms_.Of(pad);
        const bool turned = NormalisedDegrees(pad.Rotation) != 0;
        const std::int64_t sizeY = PadSizeOf(form.Shape == "circle" ? pad.XSize : pad.YSize);
        // KiCad keeps no number for a pad without copper.
        const std::string name = form.Copper != 0 ? pad.Name : "";
        Item(Section::Footprints, "pad", [&](SExprWriter& w) {
            w.Quote(name).Atom(form.Kind).Atom(form.Shape);
            const SheetPoint at = Reach(frame.Local(At(pad.X, pad.Y)));
            w.Open("at").Length(at.X).Length(at.Y);
            if (turned) {
                w.Angle(pad.Rotation);
            }
            w.Close();
            w.Open("size").Length(PadSizeOf(pad.XSize)).Length(sizeY).Close();
            if (pad.Hole > 0) {
                w.Open("drill").Length(SizeOf(pad.Hole)).Close();
            }
            w.Open("layers");
            for (const std::string& layer : form.Layers) {
                if (layer[0] == '*') {
                    w.Atom(layer);
                } else {
                    w.Quote(layer);
                }
            }
            w.Close();
            if (form.Shape == "roundrect") {
                w.Open("roundrect_rratio").Atom(Decimal(form.RoundRatio)).Close();
            }
            if (form.Octagon) {
                w.Open("chamfer_ratio").Atom(Decimal(OctagonChamferRatio)).Close();
                w.Open("chamfer").Atom("top_left top_right bottom_left bottom_right").Close();
            }
            if (form.TakesNet && net != 0) {
                w.Open("net").Integer(NetNumber(net)).Quote(nets_.Name(net)).Close();
            }
        });
    }

    // The kinds of primitives a section can take from a container, as the writers above place
    // them: a component's graphics go in its footprint, a free one's on the board; copper lines,
    // arcs and vias are tracks; fills of a net and keep-out fills are zones. A pass leaves the
    // other kinds alone rather than read each object to find it has nothing to write.
    struct KindsOfSection {
        bool Tracks, Arcs, Fills, Texts, Vias;
    };
    KindsOfSection KindsIn(bool free) const {
        switch (pass_) {
        case Section::Footprints:
            return free ? KindsOfSection{} : KindsOfSection{true, true, true, true, false};
        case Section::Graphics:
            return free ? KindsOfSection{true, true, true, true, false} : KindsOfSection{};
        case Section::Tracks:
            return {true, true, false, false, true};
        case Section::Zones:
            return {false, false, true, false, false};
        }
        return {};
    }

    // Everything of a container but its pads: the free objects on the board, a component's
    // graphics in its footprint. Copper lines, arcs and vias go on the board either way, as
    // KiCad's footprints hold none.
    // The free objects count as they are written, a component's when it is done.
    void WritePrimitives(const StoredPrimitives& p, const Frame& frame, bool free,
                         std::size_t container) {
        const KindsOfSection kinds = KindsIn(free);
        const std::size_t step = free ? 1 : 0;
        // Each kind: written one by one, or only counted.
        const auto each = [&](bool writes, const auto& column, StoredKind kind, const auto& write) {
            if (!writes) {
                Done(step * column.size());
                return;
            }
            for (std::size_t i = 0; i < column.size(); ++i) {
                Writing(container, kind, i, column.RecordAt(i).Line);
                write(i);
                Done(step);
            }
        };
        // The section of a line, arc or fill is known from its record: one another pass writes
        // is not read.
        const auto lineIn = [&](stored::StringId layer, bool edge) {
            return edge                         ? Section::Graphics
                   : LayerOf(layer).Copper == 0 ? GraphicsOf(frame)
                                                : Section::Tracks;
        };
        each(kinds.Tracks, p.Tracks, StoredKind::Track, [&](std::size_t i) {
            if (Writes(lineIn(p.Tracks.RecordAt(i).Layer, free && outline_.Tracks[i]))) {
                WriteTrack(p.Tracks[i], frame, free, i,
                           nets_.IdOf(container, CopperKind::Track, i));
            }
        });
        each(kinds.Arcs, p.Arcs, StoredKind::Arc, [&](std::size_t i) {
            if (Writes(lineIn(p.Arcs.RecordAt(i).Layer, free && outline_.Arcs[i]))) {
                WriteArc(p.Arcs[i], frame, free, i, nets_.IdOf(container, CopperKind::Arc, i));
            }
        });
        each(kinds.Fills, p.Fills, StoredKind::Fill, [&](std::size_t i) {
            const std::uint32_t net = nets_.IdOf(container, CopperKind::Fill, i);
            const RecordLayer& layer = LayerOf(p.Fills.RecordAt(i).Layer);
            if (Writes(layer.KeepOut || (layer.Copper != 0 && net != 0) ? Section::Zones
                                                                        : GraphicsOf(frame))) {
                WriteFill(p.Fills[i], frame, net);
            }
        });
        each(kinds.Texts, p.Texts, StoredKind::Text, [&](std::size_t i) {
            WriteText(p.Texts[i], frame, free ? TextRole::Board : TextRole::User);
        });
        each(kinds.Vias, p.Vias, StoredKind::Via, [&](std::size_t i) {
            WriteVia(p.Vias[i], nets_.IdOf(container, CopperKind::Via, i));
        });
    }

    // What the writers above need of a record's layer, by the layer's string.
    struct RecordLayer {
        bool Known = false;
        bool KeepOut = false;
        CopperMask Copper = 0;
    };

    const RecordLayer& LayerOf(stored::StringId layer) {
        if (layer >= recordLayers_.size()) {
            recordLayers_.resize(layer + 1);
        }
        RecordLayer& known = recordLayers_[layer];
        if (!known.Known) {
            const std::string name(board_.String(layer));
            known = {true, name == KeepOutLayerName, layers_.CopperOn(name)};
        }
        return known;
    }

    // What the footprint is made of and where it goes, or nothing when it has no pads.
    static std::string Attributes(const std::vector<Pad>& pads, bool freePad) {
        bool holes = false, surface = false;
        for (const Pad& pad : pads) {
            (pad.Hole > 0 ? holes : surface) = true;
        }
        std::string attributes = holes ? "through_hole" : surface ? "smd" : "";
        if (freePad) {
            attributes += " board_only exclude_from_pos_files exclude_from_bom";
        }
        return attributes;
    }

    // What a footprint's head says: its name, side, place and angle.
    struct FootprintPlace {
        std::string Name;
        bool Bottom = false;
        SheetPoint At;
        double Rotation = 0;

        void Head(SExprWriter& w) const {
            w.Open("footprint").Quote(Name).Open("layer").Quote(Bottom ? "B.Cu" : "F.Cu").Close();
        }
        void Position(SExprWriter& w) const {
            w.Open("at").Length(At.X).Length(At.Y);
            if (NormalisedDegrees(Rotation) != 0) {
                w.Angle(Rotation);
            }
            w.Close();
        }
    };

    // Starts a footprint: its identifier is hashed from its head and place, then from its items
    // as they are written.
    void BeginFootprint(const FootprintPlace& place) {
        footprintHash_ = ContentHash()
                             .Add(Alone([&](SExprWriter& w) { place.Head(w); }))
                             .Add(Alone([&](SExprWriter& w) { place.Position(w); }));
        footprintHashed_ = 0;
    }

    void Footprint(const FootprintPlace& place, const std::string& attributes) {
        HashFootprintTo(footprint_.size());
        SExprWriter w(out_, 1);
        place.Head(w);
        Tstamp(w.NewLine(), out_, footprintHash_).NewLine();
        place.Position(w);
        w.NewLine();
        if (!attributes.empty()) {
            w.Open("attr").Atom(attributes).Close().NewLine();
        }
        out_ += footprint_;
        w.Close().NewLine().NewLine();
        footprint_.clear();
    }

    // A footprint takes the rotation inferred from its pads, so that a library footprint of the
    // package put in its place lands as it; its items are stored turned back by it.
    void WriteComponent(std::size_t index) {
        const std::size_t container = index + 1;
        const StoredPrimitives children = board_.ChildrenOf(index);
        if (!Writes(Section::Footprints)) {
            // The component's copper and zones are on the board, where they lie.
            WritePrimitives(children, Frame{true, {}, 0}, false, container);
            Done(1 + children.Count());
            return;
        }
        const Component c = board_.ComponentAt(index);
        const std::vector<Pad> pads(children.Pads.begin(), children.Pads.end());
        const bool bottom = OnBottomSide(c.Layer);
        const InferredRotation inferred = InferRotation(pads, bottom, c.Pattern);
        if (inferred.Rule == RotationRule::NotInferred) {
            uninferred_.push_back(c.Designator);
        }
        const double rotation = FootprintRotation(c, inferred);
        Writing(container, StoredKind::Component, 0, c.Line);
        const Frame frame{true, FootprintOrigin(c, pads), rotation};
        const FootprintPlace place{FootprintName(c.Pattern), bottom, frame.Origin, rotation};
        BeginFootprint(place);
        if (c.DesignatorText) {
            Writing(container, StoredKind::DesignatorText, 0, c.DesignatorText->Line);
            WriteText(*c.DesignatorText, frame, TextRole::Reference);
        } else {
            HiddenText(TextRole::Reference, c.Designator, bottom);
        }
        if (c.CommentText) {
            Writing(container, StoredKind::CommentText, 0, c.CommentText->Line);
            WriteText(*c.CommentText, frame, TextRole::Value);
        } else {
            HiddenText(TextRole::Value, c.Comment, bottom);
        }
        WritePrimitives(children, frame, false, container);
        for (std::size_t i = 0; i < pads.size(); ++i) {
            Writing(container, StoredKind::Pad, i, pads[i].Line);
            WritePad(pads[i], frame, nets_.IdOf(container, CopperKind::Pad, i));
        }
        Footprint(place, Attributes(pads, false));
        Done(1 + children.Count());
    }

    // The footprint's place: the component's own, or where KiCad cannot reach it (a damaged
    // position line), the middle of its pads within the bulk of the board, so that its items
    // keep their places; the component is then noted as clamped.
    SheetPoint FootprintOrigin(const Component& c, const std::vector<Pad>& pads) {
        const SheetPoint own = At(c.X, c.Y);
        if (InReach(own)) {
            return own;
        }
        NoteClamped();
        Component withPads = c;
        withPads.Children.Pads = pads;
        const PartPlacement middle = PlacementOf(withPads, extent_.Near);
        return WithinReach(At(middle.X, middle.Y));
    }

    void WriteFreePad(const Pad& pad, std::uint32_t net) {
        const bool bottom = layers_.CopperOf(pad.Layer) != nullptr &&
                            layers_.CopperOf(pad.Layer)->Name == "B.Cu" && pad.Hole <= 0;
        const Frame frame{true, At(pad.X, pad.Y), 0};
        const FootprintPlace place{"FreePad", bottom, frame.Origin, 0};
        BeginFootprint(place);
        HiddenText(TextRole::Reference, pad.Name, bottom);
        HiddenText(TextRole::Value, "", bottom);
        WritePad(pad, frame, net);
        Footprint(place, Attributes({pad}, true));
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
                Zone(
                    [&](SExprWriter& w) {
                        ZoneOfNet(w, NetNumber(nets_.IdOfName(*layer.PlaneNet)), *layer.PlaneNet);
                        w.Open("layer").Quote(layer.Name).Close();
                    },
                    [](SExprWriter& w) {
                        w.Open("connect_pads").Open("clearance").Length(PlaneClearance);
                        w.Close().Close().NewLine();
                        w.Open("min_thickness").Length(PlaneMinThickness).Close().NewLine();
                    },
                    corners);
            }
        }
    }

    LayerMap layers_;
    CopperNets nets_;
    PadForms padForms_;
    const BoardStore& board_;
    std::string edgeLayer_;
    const TextSink& sink_;
    const ProgressSteps& progress_;
    BoardExtent extent_;
    Extent outlineBox_;
    std::optional<StoredObject> writing_; // the object being written, noted when clamped
    std::vector<StoredObject> clamped_;   // with repeats: an object is written in parts
    std::optional<SheetPlacement> sheet_;
    std::optional<ArcsOnSheet> arcs_; // on the sheet
    EdgeOutline outline_;
    std::vector<int> netNumbers_;         // by net id; 0 for nets no object has
    std::vector<std::uint32_t> netOrder_; // net ids in the order of their numbers
    std::vector<std::string> uninferred_; // designators of the footprints at their own rotation
    ContentIds ids_;
    std::vector<RecordLayer> recordLayers_; // by the layer's string
    // The identifier last written, which waits for its place in the text.
    struct PendingId {
        std::string* Text = nullptr; // none
        std::size_t At = 0;
        ContentHash Hash;
    } pendingId_;
    Section pass_ = Section::Footprints;
    bool wrote_ = false; // whether this pass wrote anything yet
    std::string out_, footprint_;
    ContentHash footprintHash_;       // of the footprint being made, up to footprintHashed_
    std::size_t footprintHashed_ = 0; // bytes of footprint_ fed to footprintHash_
    std::size_t steps_ = 0;           // objects written and not yet reported
};

} // namespace

std::size_t KicadBoardSteps(const BoardStore& board) {
    return SectionCount * (board.PrimitiveCount() + board.ComponentCount());
}

std::size_t KicadBoardSteps(const Board& board) {
    return KicadBoardSteps(StoreOf(board));
}

KicadBoardOutcome WriteKicadBoard(const BoardStore& board, const KicadBoardSettings& settings,
                                  const TextSink& sink, const ProgressSteps& progress) {
    Writer writer(board, settings.EdgeLayer, settings.DeriveNets, sink, progress);
    writer.Document();
    return writer.Outcome();
}

KicadBoardOutcome WriteKicadBoard(const Board& board, const KicadBoardSettings& settings,
                                  const TextSink& sink, const ProgressSteps& progress) {
    return WriteKicadBoard(StoreOf(board), settings, sink, progress);
}

KicadBoard BoardToKicad(const Board& board, const KicadBoardSettings& settings) {
    KicadBoard kicad;
    kicad.DerivedNets =
        WriteKicadBoard(board, settings, [&](std::string_view text) { kicad.Text += text; }, {})
            .DerivedNets;
    return kicad;
}

} // namespace corvane::cli
