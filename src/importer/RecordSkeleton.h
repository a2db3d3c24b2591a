#pragma once
// The steps every primitive reader shares: create the host object, read its defaults, step the
// progress bar and poll for an abort, read the data lines, clear the flags, commit, and hand
// back the handle. Also the conversions of file values every commit uses.

#include "importer/ImportState.h"
#include "importer/RecordReaders.h"
#include "pcbmodel/PcbObject.h"
#include "pcbserver/HostTypes.h"
#include "pcbserver/PcbApi.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

/// Reads a file layer number (its low 8 bits) and stores it on the object at once, through the
/// compact layer index.
void ReadLayerInto(ImportState& state, TPCBObject& object);

/// Replaces the object's layer L by the file layer map of L; a number outside 1..13 sends the
/// object to "NoLayer".
void MapImportedLayer(TPCBObject& object);

/// A value in mils as host units (x 10000); values beyond the signed 32-bit range are clamped
/// to it (and reported).
std::int32_t MilsToHost(ImportState& state, std::int32_t mils);

/// Marks the start of a record's data lines (for the line numbers of the report).
void BeginRecordData(ImportState& state);
/// Notes a record cut short by the end of the file.
void NoteIfFileEnded(ImportState& state, const char* record);
/// Notes, at state.RecordLine, a walk of a host container that stopped at its cap; what names
/// what was walked and what it meant.
void NoteWalkCapped(ImportState& state, std::string_view what);

/// Notes, at the line given, a record for which the host made no object: its lines were read past.
void NoteNoHostObject(ImportState& state, std::uint64_t line, std::string_view detail);

/// The shared road of a primitive record. ReadData reads the data lines into the object; Commit
/// converts and writes it (and does nothing for handle 0). A record read past makes no object.
template <typename T, typename ReadData, typename Commit>
HostHandle ReadPrimitiveRecord(ImportState& state, RecordUse use, const char* recordName,
                               ReadData readData, Commit commit) {
    T object(use == RecordUse::Import ? PcbApi_CreateObject(T::KindCode) : 0);
    if (object.Handle != 0) {
        object.Exchange(ExchangeRead); // the host's defaults for what the record does not carry
    } else if (use == RecordUse::Import) {
        NoteNoHostObject(state, state.Input->LineNumber() - 1,
                         std::string("the host made no ") + recordName + ": record not imported");
    }
    StepAndPollAbort(state);
    BeginRecordData(state);
    readData(object);
    NoteIfFileEnded(state, recordName);
    object.Flags = 0;
    commit(object);
    return object.Handle;
}

} // namespace corvane
