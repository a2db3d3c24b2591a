#pragma once
// Every kind of entry of the import report, named once, each either a possible loss or a note:
// the plug-in's report and a host's own entries take their names and their weight from here.
// A possible loss means the board may lack or misplace something the file held, so the import is
// never called complete with one; a note says how something was read and loses nothing.
// docs/import-report.md has the same table, with the reason for each weight.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane {

// In the order the report counts them.
enum class ReportKind : std::uint8_t {
    SkippedLine,              // a line no reader took
    UnreadRecord,             // a record the format defines that the importer does not read (PG)
    MalformedNumber,          // a numeric token that is not a number in range; 0 used
    NumberFromNextLine,       // a data line ran short and a number came from a later line
    LineCut,                  // a line longer than its field: the rest was dropped
    NumberCut,                // a token longer than the limit: the rest was read as the next one
    ControlInNumbers,         // a CR without LF or a control byte read as a blank between numbers
    LayerOutOfRange,          // a file layer outside 1..13: the object went to "NoLayer"
    ValueClamped,             // a coordinate beyond the host's range, clamped
    NodeNotFound,             // a net node naming no pad on the board
    MissingEndComp,           // a component without "ENDCOMP"
    ComponentLineInComponent, // a "COMP" line inside a component before an "ENDCOMP"
    RecordInComponent,        // a top-level record inside a component that has its "ENDCOMP"
    NetCutByEndOfFile,        // a net definition that ends after its name
    RecordCutByEndOfFile,     // the file ends inside a record
    NoHostObject,             // the host made no board, component, net, primitive or text
    WalkCapped,               // a walk of a host container stopped at its cap
    MissingEndOfBoard,        // the file ends without "ENDPCB": it may have been cut short
    BytesAfterEndMark,        // bytes after the Ctrl-Z that ends the file, never read
    LoneCarriageReturn,       // a CR without LF in a line read whole: lines ran together
    Aborted,                  // the user stopped the import
    ImportFailed,             // the import stopped inside the plug-in, or it could not start
    CarriageReturnLineEnds,   // a host's note: lines end with CR alone, read as line ends
};

enum class ReportWeight : std::uint8_t {
    Note,         // how something was read; nothing is lost
    PossibleLoss, // the board may lack or misplace something the file held
};

struct ReportKindInfo {
    std::string_view Name; // stable, as used in the text and JSON forms
    ReportWeight Weight;
};

inline constexpr std::array<ReportKindInfo, 23> ReportKinds = {{
    {"skipped-line", ReportWeight::PossibleLoss},
    {"unread-record", ReportWeight::Note},
    {"malformed-number", ReportWeight::PossibleLoss},
    {"number-from-next-line", ReportWeight::PossibleLoss},
    {"line-cut", ReportWeight::PossibleLoss},
    {"number-cut", ReportWeight::PossibleLoss},
    {"control-in-numbers", ReportWeight::PossibleLoss},
    {"layer-out-of-range", ReportWeight::PossibleLoss},
    {"value-clamped", ReportWeight::PossibleLoss},
    {"node-not-found", ReportWeight::PossibleLoss},
    {"missing-endcomp", ReportWeight::PossibleLoss},
    {"comp-line-in-component", ReportWeight::PossibleLoss},
    {"record-in-component", ReportWeight::PossibleLoss},
    {"net-cut-by-end-of-file", ReportWeight::PossibleLoss},
    {"record-cut-by-end-of-file", ReportWeight::PossibleLoss},
    {"no-host-object", ReportWeight::PossibleLoss},
    {"walk-capped", ReportWeight::PossibleLoss},
    {"missing-endpcb", ReportWeight::PossibleLoss},
    {"bytes-after-end-mark", ReportWeight::PossibleLoss},
    {"cr-without-lf", ReportWeight::PossibleLoss},
    {"aborted", ReportWeight::PossibleLoss},
    {"import-failed", ReportWeight::PossibleLoss},
    {"cr-line-ends", ReportWeight::Note},
}};
static_assert(ReportKinds.size() ==
                  static_cast<std::size_t>(ReportKind::CarriageReturnLineEnds) + 1,
              "every kind has its line in ReportKinds");

constexpr const ReportKindInfo& InfoOf(ReportKind kind) {
    return ReportKinds[static_cast<std::size_t>(kind)];
}

/// The stable name of a kind, as used in the text and JSON forms.
constexpr std::string_view ReportKindName(ReportKind kind) {
    return InfoOf(kind).Name;
}

/// True when an entry of the kind means the board may lack or misplace something the file held.
constexpr bool MayLoseData(ReportKind kind) {
    return InfoOf(kind).Weight == ReportWeight::PossibleLoss;
}

} // namespace corvane
