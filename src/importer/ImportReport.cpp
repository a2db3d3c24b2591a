#include "importer/ImportReport.h"

#include <array>

namespace corvane {

std::string_view ReportKindName(ReportKind kind) {
    static constexpr std::array<std::string_view, 13> names = {"skipped-line",
                                                               "malformed-number",
                                                               "number-from-next-line",
                                                               "line-cut",
                                                               "layer-out-of-range",
                                                               "value-clamped",
                                                               "node-not-found",
                                                               "missing-endcomp",
                                                               "net-cut-by-end-of-file",
                                                               "record-cut-by-end-of-file",
                                                               "no-host-object",
                                                               "walk-capped",
                                                               "aborted"};
    return names[static_cast<std::size_t>(kind)];
}

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

void ImportReport::NumberFromNextLine(std::uint64_t dataLine, std::uint64_t numberLine) {
    (void)numberLine;
    Add(ReportKind::NumberFromNextLine, dataLine, "data line too short");
}

} // namespace corvane
