#include "importer/RecordTable.h"

#include "importer/CompoundReaders.h"
#include "importer/Keywords.h"
#include "importer/PrimitiveReaders.h"

#include <array>
#include <bit>
#include <cstdint>

namespace corvane {

std::span<const RecordKind> RecordTable() {
    using enum RecordPlace;
    static const std::array<RecordKind, 15> records = {{
        {keyword::FreeVia, ReadViaRecord, &ScanCounts::Vias, TopLevel},
        {keyword::FreePad, ReadPadRecord, &ScanCounts::Pads, TopLevel},
        {keyword::FreeFill, ReadFillRecord, &ScanCounts::Fills, TopLevel},
        {keyword::FreeArc, ReadArcRecord, &ScanCounts::Arcs, TopLevel},
        {keyword::FreeTrack, ReadTrackRecord, &ScanCounts::Tracks, TopLevel},
        {keyword::FreeString, ReadStringRecord, &ScanCounts::Strings, TopLevel},
        {keyword::NetDefinition, ReadNetRecord, &ScanCounts::NetDefinitions, TopLevel},
        {keyword::Component, ReadComponentRecord, &ScanCounts::Components, TopLevel},
        {keyword::ComponentPad, ReadPadRecord, &ScanCounts::Pads, SubRecord},
        {keyword::ComponentTrack, ReadTrackRecord, &ScanCounts::Tracks, SubRecord},
        {keyword::ComponentArc, ReadArcRecord, &ScanCounts::Arcs, SubRecord},
        {keyword::ComponentVia, ReadViaRecord, &ScanCounts::Vias, SubRecord},
        {keyword::ComponentFill, ReadFillRecord, &ScanCounts::Fills, SubRecord},
        {keyword::ComponentString, ReadStringRecord, &ScanCounts::Strings, SubRecord},
        {keyword::Pg, nullptr, &ScanCounts::PgRecords, CountedOnly},
    }};
    return records;
}

namespace {

// For each first byte, the rows whose keyword starts with it (one bit per row): a line is
// compared only with those, so the many data and name lines the scan pass looks at cost a lookup.
using RowSet = std::uint16_t;

const std::array<RowSet, 256>& RowsByFirstByte() {
    static const std::array<RowSet, 256> rows = [] {
        std::array<RowSet, 256> byByte{};
        const std::span<const RecordKind> table = RecordTable();
        for (std::size_t row = 0; row < table.size(); ++row) {
            const auto first = static_cast<unsigned char>(table[row].Keyword.front());
            byByte[first] = static_cast<RowSet>(byByte[first] | (1u << row));
        }
        return byByte;
    }();
    return rows;
}

template <typename Accept> const RecordKind* FindRow(std::string_view line, const Accept& accept) {
    if (line.empty()) {
        return nullptr;
    }
    const std::span<const RecordKind> table = RecordTable();
    for (RowSet rows = RowsByFirstByte()[static_cast<unsigned char>(line.front())]; rows != 0;
         rows = static_cast<RowSet>(rows & (rows - 1))) {
        const RecordKind& record = table[static_cast<std::size_t>(std::countr_zero(rows))];
        if (accept(record) && IsKeywordLine(record.Keyword, line)) {
            return &record;
        }
    }
    return nullptr;
}

} // namespace

bool LooksLikeDataLine(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return false;
    }
    const char c = line[first];
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

const RecordKind* FindRecord(std::string_view line, RecordPlace place) {
    return FindRow(line, [place](const RecordKind& record) { return record.Place == place; });
}

const RecordKind* FindRecordOfAnyPlace(std::string_view line) {
    return FindRow(line, [](const RecordKind&) { return true; });
}

} // namespace corvane
