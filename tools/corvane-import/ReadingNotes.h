#pragma once
// The program's own notes on how it read a file, beside the plug-in's import report: what it did
// to the file before the plug-in read it. A note loses nothing. Its kind is one of the report's
// kinds (contract/ReportKinds.h), where every kind is named once.

#include "contract/ReportKinds.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

enum class ReadingNote {
    CarriageReturnLineEnds, // the lines end with CR alone: CR was read as the line end
};

struct ReadingNoteKind {
    ReportKind Kind;
    std::string_view Detail; // what it means, for people
    std::string_view Name() const { return ReportKindName(Kind); }
};

inline constexpr std::array<ReadingNoteKind, 1> ReadingNoteKinds = {{
    {ReportKind::CarriageReturnLineEnds,
     "the lines end with CR alone, as old Macintosh programs wrote them; CR was read as the line "
     "end"},
}};
static_assert(!MayLoseData(ReportKind::CarriageReturnLineEnds), "a reading note loses nothing");

constexpr const ReadingNoteKind& KindOf(ReadingNote note) {
    return ReadingNoteKinds[static_cast<std::size_t>(note)];
}

/// The report as the plug-in gave it in its text form, with a line per note after its first line.
std::string TextReportWithNotes(const std::string& report, const std::vector<ReadingNote>& notes);

/// The report as the plug-in gave it in its JSON form, with a first member "notes": a list of
/// {"kind", "detail"} objects, empty without notes. A report that is no JSON object is kept as
/// it is.
std::string JsonReportWithNotes(const std::string& report, const std::vector<ReadingNote>& notes);

/// The notes' kinds, "cr-line-ends", for a status line; empty without notes.
std::string NoteKinds(const std::vector<ReadingNote>& notes);

} // namespace corvane::cli
