#include "svgwriter/SvgDocument.h"

#include "svgwriter/SvgWriter.h"

#include <memory>

namespace corvane::cli {
namespace {

// The picture's title names the file, and says when the import was aborted.
std::unique_ptr<BoardVisitor> MakeSvg(OutputStream& out, const DocumentContext& context) {
    const DocumentHeader& header = context.Header;
    return std::make_unique<SvgDocumentWriter>(
        out, header.Imported ? header.File
                             : header.File + " (" + std::string(PartialDocumentNote) + ")");
}

} // namespace

DocumentKind SvgDocumentKind() {
    return {"--svg", "write a picture of the board as SVG", "svg", true, false, false, false, {},
            MakeSvg};
}

} // namespace corvane::cli
