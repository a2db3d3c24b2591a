#include "importer/ImportReport.h"

namespace corvane {

void ImportReport::Add(ReportKind kind, std::uint64_t line, std::string_view detail) {
    ++entries_;
    auto key = std::make_pair(kind, std::string(detail));
    auto found = index_.find(key);
    if (found == index_.end()) {
        if (groups_.size() >= MaxGroups) {
            // A file with endless distinct problems: further details share one group per kind.
            key.second = "(further entries)";
            found = index_.find(key);
        }
        if (found == index_.end()) {
            found = index_.emplace(key, groups_.size()).first;
            groups_.push_back(ReportGroup{kind, key.second, 0, {}});
        }
    }
    ReportGroup& group = groups_[found->second];
    ++group.Count;
    if (group.FirstLines.size() < MaxLinesPerGroup) {
        group.FirstLines.push_back(line);
    }
}

void ImportReport::Clear() {
    groups_.clear();
    index_.clear();
    entries_ = 0;
}

std::uint64_t ImportReport::CountOf(ReportKind kind) const {
    std::uint64_t count = 0;
    for (const ReportGroup& group : groups_) {
        if (group.Kind == kind) {
            count += group.Count;
        }
    }
    return count;
}

void ImportReport::MalformedNumber(std::uint64_t line, std::string_view token, double valueUsed) {
    constexpr std::size_t shown = 40;
    std::string detail = "\"" + std::string(token.substr(0, shown)) +
                         (token.size() > shown ? "...\"" : "\"") + " read as " +
                         std::to_string(static_cast<long long>(valueUsed));
    Add(ReportKind::MalformedNumber, line, detail);
}

void ImportReport::LineCut(std::uint64_t line, std::size_t limit, std::uint64_t droppedCharacters) {
    (void)droppedCharacters;
    Add(ReportKind::LineCut, line, "line longer than " + std::to_string(limit) + " characters");
}

void ImportReport::NumberCut(std::uint64_t line, std::size_t limit) {
    Add(ReportKind::NumberCut, line,
        "token longer than " + std::to_string(limit) +
            " characters: the rest was read as the next number");
}

void ImportReport::NumberFromNextLine(std::uint64_t dataLine, std::uint64_t numberLine) {
    (void)numberLine;
    Add(ReportKind::NumberFromNextLine, dataLine, "data line too short");
}

void ImportReport::LoneCarriageReturn(std::uint64_t line) {
    Add(ReportKind::LoneCarriageReturn, line,
        "a CR without LF is no line end: the lines around it were read as one (a file whose lines "
        "end with CR alone reads as one line; convert its line ends to LF or CR LF, for example "
        "with mac2unix)");
}

void ImportReport::ControlInNumbers(std::uint64_t line, unsigned char byte) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const std::string what =
        byte == '\r' ? "a CR without LF"
        : byte == 0  ? "a NUL byte"
                     : std::string("the control byte 0x") + hex[byte >> 4] + hex[byte & 0xF];
    Add(ReportKind::ControlInNumbers, line,
        what + " among numbers, read as a blank: a number it stood in was read as two, and the "
               "numbers after it moved by one");
}

} // namespace corvane
