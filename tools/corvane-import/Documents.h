#pragma once
// The documents corvane-import writes of an imported board, one line of DocumentKinds each: the
// option that asks for it, the extension it gets in an --out-dir folder, and how it is written.
// A document is written by a visitor of the one walk over the server's board (BoardVisitor.h):
// streamed as the objects come (JSON, SVG), or made from the whole board, read back once for all
// such documents, at the walk's end (KiCad, BOM, placement). SafeOutputs gives each its stream.

#include "boardmodel/BoardSnapshot.h"
#include "boardmodel/BoardStore.h"
#include "boardmodel/BoardVisitor.h"
#include "corvane-import/ProgressBar.h"
#include "htmlwriter/HtmlPageWriter.h"
#include "kicadwriter/KicadBoardWriter.h"
#include "safeoutput/OutputStream.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

/// The settings of the writers that take any, each its own.
struct DocumentSettings {
    KicadBoardSettings Kicad;
    /// What the page tells of the import (the summary's words, the report); filled when a page
    /// is written.
    PageImportFacts Page;
};

/// What the documents found that the summary tells.
struct DocumentNotes {
    /// What writing the KiCad board found (derived nets, a made-up edge, objects clamped or far);
    /// set when a KiCad board was written.
    std::optional<KicadBoardOutcome> Kicad;
    /// The components whose rotation the pads do not give; set when a KiCad board or a placement
    /// was written.
    std::optional<std::vector<std::string>> UninferredParts;
};

/// What a document's writer is given besides its stream.
struct DocumentContext {
    const DocumentHeader& Header;
    const DocumentSettings& Settings;
    /// The whole board, complete when the walk ends (for the documents that need it).
    const BoardCollector& Snapshot;
    DocumentNotes& Notes;
    /// Where a document made at the walk's end shows its own writing, under its name.
    ProgressBar& Bar;
    std::string Name;
};

using DocumentWriterMaker = std::unique_ptr<BoardVisitor> (*)(OutputStream& out,
                                                              const DocumentContext& context);

struct DocumentKind {
    std::string_view Option;    // "--json"
    std::string_view Extension; // in an --out-dir folder the document is {name}.Extension
    bool WrittenByDefault;      // written into an --out-dir folder when no document is named
    bool NeedsSnapshot;         // made from the whole board (which is then read back into memory);
                                // the KiCad board keeps its own, compactly
    bool NamesLines;            // names objects by their file lines, which the walk then reads
    DocumentWriterMaker Make;
};

/// Every document, in the order of --help.
const std::vector<DocumentKind>& DocumentKinds();

/// The document of that option, or nullptr.
const DocumentKind* FindDocumentKind(std::string_view option);

} // namespace corvane::cli
