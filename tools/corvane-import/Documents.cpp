#include "corvane-import/Documents.h"

#include "assemblywriter/AssemblyFiles.h"
#include "htmlwriter/HtmlPageWriter.h"
#include "jsonwriter/JsonWriter.h"
#include "svgwriter/LayerStyle.h"
#include "svgwriter/SvgWriter.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace corvane::cli {
namespace {

// A document made from the whole board when the walk has ended.
template <std::string (*Make)(const Board&, const DocumentSettings&, DocumentNotes&)>
class SnapshotDocument final : public BoardVisitor {
public:
    SnapshotDocument(OutputStream& out, const DocumentContext& context)
        : out_(out), board_(context.Snapshot), settings_(context.Settings), notes_(context.Notes) {}
    void OnBoardEnd() override { out_.Write(Make(board_.Collected(), settings_, notes_)); }

private:
    OutputStream& out_;
    const BoardCollector& board_;
    const DocumentSettings& settings_;
    DocumentNotes& notes_;
};

template <std::string (*Make)(const Board&, const DocumentSettings&, DocumentNotes&)>
std::unique_ptr<BoardVisitor> FromSnapshot(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<SnapshotDocument<Make>>(out, context);
}

std::unique_ptr<BoardVisitor> Json(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<JsonDocumentWriter>(out, context.Header);
}

std::unique_ptr<BoardVisitor> Svg(OutputStream& out, const DocumentContext& context) {
    const DocumentHeader& header = context.Header;
    return std::make_unique<SvgDocumentWriter>(
        out, header.Imported ? header.File
                             : header.File + " (" + std::string(PartialDocumentNote) + ")");
}

// The interactive page: the page writer around the board's JSON, which the JSON writer streams
// into the page's data element; the layers drawn in the picture's colours.
class HtmlDocument final : public BoardVisitor {
public:
    HtmlDocument(OutputStream& out, const DocumentContext& context)
        : page_(out, context.Header.File, PictureLooks(), context.Settings.Page),
          json_(page_.DataStream(), context.Header) {
        visitors_.Add(json_);
        visitors_.Add(page_); // after the JSON, which must end before the page does
    }

    void OnPlanes(const std::vector<Plane>& planes) override { visitors_.OnPlanes(planes); }
    void OnTrack(const Track& track) override { visitors_.OnTrack(track); }
    void OnVia(const Via& via) override { visitors_.OnVia(via); }
    void OnPad(const Pad& pad) override { visitors_.OnPad(pad); }
    void OnArc(const Arc& arc) override { visitors_.OnArc(arc); }
    void OnFill(const Fill& fill) override { visitors_.OnFill(fill); }
    void OnText(const Text& text) override { visitors_.OnText(text); }
    void OnComponentBegin(const Component& component) override {
        visitors_.OnComponentBegin(component);
    }
    void OnComponentEnd() override { visitors_.OnComponentEnd(); }
    void OnNet(const Net& net) override { visitors_.OnNet(net); }
    bool NeedsNetPads() const override { return visitors_.NeedsNetPads(); }
    void OnBoardEnd() override { visitors_.OnBoardEnd(); }

private:
    static HtmlPageSettings PictureLooks() {
        HtmlPageSettings settings;
        settings.LayerLook = [](const std::string& layer) {
            const LayerStyle style = StyleOfLayer(layer);
            return PageLayerLook{style.Colour, style.Order};
        };
        settings.ViaColour = ViaColour;
        settings.BackgroundColour = BackgroundColour;
        return settings;
    }

    HtmlPageWriter page_;
    JsonDocumentWriter json_;
    VisitorFanOut visitors_;
};

std::unique_ptr<BoardVisitor> Html(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<HtmlDocument>(out, context);
}

// The KiCad board, made from the board kept in its own compact store when the walk ends, and
// streamed to its output as it is made, with its own phase on the progress bar.
class KicadDocument final : public BoardVisitor {
public:
    KicadDocument(OutputStream& out, const DocumentContext& context)
        : out_(out), board_(context.Header), settings_(context.Settings), notes_(context.Notes),
          bar_(context.Bar), name_(context.Name) {}

    void OnPlanes(const std::vector<Plane>& planes) override { board_.OnPlanes(planes); }
    void OnTrack(const Track& track) override { board_.OnTrack(track); }
    void OnVia(const Via& via) override { board_.OnVia(via); }
    void OnPad(const Pad& pad) override { board_.OnPad(pad); }
    void OnArc(const Arc& arc) override { board_.OnArc(arc); }
    void OnFill(const Fill& fill) override { board_.OnFill(fill); }
    void OnText(const Text& text) override { board_.OnText(text); }
    void OnComponentBegin(const Component& component) override {
        board_.OnComponentBegin(component);
    }
    void OnComponentEnd() override { board_.OnComponentEnd(); }
    void OnNet(const Net& net) override { board_.OnNet(net); }
    // KiCad takes a net's pads from the pads themselves.
    bool NeedsNetPads() const override { return false; }

    void OnBoardEnd() override {
        bar_.Init("Writing " + name_,
                  std::int32_t(std::min<std::size_t>(KicadBoardSteps(board_), INT32_MAX)));
        notes_.Kicad = WriteKicadBoard(
            board_, settings_.Kicad, [this](std::string_view text) { out_.Write(text); },
            [this](std::size_t steps) { bar_.Step(std::int32_t(steps)); });
        notes_.UninferredParts = notes_.Kicad->UninferredParts;
    }

private:
    OutputStream& out_;
    BoardStore board_;
    const DocumentSettings& settings_;
    DocumentNotes& notes_;
    ProgressBar& bar_;
    std::string name_;
};

std::unique_ptr<BoardVisitor> Kicad(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<KicadDocument>(out, context);
}

std::string Bom(const Board& board, const DocumentSettings&, DocumentNotes&) {
    return BoardToBom(board);
}

std::string Positions(const Board& board, const DocumentSettings&, DocumentNotes& notes) {
    notes.UninferredParts = PartsWithoutInferredRotation(board);
    return BoardToPositions(board);
}

} // namespace

const std::vector<DocumentKind>& DocumentKinds() {
    static const std::vector<DocumentKind> kinds = {
        {"--json", "json", true, false, false, Json},
        {"--svg", "svg", true, false, false, Svg},
        {"--html", "html", false, false, false, Html},
        {"--kicad", "kicad_pcb", false, false, true, Kicad},
        {"--bom", "bom.csv", false, true, false, FromSnapshot<Bom>},
        {"--positions", "pos.csv", false, true, false, FromSnapshot<Positions>},
    };
    return kinds;
}

const DocumentKind* FindDocumentKind(std::string_view option) {
    for (const DocumentKind& kind : DocumentKinds()) {
        if (kind.Option == option) {
            return &kind;
        }
    }
    return nullptr;
}

} // namespace corvane::cli
