#include "importer/MainLoop.h"

#include "importer/ImportReport.h"
#include "importer/Keywords.h"
#include "importer/RecordTable.h"

#include <algorithm>

namespace corvane {
namespace {

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Lines the main loop passes over, except those every file has: the header, blank lines and
// the file's closing line. A record the format defines but the importer does not read is a note
// at its keyword line, its data lines with it (inUnreadRecord: the lines so far belong to one).
void NoteSkippedLine(ImportState& state, std::uint64_t lineNumber, std::string_view line,
                     bool& inUnreadRecord) {
    if (IsBlankLine(line)) {
        return;
    }
    const bool data = LooksLikeDataLine(line);
    const bool unreadRecord = FindRecord(line, RecordPlace::CountedOnly) != nullptr;
    const bool partOfUnreadRecord = inUnreadRecord && data;
    inUnreadRecord = unreadRecord || partOfUnreadRecord;
    if (state.Report == nullptr || lineNumber == 1 || line == keyword::EndOfBoard ||
        partOfUnreadRecord) {
        return;
    }
    if (unreadRecord) {
        state.Report->Add(ReportKind::UnreadRecord, lineNumber,
                          "\"" + std::string(line) +
                              "\" record, which the importer does not read, with its data lines");
        return;
    }
    if (data) {
        state.Report->Add(ReportKind::SkippedLine, lineNumber, "stray data line");
        return;
    }
    constexpr std::size_t shown = 20;
    const std::string_view word = line.substr(0, std::min(line.find(' '), shown));
    state.Report->Add(ReportKind::SkippedLine, lineNumber,
                      "unrecognised line \"" + std::string(word) + "\"");
}

// A file that does not end as a whole board does may have lost its end: the bytes after a Ctrl-Z
// are never read, and a board's last line is "ENDPCB".
void NoteHowTheFileEnded(ImportState& state, bool endedWithEndOfBoard, std::uint64_t lastLine) {
    const std::uint64_t unread = state.Input->BytesAfterEndMark();
    if (state.Report == nullptr) {
        return;
    }
    if (unread > 0) {
        state.Report->Add(ReportKind::BytesAfterEndMark, state.Input->LineNumber(),
                          std::to_string(unread) +
                              " bytes after the Ctrl-Z that ends the file were not read");
    }
    if (!endedWithEndOfBoard) {
        state.Report->Add(ReportKind::MissingEndOfBoard, lastLine,
                          "no ENDPCB after the last record: the file may have been cut short");
    }
}

} // namespace

void RunMainLoop(ImportState& state) {
    InputFile& input = *state.Input;
    // Without a board every record is read past: there is nowhere to put what it would make.
    const RecordUse use = state.Board->BoardHandle != 0 ? RecordUse::Import : RecordUse::ReadPast;
    bool endedWithEndOfBoard = false; // the last line the loop read (blank lines aside) was ENDPCB
    bool inUnreadRecord = false;
    std::uint64_t lastLine = 1;
    while (!input.AtEnd() && !state.AbortRequested) {
        const std::uint64_t lineNumber = input.LineNumber();
        const std::string line = input.ReadWholeLine(InputFile::KeywordLineLimit);
        if (!IsBlankLine(line)) {
            endedWithEndOfBoard = line == keyword::EndOfBoard;
            lastLine = lineNumber;
        }
        const RecordKind* record = FindRecord(line, RecordPlace::TopLevel);
        if (record == nullptr) {
            NoteSkippedLine(state, lineNumber, line, inUnreadRecord);
            continue;
        }
        inUnreadRecord = false;
        const HostHandle handle = record->Reader(state, use);
        const std::int32_t addStatus = state.Board->AddObject(handle);
        if (record->Keyword == keyword::Component && handle != 0 && state.Nodes != nullptr) {
            state.Nodes->ComponentAdded(handle, addStatus);
        }
        if (state.AbortRequested && state.Report != nullptr) {
            state.Report->Add(ReportKind::Aborted, lineNumber,
                              "import stopped by the user after the \"" + line + "\" record");
        }
    }
    if (!state.AbortRequested) {
        NoteHowTheFileEnded(state, endedWithEndOfBoard, lastLine);
    }
}

} // namespace corvane
