#include "kicadwriter/KicadBoardWriter.h"

#include "kicadwriter/KicadBoardWriting.h"
#include "textformat/Units.h"

#include <algorithm>
#include <iterator>

namespace corvane::cli {
namespace kicad {
namespace {

// Sizes the host board does not give, as KiCad's own defaults.
constexpr std::int64_t BoardThickness = 1'600'000; // nm
constexpr std::int64_t OutlineWidth = 100'000;     // nm: the rectangle drawn as the edge

// The sheet holds the board and the rectangle drawn when its edge has no closed outline.
SheetPlacement SheetAround(const Extent& extent) {
    Extent all = extent;
    all.Add(FallbackOutline(extent));
    return SheetPlacement::Around(all);
}

} // namespace

BoardFileWriter::BoardFileWriter(const BoardStore& board, const KicadBoardSettings& settings,
                                 const TextSink& sink, const ProgressSteps& progress)
    : layers_(LayerMap::ForBoard(board)), padForms_(layers_),
      nets_(WithCopperNets(board, layers_, padForms_, settings.DeriveNets)), board_(board),
      edgeLayer_(settings.EdgeLayer), output_(sink, progress) {
    // Placed from the bulk of the board: an object far from the rest moves nothing else.
    extent_ = FindBoardExtent(board_);
    outlineBox_ = FallbackOutline(extent_.Bulk);
    sheet_.emplace(SheetAround(extent_.Bulk));
    arcs_.emplace(*sheet_);
    outline_ = FindEdgeOutline(board_.Free(), edgeLayer_, *sheet_);
    sections_.emplace(board_, layers_, nets_, outline_);
    netNumbers_.emplace(board_, nets_);
    // About an identifier an object, and three a component (its footprint and two texts).
    ids_.Reserve(board_.PrimitiveCount() + 3 * board_.ComponentCount());
}

KicadBoardOutcome BoardFileWriter::Outcome() const {
    KicadBoardOutcome outcome;
    outcome.DerivedNets = nets_.Derived;
    outcome.MadeUpEdge = !outline_.Found;
    outcome.SheetLeft = sheet_->Left();
    outcome.SheetTop = sheet_->Top();
    outcome.OriginClamped = !InReach(sheet_->At(0, 0));
    outcome.Clamped = clamps_.Clamped();
    // Far objects placed as the file says: the far ones not clamped (both lists in order).
    std::set_difference(extent_.Far.begin(), extent_.Far.end(), outcome.Clamped.begin(),
                        outcome.Clamped.end(), std::back_inserter(outcome.FarPlaced));
    outcome.UninferredParts = uninferred_;
    return outcome;
}

void BoardFileWriter::Document() {
    SExprWriter w(output_.Text(), 0);
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
    clamps_.WritingNone();
    Point(w, "aux_axis_origin", sheet_->At(0, 0));
    w.NewLine().Close().NewLine().NewLine();
    w.Open("net").Atom("0").Quote("").Close().NewLine();
    for (const std::uint32_t id : netNumbers_->Order()) {
        w.Open("net").Integer(netNumbers_->Of(id)).Quote(nets_.Name(id)).Close();
        w.NewLine();
    }
    w.NewLine();
    for (const Section section : Sections) {
        pass_ = section;
        wrote_ = false;
        WriteSection();
        // The graphics and the tracks end with an empty line, when there are any.
        if (wrote_ && (section == Section::Graphics || section == Section::Tracks)) {
            w.NewLine();
        }
    }
    w.Close().NewLine();
    ids_.Settle();
    output_.Finish();
}

void BoardFileWriter::LayerList(SExprWriter& w) const {
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

std::vector<const CopperLayer*> BoardFileWriter::CopperLayersOf(CopperMask mask) const {
    std::vector<const CopperLayer*> result;
    const auto& copper = layers_.CopperLayers();
    for (std::size_t i = 0; i < copper.size(); ++i) {
        if ((mask >> i) & 1) {
            result.push_back(&copper[i]);
        }
    }
    return result;
}

// One pass over the board, which writes what belongs in the section being written.
void BoardFileWriter::WriteSection() {
    for (std::size_t i = 0; i < board_.ComponentCount(); ++i) {
        WriteComponent(i);
    }
    const StoredPrimitives free = board_.Free();
    for (std::size_t i = 0; i < free.Pads.size(); ++i) {
        if (pass_ == SectionMap::Pads) { // a free pad is a footprint of its own
            clamps_.Writing(0, StoredKind::Pad, i, free.Pads.RecordAt(i).Line);
            WriteFreePad(free.Pads[i], padForms_.Of(free.Pads, i),
                         nets_.IdOf(0, CopperKind::Pad, i));
        }
        Done(1);
    }
    WritePrimitives(free, Frame{}, true, 0);
    clamps_.WritingNone(); // the drawings below are of no object of the board
    if (!outline_.Found && pass_ == Section::Graphics) {
        const SheetPoint a = At(outlineBox_.MinX(), outlineBox_.MaxY());
        const SheetPoint b = At(outlineBox_.MaxX(), outlineBox_.MinY());
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

// Counts objects written, and hands their text on once there is enough of it: the free objects
// of a large board would otherwise gather in one piece.
void BoardFileWriter::Done(std::size_t objects) {
    if (output_.Full()) {
        ids_.Settle();
        output_.Hand();
    }
    output_.Count(objects);
}

// A component is its footprint, written in the footprints' pass; its copper and zones are on the
// board, where they lie, written in the passes of the tracks and the zones.
void BoardFileWriter::WriteComponent(std::size_t index) {
    const std::size_t container = index + 1;
    const StoredPrimitives children = board_.ChildrenOf(index);
    if (pass_ == Section::Footprints) {
        WriteFootprint(index, children);
    } else {
        WritePrimitives(children, Frame{true, {}, 0}, false, container);
    }
    Done(1 + children.Count());
}

// Everything of a container but its pads that goes in the section being written, in the order of
// the kinds. The free objects count as they are written, a component's when it is done.
void BoardFileWriter::WritePrimitives(const StoredPrimitives& p, const Frame& frame, bool free,
                                      std::size_t container) {
    const SectionMap::KindSections& sections = sections_->Of(free);
    const std::size_t step = free ? 1 : 0;
    // The objects of a kind whose sections differ: each written when its section is this pass's.
    const auto each = [&](const auto& column, StoredKind kind, const std::vector<Section>& of,
                          const auto& write) {
        for (std::size_t i = 0; i < column.size(); ++i) {
            const Section section = of[column.Start() + i];
            if (section == pass_) {
                clamps_.Writing(container, kind, i, column.RecordAt(i).Line);
                write(i, section);
            }
            Done(step);
        }
    };
    // The objects of a kind that all go in one section: written in its pass, else only counted.
    const auto all = [&](const auto& column, StoredKind kind, Section section, const auto& write) {
        if (section != pass_) {
            Done(step * column.size());
            return;
        }
        for (std::size_t i = 0; i < column.size(); ++i) {
            clamps_.Writing(container, kind, i, column.RecordAt(i).Line);
            write(i);
            Done(step);
        }
    };
    each(p.Tracks, StoredKind::Track, sections.Tracks, [&](std::size_t i, Section section) {
        WriteTrack(p.Tracks[i], frame, section, free && outline_.Tracks[i],
                   nets_.IdOf(container, CopperKind::Track, i));
    });
    each(p.Arcs, StoredKind::Arc, sections.Arcs, [&](std::size_t i, Section section) {
        WriteArc(p.Arcs[i], frame, section, free && outline_.Arcs[i],
                 nets_.IdOf(container, CopperKind::Arc, i));
    });
    each(p.Fills, StoredKind::Fill, sections.Fills, [&](std::size_t i, Section section) {
        WriteFill(p.Fills[i], frame, section, nets_.IdOf(container, CopperKind::Fill, i));
    });
    all(p.Texts, StoredKind::Text, SectionMap::TextsOf(free), [&](std::size_t i) {
        WriteText(p.Texts[i], frame, free ? TextRole::Board : TextRole::User);
    });
    all(p.Vias, StoredKind::Via, SectionMap::Vias,
        [&](std::size_t i) { WriteVia(p.Vias[i], nets_.IdOf(container, CopperKind::Via, i)); });
}

} // namespace kicad

std::size_t KicadBoardSteps(const BoardStore& board) {
    return kicad::Sections.size() * (board.PrimitiveCount() + board.ComponentCount());
}

std::size_t KicadBoardSteps(const Board& board) {
    return KicadBoardSteps(StoreOf(board));
}

KicadBoardOutcome WriteKicadBoard(const BoardStore& board, const KicadBoardSettings& settings,
                                  const TextSink& sink, const ProgressSteps& progress) {
    kicad::BoardFileWriter writer(board, settings, sink, progress);
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
