#pragma once
// The steps every primitive reader shares: create the host object, read its defaults, step the
// progress bar and poll for an abort, read the data lines into the file record, clear the flags,
// commit, and hand back the handle. Also the report's notes every reader makes.

#include "contract/HostTypes.h"
#include "importer/FileRecords.h"
#include "importer/ImportState.h"
#include "importer/ObjectLines.h"
#include "importer/RecordConverters.h"
#include "importer/RecordReaders.h"
#include "pcbmodel/PcbObject.h"
#include "serverclient/PcbApi.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

/// Reads a file layer number (its low 8 bits); one outside 1..13 is reported (it lands on
/// "NoLayer").
FileCode ReadFileLayer(ImportState& state);

/// Reads a value in mils; one beyond the host's coordinate range is kept in far with its line.
std::int32_t ReadMils(ImportState& state, FarValueLines& far);

/// Reports the values a conversion clamped to the host's range, each at the line far has for it
/// (state.RecordLine for a value it does not hold).
void NoteClamped(ImportState& state, const ConversionNotes& notes, const FarValueLines& far);

/// Marks the start of a record's data lines (for the line numbers of the report).
void BeginRecordData(ImportState& state);
/// Notes, at its keyword line, a record cut short by the end of the file.
void NoteIfFileEnded(ImportState& state, const char* record, std::uint64_t keywordLine);
/// Notes, at state.RecordLine, a walk of a host container that stopped at its cap; what names
/// what was walked and what it meant.
void NoteWalkCapped(ImportState& state, std::string_view what);

/// Notes, at the line given, a record for which the host made no object: its lines were read past.
void NoteNoHostObject(ImportState& state, std::uint64_t line, std::string_view detail);

/// The shared road of a primitive record. ReadFile reads the data lines and answers the file
/// record; Commit converts it into the object and writes the object (only for a host object). A
/// record read past makes no object.
template <typename T, typename ReadFile, typename Commit>
HostHandle ReadPrimitiveRecord(ImportState& state, RecordUse use, const char* recordName,
                               ReadFile readFile, Commit commit) {
    const std::uint64_t keywordLine = state.Input->LineNumber() - 1;
    T object(use == RecordUse::Import ? PcbApi_CreateObject(T::KindCode) : 0);
    if (object.Handle != 0) {
        object.Exchange(ExchangeRead); // the host's defaults for what the record does not carry
    } else if (use == RecordUse::Import) {
        NoteNoHostObject(state, keywordLine,
                         std::string("the host made no ") + recordName + ": record not imported");
    }
    if (use != RecordUse::LookAhead) {
        StepAndPollAbort(state);
    }
    BeginRecordData(state);
    NoteObjectLine(state, object.Handle, state.RecordLine);
    const auto file = readFile();
    NoteIfFileEnded(state, recordName, keywordLine);
    object.Flags = 0;
    if (object.Handle != 0) {
        commit(object, file);
    }
    return object.Handle;
}

} // namespace corvane
