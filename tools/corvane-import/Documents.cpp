#include "corvane-import/Documents.h"

#include "assemblywriter/AssemblyFiles.h"
#include "jsonwriter/JsonWriter.h"
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
    return std::make_unique<SvgDocumentWriter>(out, context.Header.File);
}

// The KiCad board, streamed to its output as it is made, with its own phase on the progress bar.
class KicadDocument final : public BoardVisitor {
public:
    KicadDocument(OutputStream& out, const DocumentContext& context)
        : out_(out), board_(context.Snapshot), settings_(context.Settings), notes_(context.Notes),
          bar_(context.Bar), name_(context.Name) {}

    void OnBoardEnd() override {
        const Board& board = board_.Collected();
        bar_.Init("Writing " + name_,
                  std::int32_t(std::min<std::size_t>(KicadBoardSteps(board), INT32_MAX)));
        notes_.DerivedNets = WriteKicadBoard(
            board, settings_.Kicad, [this](std::string_view text) { out_.Write(text); },
            [this](std::size_t steps) { bar_.Step(std::int32_t(steps)); });
    }

private:
    OutputStream& out_;
    const BoardCollector& board_;
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

std::string Positions(const Board& board, const DocumentSettings&, DocumentNotes&) {
    return BoardToPositions(board);
}

} // namespace

const std::vector<DocumentKind>& DocumentKinds() {
    static const std::vector<DocumentKind> kinds = {
        {"--json", "json", true, false, Json},
        {"--svg", "svg", true, false, Svg},
        {"--kicad", "kicad_pcb", false, true, Kicad},
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
