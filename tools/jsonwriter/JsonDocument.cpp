#include "jsonwriter/JsonDocument.h"

#include "jsonwriter/JsonWriter.h"

#include <memory>

namespace corvane::cli {
namespace {

std::unique_ptr<BoardVisitor> MakeJson(OutputStream& out, const DocumentContext&) {
    return std::make_unique<JsonDocumentWriter>(out);
}

} // namespace

DocumentKind JsonDocumentKind() {
    return {"--json", "write the board as JSON", "json", true, false, false, false, {}, MakeJson};
}

} // namespace corvane::cli
