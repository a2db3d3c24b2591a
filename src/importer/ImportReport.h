#pragma once
// Everything an import passed over or changed, with the line it happened on. Identical entries
// are grouped: one group per kind and detail, with a count and the first few line numbers.

#include "importer/ReadingObserver.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class ReportKind : std::uint8_t {
    SkippedLine,          // a line no reader took
    MalformedNumber,      // a numeric token that is not a number in range; 0 used
    NumberFromNextLine,   // a data line ran short and a number came from a later line
    LineCut,              // a line longer than its field: the rest was dropped
    LayerOutOfRange,      // a file layer outside 1..13: the object went to "NoLayer"
    ValueClamped,         // a coordinate beyond the host's range, clamped
    NodeNotFound,         // a net node naming no pad on the board
    MissingEndComp,       // a component without "ENDCOMP"
    NetCutByEndOfFile,    // a net definition that ends after its name
    RecordCutByEndOfFile, // the file ends inside a record
    NoHostObject,         // the host made no board, component, net or primitive for a record
    WalkCapped,           // a walk of a host container stopped at its cap
    Aborted,              // the user stopped the import
};

/// The stable name of a kind, as used in the text and JSON forms.
std::string_view ReportKindName(ReportKind kind);

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
    void NumberFromNextLine(std::uint64_t dataLine, std::uint64_t numberLine) override;

private:
    std::vector<ReportGroup> groups_;
    std::map<std::pair<ReportKind, std::string>, std::size_t, std::less<>> index_;
    std::uint64_t entries_ = 0;
};

} // namespace corvane
