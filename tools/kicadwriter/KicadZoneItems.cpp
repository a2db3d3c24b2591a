// The KiCad board's fills and zones: copper of a net, keep-out areas and planes as zones, the
// other fills as filled shapes.

#include "kicadwriter/KicadBoardWriting.h"

#include "boardfacts/HostLayers.h"
#include "boardfacts/QuarterTurn.h"
#include "textformat/Units.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace corvane::cli::kicad {
namespace {

// Zones, as KiCad's own defaults (nm); a fill's zone is as thin as KiCad allows, to follow it.
constexpr std::int64_t ZoneHatchPitch = 508'000;
constexpr std::int64_t ZoneThermalGap = 508'000;
constexpr std::int64_t ZoneThermalBridge = 508'000;
constexpr std::int64_t PlaneClearance = 508'000;
constexpr std::int64_t PlaneMinThickness = 254'000;
constexpr std::int64_t FillMinThickness = 25'400;

} // namespace

// The four corners of a fill on the sheet, turned about its centre.
std::array<SheetPoint, 4> BoardFileWriter::FillCorners(const Fill& f) const {
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
void BoardFileWriter::Points(SExprWriter& w, const std::array<SheetPoint, 4>& corners,
                             const Frame& frame) {
    w.Open("pts").NewLine();
    for (const SheetPoint& p : corners) {
        Point(w, "xy", frame.Local(p));
        w.NewLine();
    }
    w.Close();
}

void BoardFileWriter::FilledShape(Section into, const Frame& frame, const Fill& f,
                                  const std::string& layer) {
    const auto tail = [&](SExprWriter& w) {
        w.Open("layer").Quote(layer).Close();
        w.Open("width").Length(0).Close();
        w.Open("fill").Atom("solid").Close();
    };
    if (units::NormalisedDegrees(f.Rotation) == 0) {
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

// A zone: its net and layers, its identifier made from them, its settings and its outline (the
// identifier takes the settings as written and the outline alone).
template <typename Head, typename Settings>
void BoardFileWriter::Zone(const Head& head, const Settings& settings,
                           const std::array<SheetPoint, 4>& corners) {
    std::string& zones = Into(Section::Zones);
    SExprWriter w(zones, 1);
    w.Open("zone");
    const std::size_t start = w.Position();
    head(w);
    std::string settingsText;
    SExprWriter side(settingsText, 2);
    settings(side);
    ids_.Tstamp(w, zones,
                ContentHash()
                    .Add(w.Since(start).substr(1))
                    .Add(settingsText)
                    .Add(Alone([&](SExprWriter& p) { Points(p, corners, Frame{}); })));
    w.Open("hatch").Atom("edge").Length(ZoneHatchPitch).Close().NewLine();
    settings(w);
    // Islands kept: the host drew every piece of copper it holds, and KiCad 6.0 took the demo's
    // fill, joined to its net by vias and a track, for an island and emptied it.
    w.Open("fill").Open("thermal_gap").Length(ZoneThermalGap).Close();
    w.Open("thermal_bridge_width").Length(ZoneThermalBridge).Close();
    w.Open("island_removal_mode").Atom("1").Close().Close().NewLine();
    w.Open("polygon").NewLine();
    Points(w, corners, Frame{});
    w.NewLine().Close().NewLine().Close().NewLine();
}

void BoardFileWriter::ZoneOfNet(SExprWriter& w, int number, std::string_view name) const {
    w.Open("net").Integer(number).Close();
    w.Open("net_name").Quote(name).Close();
}

void BoardFileWriter::WriteFill(const Fill& f, const Frame& frame, Section section,
                                std::uint32_t net) {
    if (f.Layer == KeepOutLayerName) {
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
        FilledShape(section, frame, f, layers_.NonCopperLayer(f.Layer));
        return;
    }
    for (const CopperLayer* layer : CopperLayersOf(copper)) {
        if (net != 0) {
            // KiCad's graphics carry no net: copper of a net is a zone, solidly joined to its
            // pads.
            Zone(
                [&](SExprWriter& w) {
                    ZoneOfNet(w, netNumbers_->Of(net), nets_.Name(net));
                    w.Open("layer").Quote(layer->Name).Close();
                },
                [](SExprWriter& w) {
                    w.Open("connect_pads").Atom("yes");
                    w.Open("clearance").Length(0).Close().Close().NewLine();
                    w.Open("min_thickness").Length(FillMinThickness).Close().NewLine();
                },
                FillCorners(f));
        } else {
            FilledShape(section, frame, f, layer->Name);
        }
    }
}

// The internal planes of a net: a zone over the whole board on each.
void BoardFileWriter::WritePlaneZones() {
    const SheetPoint a = At(outlineBox_.MinX(), outlineBox_.MaxY());
    const SheetPoint b = At(outlineBox_.MaxX(), outlineBox_.MinY());
    const std::array<SheetPoint, 4> corners = {{a, {b.X, a.Y}, b, {a.X, b.Y}}};
    for (const CopperLayer& layer : layers_.CopperLayers()) {
        if (layer.Plane && layer.PlaneNet) {
            Zone(
                [&](SExprWriter& w) {
                    ZoneOfNet(w, netNumbers_->Of(nets_.IdOfName(*layer.PlaneNet)), *layer.PlaneNet);
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

} // namespace corvane::cli::kicad
