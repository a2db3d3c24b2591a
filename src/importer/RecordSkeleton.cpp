#include "importer/RecordSkeleton.h"

#include "importer/ImportReport.h"
#include "importer/LayerMapping.h"
#include "pcbmodel/PcbObject.h"
#include "pcbserver/Layers.h"
#include "pcbserver/Units.h"
#include "pcbserver/lookups/LayerIterator.h"

#include <string>

namespace corvane {

void ReadLayerInto(ImportState& state, TPCBObject& object) {
    const auto fileLayer = static_cast<std::uint8_t>(state.Input->ReadInteger());
    if (state.Report != nullptr && !ImportLayerMap(fileLayer)) {
        state.Report->Add(ReportKind::LayerOutOfRange, state.Input->LineNumber(),
                          "file layer " + std::to_string(fileLayer) +
                              " outside 1..13: placed on NoLayer");
    }
    object.SetClassicLayer(LegacyLayerIndexToLayer(fileLayer));
}

void MapImportedLayer(TPCBObject& object) {
    // Layers the file map does not cover go to "NoLayer" rather than outside the table.
    object.SetClassicLayer(ImportLayerMap(object.GetClassicLayer()).value_or(layer::NoLayer));
}

std::int32_t MilsToHost(ImportState& state, std::int32_t mils) {
    const std::int32_t host = ScaleMilsClamped(mils);
    if (state.Report != nullptr && static_cast<std::int64_t>(host) != std::int64_t{mils} * 10000) {
        state.Report->Add(ReportKind::ValueClamped, state.RecordLine,
                          std::to_string(mils) + " mil beyond the host's coordinate range");
    }
    return host;
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
