#include "corvane-import/Documents.h"

#include "assemblywriter/AssemblyDocuments.h"
#include "htmlwriter/HtmlPageWriter.h"
#include "jsonwriter/JsonDocument.h"
#include "jsonwriter/JsonWriter.h"
#include "kicadwriter/BoardOutline.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/KicadDocument.h"
#include "svgwriter/LayerStyle.h"
#include "svgwriter/SvgDocument.h"
#include "textformat/Units.h"

#include <memory>
#include <optional>
#include <utility>

namespace corvane::cli {
namespace {

// The nets of the copper as the KiCad board gives them, in the page's form: the same numbers, and
// which nets were derived (interned after every name of the board's).
PageCopperNets PageNetsOf(const BoardStore& board, const KicadBoardSettings& settings) {
    const kicad::LayerMap layers = kicad::LayerMap::ForBoard(board);
    kicad::CopperNets nets = kicad::WithCopperNets(board, layers, settings.DeriveNets);
    PageCopperNets page;
    const std::size_t count = nets.Count();
    for (std::uint32_t id = 1; id <= count; ++id) {
        page.Nets.push_back({std::string(nets.Name(id)), id > count - nets.Derived});
    }
    page.Ids = std::move(nets.Ids);
    return page;
}

// The bulk of the board in mils, when some object lies far outside it: the page fits its view
// there, as the KiCad board fits its sheet.
std::optional<PageBox> PageFitOf(const BoardStore& board) {
    const kicad::BoardExtent extent = kicad::FindBoardExtent(board);
    if (extent.Far.empty() || extent.Bulk.Empty()) {
        return std::nullopt;
    }
    const auto mils = [](std::int64_t v) { return double(v) / double(units::HostUnitsPerMil); };
    return PageBox{mils(extent.Bulk.MinX()), mils(extent.Bulk.MinY()), mils(extent.Bulk.MaxX()),
                   mils(extent.Bulk.MaxY())};
}

// The interactive page: the page writer around the board's JSON, which the JSON writer streams
// into the page's data element; the layers drawn in the picture's colours, and the nets of the
// copper as the KiCad board has them.
class HtmlDocument final : public BoardVisitor {
public:
    HtmlDocument(OutputStream& out, const DocumentContext& context)
        : page_(out, context.Header.File, PictureLooks(),
                {context.Facts.Outcome, context.Facts.Losses, context.Facts.ReportJson}),
          json_(page_.DataStream()) {
        visitors_.Add(json_);
        visitors_.Add(page_); // after the JSON, which must end before the page does
        page_.SetCopperNets(
            [this, &board = context.Board, settings = KicadSettingsOf(context.Settings)]() {
                copper_.emplace(PageNetsOf(board, settings));
                return &*copper_;
            });
        page_.SetFitBox([&board = context.Board]() { return PageFitOf(board); });
    }

    void OnBoardBegin(const DocumentHeader& header) override { visitors_.OnBoardBegin(header); }
    void OnPlanes(const std::vector<Plane>& planes) override { visitors_.OnPlanes(planes); }
    void OnTrack(const Track& track, Owner owner) override { visitors_.OnTrack(track, owner); }
    void OnVia(const Via& via, Owner owner) override { visitors_.OnVia(via, owner); }
    void OnPad(const Pad& pad, Owner owner) override { visitors_.OnPad(pad, owner); }
    void OnArc(const Arc& arc, Owner owner) override { visitors_.OnArc(arc, owner); }
    void OnFill(const Fill& fill, Owner owner) override { visitors_.OnFill(fill, owner); }
    void OnText(const Text& text, Owner owner) override { visitors_.OnText(text, owner); }
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
    std::optional<PageCopperNets> copper_;
};

std::unique_ptr<BoardVisitor> MakeHtml(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<HtmlDocument>(out, context);
}

DocumentKind HtmlDocumentKind() {
    return {"--html",
            "write the board as one interactive page (HTML: parts, nets,\n"
            "layers, both sides, the import report; opens from disk in a\n"
            "browser)",
            "html",
            false,
            true,
            false,
            true,
            {},
            MakeHtml};
}

} // namespace

const std::vector<DocumentKind>& DocumentKinds() {
    static const std::vector<DocumentKind> kinds = {
        JsonDocumentKind(),  SvgDocumentKind(), HtmlDocumentKind(),
        KicadDocumentKind(), BomDocumentKind(), PositionsDocumentKind(),
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
