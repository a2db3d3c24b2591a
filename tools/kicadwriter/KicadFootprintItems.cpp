// The KiCad board's footprints: one a component, turned by the rotation its pads imply, with its
// texts, graphics and pads; and one a free pad.

#include "kicadwriter/KicadBoardWriting.h"

#include "boardfacts/HostLayers.h"
#include "placement/PartPlacement.h"
#include "textformat/Units.h"

#include <algorithm>
#include <array>

namespace corvane::cli::kicad {
namespace {

constexpr std::int64_t SmallestPad = 1'000;        // nm
constexpr std::int64_t HiddenTextSize = 1'270'000; // nm: texts a footprint needs but the host lacks
constexpr std::int64_t HiddenTextStroke = 150'000;

// What the footprint is made of and where it goes, or nothing when it has no pads.
std::string Attributes(const std::vector<Pad>& pads, bool freePad) {
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

// KiCad reads "a:b" as footprint b of library a, and a footprint's name is a file name: the
// colon, the characters file names cannot hold and control characters become '_', as KiCad
// itself makes them.
std::string FootprintName(std::string pattern) {
    for (char& c : pattern) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view(":/\\<>\"").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return pattern;
}

const char* TextKind(TextRole role) {
    static constexpr std::array<const char*, 4> kinds = {"", "reference", "value", "user"};
    return kinds[std::size_t(role)];
}

} // namespace

void BoardFileWriter::FootprintPlace::Head(SExprWriter& w) const {
    w.Open("footprint").Quote(Name).Open("layer").Quote(Bottom ? "B.Cu" : "F.Cu").Close();
}

void BoardFileWriter::FootprintPlace::Position(SExprWriter& w) const {
    w.Open("at").Length(At.X).Length(At.Y);
    if (units::NormalisedDegrees(Rotation) != 0) {
        w.Angle(Rotation);
    }
    w.Close();
}

// Starts a footprint: its identifier is hashed from its head and place, then from its items as
// they are written.
void BoardFileWriter::BeginFootprint(const FootprintPlace& place) {
    footprintHash_ = ContentHash()
                         .Add(Alone([&](SExprWriter& w) { place.Head(w); }))
                         .Add(Alone([&](SExprWriter& w) { place.Position(w); }));
    footprintHashed_ = 0;
}

void BoardFileWriter::Footprint(const FootprintPlace& place, const std::string& attributes) {
    HashFootprintTo(footprint_.size());
    std::string& out = output_.Text();
    SExprWriter w(out, 1);
    place.Head(w);
    ids_.Tstamp(w.NewLine(), out, footprintHash_).NewLine();
    place.Position(w);
    w.NewLine();
    if (!attributes.empty()) {
        w.Open("attr").Atom(attributes).Close().NewLine();
    }
    out += footprint_;
    w.Close().NewLine().NewLine();
    footprint_.clear();
}

// A footprint takes the rotation inferred from its pads, so that a library footprint of the
// package put in its place lands as it; its items are stored turned back by it.
void BoardFileWriter::WriteFootprint(std::size_t index, const StoredPrimitives& children) {
    const std::size_t container = index + 1;
    const Component c = board_.ComponentAt(index);
    const std::vector<Pad> pads(children.Pads.begin(), children.Pads.end());
    const bool bottom = OnBottomSide(c.Layer);
    const InferredRotation inferred = InferRotation(pads, bottom, c.Pattern);
    if (inferred.Rule == RotationRule::NotInferred) {
        uninferred_.push_back(c.Designator);
    }
    const double rotation = FootprintRotation(c, inferred);
    clamps_.Writing(container, StoredKind::Component, 0, c.Line);
    const Frame frame{true, FootprintOrigin(c, pads), rotation};
    const FootprintPlace place{FootprintName(c.Pattern), bottom, frame.Origin, rotation};
    BeginFootprint(place);
    if (c.DesignatorText) {
        clamps_.Writing(container, StoredKind::DesignatorText, 0, c.DesignatorText->Line);
        WriteText(*c.DesignatorText, frame, TextRole::Reference);
    } else {
        HiddenText(TextRole::Reference, c.Designator, bottom);
    }
    if (c.CommentText) {
        clamps_.Writing(container, StoredKind::CommentText, 0, c.CommentText->Line);
        WriteText(*c.CommentText, frame, TextRole::Value);
    } else {
        HiddenText(TextRole::Value, c.Comment, bottom);
    }
    WritePrimitives(children, frame, false, container);
    for (std::size_t i = 0; i < pads.size(); ++i) {
        clamps_.Writing(container, StoredKind::Pad, i, pads[i].Line);
        WritePad(pads[i], padForms_.Of(children.Pads, i), frame,
                 nets_.IdOf(container, CopperKind::Pad, i));
    }
    Footprint(place, Attributes(pads, false));
}

// The footprint's place: the component's own, or where KiCad cannot reach it (a damaged position
// line), the middle of its pads within the bulk of the board, so that its items keep their
// places; the component is then noted as clamped.
SheetPoint BoardFileWriter::FootprintOrigin(const Component& c, const std::vector<Pad>& pads) {
    const SheetPoint own = At(c.X, c.Y);
    if (InReach(own)) {
        return own;
    }
    clamps_.Note();
    Component withPads = c;
    withPads.Children.Pads = pads;
    const PartPlacement middle = PlacementOf(withPads, extent_.Near);
    return WithinReach(At(middle.X, middle.Y));
}

void BoardFileWriter::WriteFreePad(const Pad& pad, const PadForm& form, std::uint32_t net) {
    const bool bottom = layers_.CopperOf(pad.Layer) != nullptr &&
                        layers_.CopperOf(pad.Layer)->Name == "B.Cu" && pad.Hole <= 0;
    const Frame frame{true, At(pad.X, pad.Y), 0};
    const FootprintPlace place{"FreePad", bottom, frame.Origin, 0};
    BeginFootprint(place);
    HiddenText(TextRole::Reference, pad.Name, bottom);
    HiddenText(TextRole::Value, "", bottom);
    WritePad(pad, form, frame, net);
    Footprint(place, Attributes({pad}, true));
}

void BoardFileWriter::Effects(SExprWriter& w, const Text& t) {
    w.Open("effects").Open("font");
    w.Open("size").Length(SizeOf(t.Height)).Length(SizeOf(t.Height)).Close();
    w.Open("thickness").Length(SizeOf(t.Width)).Close().Close();
    w.Open("justify").Atom("left").Atom("bottom");
    if (t.Mirror) {
        w.Atom("mirror");
    }
    w.Close().Close();
}

void BoardFileWriter::WriteText(const Text& t, const Frame& frame, TextRole role) {
    const std::string layer = layers_.LayerOf(t.Layer);
    const SheetPoint at = clamps_.Reach(frame.Local(At(t.X, t.Y)));
    const bool turned = units::NormalisedDegrees(t.Rotation) != 0;
    const auto effects = [&](SExprWriter& w) { Effects(w, t); };
    if (role == TextRole::Board) {
        std::string& into = Into(Section::Graphics);
        SExprWriter w(into, 1);
        w.Open("gr_text");
        const std::size_t start = w.LastOpen();
        w.Quote(t.Content).Open("at").Length(at.X).Length(at.Y);
        if (turned) {
            w.Angle(t.Rotation);
        }
        w.Close().Open("layer").Quote(layer).Close();
        ids_.Tstamp(w, into, ContentHash().Add(w.Since(start)).Add(Alone(effects))).NewLine();
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

// A text of a footprint: its lists, its effects on a line, its identifier on another.
template <typename Body, typename TextEffects>
void BoardFileWriter::FootprintText(const Body& body, const TextEffects& effects) {
    std::string& into = Into(Section::Footprints);
    SExprWriter w(into, 2);
    w.Open("fp_text");
    const std::size_t start = w.LastOpen();
    body(w);
    const ContentHash hash = HashOfItem(into, start).Add(Alone(effects));
    w.NewLine();
    effects(w);
    ids_.Tstamp(w.NewLine(), into, hash).NewLine().Close().NewLine();
}

// A text the footprint needs that the host does not have: hidden on the fabrication layer.
void BoardFileWriter::HiddenText(TextRole role, const std::string& content, bool bottom) {
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

void BoardFileWriter::WritePad(const Pad& pad, const PadForm& form, const Frame& frame,
                               std::uint32_t net) {
    // KiCad's smallest pad: smaller sizes (0 in broken files) are written as it.
    const auto padSize = [&](std::int64_t hostUnits) {
        return std::max(SizeOf(hostUnits), SmallestPad);
    };
    const bool turned = units::NormalisedDegrees(pad.Rotation) != 0;
    const std::int64_t sizeY = padSize(form.Shape == "circle" ? pad.XSize : pad.YSize);
    // KiCad keeps no number for a pad without copper.
    const std::string name = form.Copper != 0 ? pad.Name : "";
    Item(Section::Footprints, "pad", [&](SExprWriter& w) {
        w.Quote(name).Atom(form.Kind).Atom(form.Shape);
        const SheetPoint at = clamps_.Reach(frame.Local(At(pad.X, pad.Y)));
        w.Open("at").Length(at.X).Length(at.Y);
        if (turned) {
            w.Angle(pad.Rotation);
        }
        w.Close();
        w.Open("size").Length(padSize(pad.XSize)).Length(sizeY).Close();
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
            w.Open("roundrect_rratio").Atom(units::Decimal(form.RoundRatio)).Close();
        }
        if (form.Octagon) {
            w.Open("chamfer_ratio").Atom(units::Decimal(OctagonChamferRatio)).Close();
            w.Open("chamfer").Atom("top_left top_right bottom_left bottom_right").Close();
        }
        if (form.TakesNet && net != 0) {
            w.Open("net").Integer(netNumbers_->Of(net)).Quote(nets_.Name(net)).Close();
        }
    });
}

} // namespace corvane::cli::kicad
