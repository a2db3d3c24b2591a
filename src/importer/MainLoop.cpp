#include "importer/MainLoop.h"

#include "importer/RecordReaders.h"

namespace corvane {
namespace {

const RecordKind* FindTopLevelRecord(std::string_view line) {
    for (const RecordKind& record : TopLevelRecords()) {
        if (record.Keyword == line) {
            return &record;
        }
    }
    return nullptr;
}

} // namespace

void RunMainLoop(ImportState& state) {
    InputFile& input = *state.Input;
    while (!input.AtEnd() && !state.AbortRequested) {
        const std::string line = input.ReadWholeLine(InputFile::KeywordLineLimit);
        const RecordKind* record = FindTopLevelRecord(line);
        if (record == nullptr || record->Reader == nullptr) {
            continue;
        }
        state.Board->AddObject(record->Reader(state));
    }
}

} // namespace corvane
