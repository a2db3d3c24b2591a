#include "corvane-import/Documents.h"

#include "assemblywriter/AssemblyFiles.h"
#include "jsonwriter/JsonWriter.h"
#include "svgwriter/SvgWriter.h"

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
    return std::make_unique<SvgDocumentWriter>(out, context.Header.File);
}

std::string Kicad(const Board& board, const DocumentSettings& settings, DocumentNotes& notes) {
    KicadBoard kicad = BoardToKicad(board, settings.Kicad);
    notes.DerivedNets = kicad.DerivedNets;
    return std::move(kicad.Text);
}

std::string Bom(const Board& board, const DocumentSettings&, DocumentNotes&) {
    return BoardToBom(board);
}

std::string Positions(const Board& board, const DocumentSettings&, DocumentNotes&) {
    return BoardToPositions(board);
}

} // namespace

const std::vector<DocumentKind>& DocumentKinds() {
    static const std::vector<DocumentKind> kinds = {
        {"--json", "json", true, false, Json},
        {"--svg", "svg", true, false, Svg},
        {"--kicad", "kicad_pcb", false, true, FromSnapshot<Kicad>},
        {"--bom", "bom.csv", false, true, FromSnapshot<Bom>},
        {"--positions", "pos.csv", false, true, FromSnapshot<Positions>},
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
