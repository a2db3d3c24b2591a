#pragma once
// The writing of one KiCad board, shared by the writer's files: KicadBoardWriter.cpp writes the
// document and its four passes; KicadLineItems.cpp, KicadZoneItems.cpp and
// KicadFootprintItems.cpp the items of each kind. Around them: the sections of the objects
// (KicadSections), the net numbers (KicadNetNumbers), the identifiers (ItemIds), the values
// beyond KiCad's reach (ClampNotes) and the text on its way out (ChunkedOutput).

#include "boardmodel/BoardStore.h"
#include "kicadwriter/BoardOutline.h"
#include "kicadwriter/ChunkedOutput.h"
#include "kicadwriter/ClampNotes.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/ItemIds.h"
#include "kicadwriter/KicadArc.h"
#include "kicadwriter/KicadBoardWriter.h"
#include "kicadwriter/KicadLayers.h"
#include "kicadwriter/KicadNetNumbers.h"
#include "kicadwriter/KicadPads.h"
#include "kicadwriter/KicadSections.h"
#include "kicadwriter/KicadSheet.h"
#include "kicadwriter/SExpression.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli::kicad {

/// Where the children of a footprint are written: relative to its position, turned back by its
/// orientation (KiCad turns them by it when it loads the board). The board itself has no frame.
struct Frame {
    bool InFootprint = false;
    SheetPoint Origin;
    double Orientation = 0;

    SheetPoint Local(SheetPoint p) const {
        return InFootprint ? FootprintOffset(Origin, Orientation, p) : p;
    }

    std::string Prefix() const { return InFootprint ? "fp_" : "gr_"; }
};

/// The texts of a footprint take their role from where they come from.
enum class TextRole { Board, Reference, Value, User };

class BoardFileWriter {
public:
    BoardFileWriter(const BoardStore& board, const KicadBoardSettings& settings,
                    const TextSink& sink, const ProgressSteps& progress);

    /// Writes the whole file.
    void Document();
    KicadBoardOutcome Outcome() const;

private:
    // ---- The document and its passes (KicadBoardWriter.cpp)

    void LayerList(SExprWriter& w) const;
    void WriteSection();
    void WriteComponent(std::size_t index);
    void WritePrimitives(const StoredPrimitives& p, const Frame& frame, bool free,
                         std::size_t container);
    void Done(std::size_t objects);

    // The text an item of a section goes in: the footprint being made, or the file.
    std::string& Into(Section section) {
        wrote_ = true;
        return section == Section::Footprints ? footprint_ : output_.Text();
    }

    // ---- Items

    // Writes one item on a line of its own: its lists, its identifier made from them, and its
    // end.
    template <typename Body> void Item(Section section, std::string_view name, const Body& body) {
        std::string& into = Into(section);
        SExprWriter w(into, section == Section::Footprints ? 2 : 1);
        w.Open(name);
        const std::size_t start = w.LastOpen();
        body(w);
        ids_.Tstamp(w, into, HashOfItem(into, start)).Close().NewLine();
    }

    // The text of a list as the identifiers take it: alone, at no depth.
    template <typename List> static std::string Alone(const List& list) {
        std::string text;
        SExprWriter w(text, 0);
        list(w);
        return text;
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
        ids_.Settle();
        footprintHash_.Add(
            std::string_view(footprint_).substr(footprintHashed_, end - footprintHashed_));
        footprintHashed_ = end;
    }

    SheetPoint At(std::int64_t x, std::int64_t y) const { return sheet_->At(x, y); }

    // A list of a point: "(name x y)".
    void Point(SExprWriter& w, std::string_view name, SheetPoint p) {
        p = clamps_.Reach(p);
        w.Open(name).Length(p.X).Length(p.Y).Close();
    }

    std::int64_t SizeOf(std::int64_t hostUnits) { return clamps_.SizeOf(hostUnits); }

    // KiCad draws no line of width 0 and gives such a line its default width: the file says so.
    std::int64_t LineWidthOf(std::int64_t hostUnits) {
        return hostUnits == 0 ? DefaultLineWidth : SizeOf(hostUnits);
    }

    void NetOf(SExprWriter& w, std::uint32_t id) const {
        w.Open("net").Integer(netNumbers_->Of(id)).Close();
    }

    // The KiCad copper layers of a copper mask, in stack order.
    std::vector<const CopperLayer*> CopperLayersOf(CopperMask mask) const;

    // ---- Lines, arcs and vias (KicadLineItems.cpp)

    void WriteTrack(const Track& t, const Frame& frame, Section section, bool edge,
                    std::uint32_t net);
    void Line(Section into, const Frame& frame, SheetPoint a, SheetPoint b,
              const std::string& layer, std::int64_t width);
    void WriteArc(const Arc& a, const Frame& frame, Section section, bool edge, std::uint32_t net);
    template <typename Tail> void ArcTrack(const SheetArc& arc, const Tail& tail);
    void GraphicArc(Section into, const Frame& frame, const SheetArc& arc, const std::string& layer,
                    std::int64_t width);
    void WriteVia(const Via& v, std::uint32_t net);

    // ---- Fills and zones (KicadZoneItems.cpp)

    std::array<SheetPoint, 4> FillCorners(const Fill& f) const;
    void Points(SExprWriter& w, const std::array<SheetPoint, 4>& corners, const Frame& frame);
    void FilledShape(Section into, const Frame& frame, const Fill& f, const std::string& layer);
    template <typename Head, typename Settings>
    void Zone(const Head& head, const Settings& settings, const std::array<SheetPoint, 4>& corners);
    void ZoneOfNet(SExprWriter& w, int number, std::string_view name) const;
    void WriteFill(const Fill& f, const Frame& frame, Section section, std::uint32_t net);
    void WritePlaneZones();

    // ---- Footprints, their pads and texts (KicadFootprintItems.cpp)

    // What a footprint's head says: its name, side, place and angle.
    struct FootprintPlace {
        std::string Name;
        bool Bottom = false;
        SheetPoint At;
        double Rotation = 0;

        void Head(SExprWriter& w) const;
        void Position(SExprWriter& w) const;
    };
    void BeginFootprint(const FootprintPlace& place);
    void Footprint(const FootprintPlace& place, const std::string& attributes);
    void WriteFootprint(std::size_t index, const StoredPrimitives& children);
    SheetPoint FootprintOrigin(const Component& c, const std::vector<Pad>& pads);
    void WriteFreePad(const Pad& pad, const PadForm& form, std::uint32_t net);
    void Effects(SExprWriter& w, const Text& t);
    void WriteText(const Text& t, const Frame& frame, TextRole role);
    template <typename Body, typename TextEffects>
    void FootprintText(const Body& body, const TextEffects& effects);
    void HiddenText(TextRole role, const std::string& content, bool bottom);
    void WritePad(const Pad& pad, const PadForm& form, const Frame& frame, std::uint32_t net);

    // KiCad's width for lines of width 0 (nm).
    static constexpr std::int64_t DefaultLineWidth = 100'000;

    LayerMap layers_;
    PadForms padForms_; // the copper nets' too
    CopperNets nets_;
    const BoardStore& board_;
    std::string edgeLayer_;
    ChunkedOutput output_;
    BoardExtent extent_;
    Extent outlineBox_;
    std::optional<SheetPlacement> sheet_;
    std::optional<ArcsOnSheet> arcs_; // on the sheet
    EdgeOutline outline_;
    std::optional<SectionMap> sections_;
    std::optional<NetNumbers> netNumbers_;
    ClampNotes clamps_;
    std::vector<std::string> uninferred_; // designators of the footprints at their own rotation
    ItemIds ids_;
    Section pass_ = Section::Footprints;
    bool wrote_ = false; // whether this pass wrote anything yet
    std::string footprint_;
    ContentHash footprintHash_;       // of the footprint being made, up to footprintHashed_
    std::size_t footprintHashed_ = 0; // bytes of footprint_ fed to footprintHash_
};

} // namespace corvane::cli::kicad
