#include "corvane-import/ReadingNotes.h"

#include "jsontext/JsonString.h"

namespace corvane::cli {

std::string TextReportWithNotes(const std::string& report, const std::vector<ReadingNote>& notes) {
    if (notes.empty()) {
        return report;
    }
    std::string lines;
    for (const ReadingNote note : notes) {
        lines += "  note " + std::string(KindOf(note).Name()) + ": " +
                 std::string(KindOf(note).Detail) + "\n";
    }
    const auto firstLineEnd = report.find('\n');
    if (firstLineEnd == std::string::npos) {
        return report + (report.empty() ? "" : "\n") + lines;
    }
    return report.substr(0, firstLineEnd + 1) + lines + report.substr(firstLineEnd + 1);
}

std::string JsonReportWithNotes(const std::string& report, const std::vector<ReadingNote>& notes) {
    if (report.empty() || report.front() != '{') {
        return report;
    }
    std::string list;
    for (const ReadingNote note : notes) {
        list += (list.empty() ? "\n    " : ",\n    ") + std::string("{\"kind\": ") +
                jsontext::Quote(KindOf(note).Name()) +
                ", \"detail\": " + jsontext::Quote(KindOf(note).Detail) + "}";
    }
    return "{\n  \"notes\": [" + (list.empty() ? list : list + "\n  ") + "]," + report.substr(1);
}

std::string NoteKinds(const std::vector<ReadingNote>& notes) {
    std::string kinds;
    for (const ReadingNote note : notes) {
        kinds += (kinds.empty() ? "" : ", ") + std::string(KindOf(note).Name());
    }
    return kinds;
}

} // namespace corvane::cli
