#include "importer/RecordSkeleton.h"

#include "importer/ImportReport.h"
#include "importer/LayerMapping.h"
#include "serverclient/LayerIterator.h"

#include <array>
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

std::int32_t ReadMils(ImportState& state, FarValueLines& far) {
    const std::int32_t mils = state.Input->ReadInteger();
    if (MilsBeyondHostRange(mils) && far.Count < FarValueLines::Capacity) {
        far.Mils[far.Count] = mils;
        far.Lines[far.Count] = state.Input->LineNumber(); // a number leaves its line end unread
        ++far.Count;
    }
    return mils;
}

void NoteClamped(ImportState& state, const ConversionNotes& notes, const FarValueLines& far) {
    if (state.Report == nullptr) {
        return;
    }
    // A converter clamps the values in the order they were read, and may convert one value twice
    // (a square pad's size): each clamp takes the first value of its number not yet named, else
    // the last one named.
    std::array<bool, FarValueLines::Capacity> named{};
    for (const std::int32_t mils : notes.ClampedMils) {
        std::uint64_t line = state.RecordLine;
        for (std::size_t i = 0; i < far.Count; ++i) {
            if (far.Mils[i] == mils) {
                line = far.Lines[i];
                if (!named[i]) {
                    named[i] = true;
                    break;
                }
            }
        }
        state.Report->Add(ReportKind::ValueClamped, line,
                          std::to_string(mils) + " mil beyond the host's coordinate range");
    }
}

void BeginRecordData(ImportState& state) {
    state.RecordLine = state.Input->LineNumber();
    state.Input->ClearRanOutOfFile();
}

void NoteIfFileEnded(ImportState& state, const char* record, std::uint64_t keywordLine) {
    if (state.Report != nullptr && state.Input->RanOutOfFile()) {
        state.Report->Add(ReportKind::RecordCutByEndOfFile, keywordLine,
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
