#pragma once
// What a document of corvane-import is: an output made by a visitor of the one walk over the board
// read back (BoardVisitor.h), with the option that asks for it, its lines of --help, the options
// of its own writer's settings, and the lines it adds to the summary. Each writer's folder
// describes its document (kicadwriter/KicadDocument.h, ...); the program lists them in one table
// (corvane-import/Documents.cpp) and knows nothing else of any writer: --help, the command line,
// the walk, the summary, the tests and the fuzz target go through the table.

#include "boardmodel/BoardStore.h"
#include "boardmodel/BoardVisitor.h"
#include "safeoutput/OutputStream.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::cli {

/// The values of the documents' own options by option ("--edge-layer": "Mechanical1"; an option
/// without a value is there with ""). An option not given is absent.
class DocumentSettings {
public:
    void Set(std::string_view option, std::string value);
    bool Has(std::string_view option) const;
    /// The option's value, or fallback when it was not given.
    std::string ValueOr(std::string_view option, std::string_view fallback) const;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

/// An option of a document's writer.
struct DocumentOption {
    std::string_view Name;      // "--edge-layer"
    std::string_view ValueName; // "LAYER"; empty for an option that takes no value
    std::string Help;           // its --help text, lines without their indent
    /// The value as the writer takes it (a layer name in its own case); null: as given.
    std::string (*Normalise)(const std::string& given) = nullptr;
    /// Why the value is refused, or empty; null: every value is taken. Checked for the value
    /// given, and for the default when the option is not.
    std::string (*Problem)(const std::string& value) = nullptr;
};

/// What the documents found that the summary tells, besides the board's counts.
class DocumentNotes {
public:
    /// A kind of possible loss of an output ("kicad-beyond-reach"), named as the report names its.
    void AddLoss(std::string kind);
    /// A line after the board's nets.
    void AddBoardLine(std::string line);
    /// A line after the import's time, by what it tells: a later document's line of the same key
    /// takes the earlier one's place (the placement's parts without an inferred rotation replace
    /// the KiCad board's), and an empty line removes it.
    void SetClosingLine(std::string_view key, std::string line);

    /// The losses joined by ", ", as the summary's Import line shows them.
    std::string Losses() const;
    /// The lines, each ending with a line end, in the order they were first given.
    std::string BoardLines() const;
    std::string ClosingLines() const;

private:
    std::vector<std::string> losses_, boardLines_;
    std::vector<std::pair<std::string, std::string>> closingLines_; // key, line
};

/// What a document may tell of the import besides the board (the page shows it).
struct ImportFacts {
    /// The summary's words for how far the import went: "complete", or why not.
    std::string Outcome;
    /// The report's kinds that may stand for lost data; empty when nothing may have been lost.
    std::string Losses;
    /// The import report in its JSON form; empty when there is none.
    std::string ReportJson;
};

/// Where a document made at the walk's end shows its own writing (the program's progress bar).
class DocumentProgress {
public:
    virtual ~DocumentProgress() = default;
    virtual void Init(const std::string& caption, std::int32_t steps) = 0;
    virtual void Step(std::int32_t steps) = 0;
};

/// What a document's writer is given besides its stream.
struct DocumentContext {
    const DocumentHeader& Header;
    const DocumentSettings& Settings;
    /// The whole board, complete when the walk ends (for the kinds that need it).
    const BoardStore& Board;
    /// Filled for the kinds that need it.
    const ImportFacts& Facts;
    DocumentNotes& Notes;
    DocumentProgress& Progress;
    std::string Name; // the document as the progress bar names it
};

using DocumentWriterMaker = std::unique_ptr<BoardVisitor> (*)(OutputStream& out,
                                                              const DocumentContext& context);

struct DocumentKind {
    std::string_view Option;    // "--json"
    std::string Help;           // its --help text, lines without their indent
    std::string_view Extension; // in an --out-dir folder the document is {name}.Extension
    bool WrittenByDefault;      // written into an --out-dir folder when no document is named
    bool NeedsBoard;            // made from the whole board, which the walk then keeps in a store
    bool NamesLines;            // names objects by their file lines, which the walk then reads
    bool NeedsImportFacts;      // tells of the import (ImportFacts)
    std::vector<DocumentOption> Options; // its writer's settings, after it in --help
    DocumentWriterMaker Make;
};

} // namespace corvane::cli
