#pragma once
// Readers of the six primitive records. The same readers serve the free records ("FT", "FV",
// "FP", "FA", "FF", "FS") and a component's sub-records ("CT", "CV", "CP", "CA", "CF", "CS").
// File values are whole mils; the commits convert them to host units (x 10000).

#include "importer/FileRecords.h"
#include "importer/ImportState.h"
#include "importer/ImporterClasses.h"
#include "importer/RecordReaders.h"

namespace corvane {

HostHandle ReadTrackRecord(ImportState& state, RecordUse use);
HostHandle ReadViaRecord(ImportState& state, RecordUse use);
HostHandle ReadPadRecord(ImportState& state, RecordUse use);
HostHandle ReadArcRecord(ImportState& state, RecordUse use);
HostHandle ReadFillRecord(ImportState& state, RecordUse use);
HostHandle ReadStringRecord(ImportState& state, RecordUse use);

/// Reads one string data line (X, Y, Height, OrientationCode, Spare, Layer) and skips the rest of
/// the line.
void ReadTextGeometry(ImportState& state, FileText& file);
/// Reads a text's string line (254 characters at most).
void ReadTextString(ImportState& state, FileText& file);

/// Converts the text (layer, host units, stroke width, orientation) into the model object and
/// writes it; for a host object only.
void CommitText(ImportState& state, TText& text, const FileText& file);

} // namespace corvane
