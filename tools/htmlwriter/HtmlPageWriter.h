#pragma once
// The board as one self-contained interactive page (docs/board-page.md): the page's template,
// styles and script, put into the program at build time, and the board's data inline, so that the
// page opens from disk in a browser and fetches nothing.
//
// The data is the board JSON exactly as the JSON writer writes it: the page writer gives that
// writer a stream (DataStream) whose bytes go into a script element of the page, every '<' written
// as "\u003c" (JSON holds '<' only inside strings, where the escape reads back the same), so that
// no text of the board can end the element. Beside it go the facts the JSON lacks: how the import
// went and its report, how each layer is drawn, and the nets of the copper when they are known.

#include "boardmodel/BoardVisitor.h"
#include "safeoutput/OutputStream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane::cli {

/// How a layer is drawn: its colour ("#rrggbb") and its place in the drawing order (lower first).
struct PageLayerLook {
    std::string Colour;
    int Order = 0;
};

/// The net of every object that can carry one, as the KiCad board gives them: the file's nets and
/// those derived from how the copper connects. Ids holds a number per copper object (0: no net,
/// i: Nets[i - 1]): the free objects first, then each component's, each container's objects by
/// kind in the order tracks, arcs, vias, pads, fills, and in the board's order within a kind.
struct PageCopperNets {
    struct Entry {
        std::string Name;
        bool Derived = false; // derived from the copper, not a net of the file
    };
    std::vector<Entry> Nets;
    std::vector<std::uint32_t> Ids;
};

/// A box on the board, in mils, y up.
struct PageBox {
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
};

/// What the page tells of the import besides the board.
struct PageImportFacts {
    /// The summary's words for how far the import went: "complete", or why not.
    std::string Outcome;
    /// The report's kinds that may stand for lost data ("missing-endpcb, line-cut"); empty when
    /// nothing may have been lost.
    std::string Losses;
    /// The import report in its JSON form (docs/import-report.md); empty when there is none.
    std::string ReportJson;
};

/// The page writer's own settings.
struct HtmlPageSettings {
    /// How each layer is drawn, by its name (the picture's colours, from the program).
    std::function<PageLayerLook(const std::string& layer)> LayerLook;
    std::string ViaColour = "#00c8a0";
    std::string BackgroundColour = "#10121a";
};

/// Writes the page around the board's JSON: the head when made, the rest at the board's end. It
/// sees the walk too, for the layers the board uses.
class HtmlPageWriter final : public BoardVisitor {
public:
    HtmlPageWriter(OutputStream& out, const std::string& fileName, HtmlPageSettings settings,
                   PageImportFacts facts);
    ~HtmlPageWriter() override;

    /// Where the board's JSON goes: into the page's data element, escaped for it.
    OutputStream& DataStream();
    /// The nets of the copper, when known; read at the board's end.
    void SetCopperNets(std::function<const PageCopperNets*()> copperNets);
    /// The box the view is fitted to when some object lies far outside the rest of the board (a
    /// damaged value): the board's bulk, so that one far object does not shrink the board to a
    /// dot. Nothing when every object is near: the page fits everything. Read at the board's end.
    void SetFitBox(std::function<std::optional<PageBox>()> fitBox);

    void OnTrack(const Track& track, Owner) override { Use(track.Layer); }
    void OnPad(const Pad& pad, Owner) override { Use(pad.Layer); }
    void OnArc(const Arc& arc, Owner) override { Use(arc.Layer); }
    void OnFill(const Fill& fill, Owner) override { Use(fill.Layer); }
    void OnText(const Text& text, Owner) override { Use(text.Layer); }
    void OnComponentBegin(const Component& component) override;
    bool NeedsNetPads() const override { return false; }
    /// Closes the data element (the JSON writer must have ended before) and writes the rest.
    void OnBoardEnd() override;

    class ScriptDataStream;

private:
    void Use(const std::string& layer);
    std::string FactsJson() const;

    OutputStream& out_;
    const HtmlPageSettings settings_;
    const PageImportFacts facts_;
    std::unique_ptr<ScriptDataStream> data_;
    std::function<const PageCopperNets*()> copperNets_;
    std::function<std::optional<PageBox>()> fitBox_;
    std::set<std::string> layers_;
    const std::string* lastLayer_ = nullptr;
};

/// The text with every '<' written as "\u003c": JSON that a script element can hold.
std::string ScriptSafeJson(std::string_view json);

} // namespace corvane::cli
