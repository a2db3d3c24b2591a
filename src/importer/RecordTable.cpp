#include "importer/RecordTable.h"

#include "importer/CompoundReaders.h"
#include "importer/Keywords.h"
#include "importer/PrimitiveReaders.h"

#include <array>

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

const RecordKind* FindRecord(std::string_view line, RecordPlace place) {
    for (const RecordKind& record : RecordTable()) {
        if (record.Place == place && record.Keyword == line) {
            return &record;
        }
    }
    return nullptr;
}

} // namespace corvane
