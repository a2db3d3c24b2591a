#pragma once
// Everything an import passed over or changed, with the line it happened on. Identical entries
// are grouped: one group per kind and detail, with a count and the first few line numbers.

#include "contract/ReportKinds.h"
#include "importer/ReadingObserver.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

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
    void ControlInNumbers(std::uint64_t line, unsigned char byte) override;

private:
    std::vector<ReportGroup> groups_;
    std::map<std::pair<ReportKind, std::string>, std::size_t, std::less<>> index_;
    std::uint64_t entries_ = 0;
};

} // namespace corvane
