#include "importer/CompoundReaders.h"
#include "importer/Keywords.h"
#include "importer/PrimitiveReaders.h"
#include "importer/RecordReaders.h"
#include "pcbserver/AbortCheck.h"
#include "pcbserver/PcbApi.h"

#include <array>

namespace corvane {

std::span<const RecordKind> TopLevelRecords() {
    static const std::array<RecordKind, 8> records = {{
        {keyword::FreeVia, ReadViaRecord},
        {keyword::FreePad, ReadPadRecord},
        {keyword::FreeFill, ReadFillRecord},
        {keyword::FreeArc, ReadArcRecord},
        {keyword::FreeTrack, ReadTrackRecord},
        {keyword::FreeString, ReadStringRecord},
        {keyword::NetDefinition, ReadNetRecord},
        {keyword::Component, ReadComponentRecord},
    }};
    return records;
}

void StepAndPollAbort(ImportState& state) {
    PcbApi_Percent_Update();
    CheckForAbort(state.AbortRequested);
}

} // namespace corvane
