#pragma once
// Everything an import passed over or changed, with the line it happened on. Identical entries
// are grouped: one group per kind and detail, with a count and the first few line numbers.

#include "importer/ReadingObserver.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The kinds of entries, in the order the report counts them. ReportKinds below gives each its name
// and says whether it may stand for lost data.
enum class ReportKind : std::uint8_t {
    SkippedLine,          // a line no reader took
    MalformedNumber,      // a numeric token that is not a number in range; 0 used
    NumberFromNextLine,   // a data line ran short and a number came from a later line
    LineCut,              // a line longer than its field: the rest was dropped
    NumberCut,            // a token longer than the limit: the rest was read as the next one
    LayerOutOfRange,      // a file layer outside 1..13: the object went to "NoLayer"
    ValueClamped,         // a coordinate beyond the host's range, clamped
    NodeNotFound,         // a net node naming no pad on the board
    MissingEndComp,       // a component without "ENDCOMP"
    RecordInComponent,    // a top-level record inside a component that has its "ENDCOMP"
    NetCutByEndOfFile,    // a net definition that ends after its name
    RecordCutByEndOfFile, // the file ends inside a record
    NoHostObject,         // the host made no board, component, net or primitive for a record
    WalkCapped,           // a walk of a host container stopped at its cap
    MissingEndOfBoard,    // the file ends without "ENDPCB": it may have been cut short
    BytesAfterEndMark,    // bytes after the Ctrl-Z that ends the file, never read
    LoneCarriageReturn,   // a CR without LF, which is no line end: lines ran together
    Aborted,              // the user stopped the import
    ImportFailed,         // the import stopped inside the plug-in (out of memory, ...)
};

struct ReportKindInfo {
    std::string_view Name; // stable, as used in the text and JSON forms
    /// True when an entry of the kind means the board may lack something the file held (as
    /// opposed to something read in another way than written).
    bool MayLoseData;
};

inline constexpr std::array<ReportKindInfo, 19> ReportKinds = {{
    {"skipped-line", false},
    {"malformed-number", false},
    {"number-from-next-line", false},
    {"line-cut", true},
    {"number-cut", true},
    {"layer-out-of-range", false},
    {"value-clamped", false},
    {"node-not-found", false},
    {"missing-endcomp", true},
    {"record-in-component", true},
    {"net-cut-by-end-of-file", true},
    {"record-cut-by-end-of-file", true},
    {"no-host-object", true},
    {"walk-capped", true},
    {"missing-endpcb", true},
    {"bytes-after-end-mark", true},
    {"cr-without-lf", true},
    {"aborted", true},
    {"import-failed", true},
}};
static_assert(ReportKinds.size() == static_cast<std::size_t>(ReportKind::ImportFailed) + 1,
              "every kind has its line in ReportKinds");

constexpr const ReportKindInfo& InfoOf(ReportKind kind) {
    return ReportKinds[static_cast<std::size_t>(kind)];
}

/// The stable name of a kind, as used in the text and JSON forms.
constexpr std::string_view ReportKindName(ReportKind kind) {
    return InfoOf(kind).Name;
}

struct ReportGroup {
    ReportKind Kind;
    std::string Detail;
    std::uint64_t Count = 0;
    std::vector<std::uint64_t> FirstLines; // at most MaxLinesPerGroup, in file order
};

class ImportReport final : public ReadingObserver {
public:
    static constexpr std::size_t MaxLinesPerGroup = 5;
    static constexpr std::size_t MaxGroups = 10000;

    void Add(ReportKind kind, std::uint64_t line, std::string_view detail);
    void Clear();

    /// Groups in the order their first entry was added.
    const std::vector<ReportGroup>& Groups() const { return groups_; }
    std::uint64_t EntryCount() const { return entries_; }
    std::uint64_t CountOf(ReportKind kind) const;

    void MalformedNumber(std::uint64_t line, std::string_view token, double valueUsed) override;
    void LineCut(std::uint64_t line, std::size_t limit, std::uint64_t droppedCharacters) override;
    void NumberCut(std::uint64_t line, std::size_t limit) override;
    void NumberFromNextLine(std::uint64_t dataLine, std::uint64_t numberLine) override;
    void LoneCarriageReturn(std::uint64_t line) override;

private:
    std::vector<ReportGroup> groups_;
    std::map<std::pair<ReportKind, std::string>, std::size_t, std::less<>> index_;
    std::uint64_t entries_ = 0;
};

} // namespace corvane
