#include "importer/RecordSkeleton.h"

#include "importer/ImportReport.h"
#include "importer/LayerMapping.h"
#include "serverclient/LayerIterator.h"

#include <string>

namespace corvane {

FileCode ReadFileLayer(ImportState& state) {
    const auto fileLayer = static_cast<FileCode>(state.Input->ReadInteger());
    if (state.Report != nullptr && !ImportLayerMap(fileLayer)) {
        state.Report->Add(ReportKind::LayerOutOfRange, state.Input->LineNumber(),
                          "file layer " + std::to_string(fileLayer) +
                              " outside 1..13: placed on NoLayer");
    }
    return fileLayer;
}

void NoteClamped(ImportState& state, const ConversionNotes& notes) {
    if (state.Report == nullptr) {
        return;
    }
    for (const std::int32_t mils : notes.ClampedMils) {
        state.Report->Add(ReportKind::ValueClamped, state.RecordLine,
                          std::to_string(mils) + " mil beyond the host's coordinate range");
    }
}

void BeginRecordData(ImportState& state) {
    state.RecordLine = state.Input->LineNumber();
    state.Input->ClearRanOutOfFile();
}

void NoteIfFileEnded(ImportState& state, const char* record) {
    if (state.Report != nullptr && state.Input->RanOutOfFile()) {
        state.Report->Add(ReportKind::RecordCutByEndOfFile, state.Input->LineNumber(),
                          std::string("file ends inside a ") + record + " record");
    }
}

void NoteNoHostObject(ImportState& state, std::uint64_t line, std::string_view detail) {
    if (state.Report != nullptr) {
        state.Report->Add(ReportKind::NoHostObject, line, detail);
    }
}

void NoteWalkCapped(ImportState& state, std::string_view what) {
    if (state.Report != nullptr) {
        state.Report->Add(ReportKind::WalkCapped, state.RecordLine,
                          "the host listed more than " + std::to_string(MaxObjectsPerWalk) + " " +
                              std::string(what));
    }
}

} // namespace corvane
