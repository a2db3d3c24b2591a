#include "importer/MainLoop.h"

#include "importer/ImportReport.h"
#include "importer/Keywords.h"
#include "importer/RecordTable.h"

#include <algorithm>

namespace corvane {
namespace {

bool LooksLikeData(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return false;
    }
    const char c = line[first];
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

// Lines the main loop passes over, except those every file has: the header, blank lines and
// the file's closing line.
void NoteSkippedLine(ImportState& state, std::uint64_t lineNumber, std::string_view line) {
    if (state.Report == nullptr || lineNumber == 1 || line.find_first_not_of(" \t") == line.npos ||
        line == keyword::EndOfBoard) {
        return;
    }
    if (LooksLikeData(line)) {
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
    std::uint64_t lastLine = 1;
    while (!input.AtEnd() && !state.AbortRequested) {
        const std::uint64_t lineNumber = input.LineNumber();
        const std::string line = input.ReadWholeLine(InputFile::KeywordLineLimit);
        if (line.find_first_not_of(" \t") != std::string::npos) {
            endedWithEndOfBoard = line == keyword::EndOfBoard;
            lastLine = lineNumber;
        }
        const RecordKind* record = FindRecord(line, RecordPlace::TopLevel);
        if (record == nullptr) {
            NoteSkippedLine(state, lineNumber, line);
            continue;
        }
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
