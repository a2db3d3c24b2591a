#pragma once
// The one table of the file's records: each keyword line with the reader of its record, the scan
// counter it counts in, and where it stands (a record of the file, a sub-record of a component, or
// a line the scan pass only counts). The scan pass, the main loop and the component's loop all
// take their keywords from here.

#include "importer/ImportState.h"
#include "importer/RecordReaders.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace corvane {

enum class RecordPlace : std::uint8_t {
    TopLevel,    // read by the main loop
    SubRecord,   // read inside a component
    CountedOnly, // counted by the scan pass, never read
};

struct RecordKind {
    std::string_view Keyword;
    RecordReader Reader;               // nullptr for a line that is only counted
    std::int32_t ScanCounts::*Counter; // the scan pass's counter of the record
    RecordPlace Place;
};

/// True when the line is the keyword (never empty). The first byte is compared before the rest:
/// most lines the scan pass looks at are data lines, and this keeps them off memcmp.
inline bool IsKeywordLine(std::string_view keyword, std::string_view line) {
    return keyword.size() == line.size() && keyword.front() == line.front() && keyword == line;
}

/// True when the line's first character other than a blank or tab starts a number: the shape of
/// a record's data line.
bool LooksLikeDataLine(std::string_view line);

/// Every record, in the order the main loop and the component's loop compare their keywords.
std::span<const RecordKind> RecordTable();

/// The record of that place whose keyword is the whole line, or nullptr.
const RecordKind* FindRecord(std::string_view line, RecordPlace place);

/// The record of any place whose keyword is the whole line, or nullptr.
const RecordKind* FindRecordOfAnyPlace(std::string_view line);

} // namespace corvane
