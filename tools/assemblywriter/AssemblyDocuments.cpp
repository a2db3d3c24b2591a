#include "assemblywriter/AssemblyDocuments.h"

#include "assemblywriter/AssemblyFiles.h"
#include "placement/UninferredParts.h"

#include <memory>
#include <utility>

namespace corvane::cli {
namespace {

// A file made from the whole board when the walk has ended.
template <std::string (*Make)(const BoardStore&, DocumentNotes&)>
class WholeBoardFile final : public BoardVisitor {
public:
    WholeBoardFile(OutputStream& out, const DocumentContext& context)
        : out_(out), board_(context.Board), notes_(context.Notes) {}
    bool NeedsNetPads() const override { return false; }
    void OnBoardEnd() override { out_.Write(Make(board_, notes_)); }

private:
    OutputStream& out_;
    const BoardStore& board_;
    DocumentNotes& notes_;
};

template <std::string (*Make)(const BoardStore&, DocumentNotes&)>
std::unique_ptr<BoardVisitor> MakeFile(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<WholeBoardFile<Make>>(out, context);
}

std::string Bom(const BoardStore& board, DocumentNotes&) {
    return BoardToBom(board);
}

std::string Positions(const BoardStore& board, DocumentNotes& notes) {
    PlacementFile file = BoardToPlacementFile(board);
    notes.SetClosingLine(UninferredPartsKey,
                         UninferredPartsLine(std::move(file.WithoutInferredRotation)));
    return std::move(file.Text);
}

} // namespace

DocumentKind BomDocumentKind() {
    return {"--bom",      "write the bill of materials as CSV",
            "bom.csv",    false,
            true,         false,
            false,        {},
            MakeFile<Bom>};
}

DocumentKind PositionsDocumentKind() {
    return {"--positions",
            "write the placement of the components as CSV",
            "pos.csv",
            false,
            true,
            false,
            false,
            {},
            MakeFile<Positions>};
}

} // namespace corvane::cli
