#pragma once
// The program's own notes on how it read a file, beside the plug-in's import report: what it did
// to the file before the plug-in read it. A note loses nothing. The plug-in's report kinds are
// its own; these kinds are the program's, each named once here.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

enum class ReadingNote {
    CarriageReturnLineEnds, // the lines end with CR alone: CR was read as the line end
};

struct ReadingNoteKind {
    std::string_view Name;   // stable, as in the report's text and JSON forms
    std::string_view Detail; // what it means, for people
};

inline constexpr std::array<ReadingNoteKind, 1> ReadingNoteKinds = {{
    {"cr-line-ends", "the lines end with CR alone, as old Macintosh programs wrote them; CR was "
                     "read as the line end"},
}};

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
