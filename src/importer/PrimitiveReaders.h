#pragma once
// Readers of the six primitive records. The same readers serve the free records ("FT", "FV",
// "FP", "FA", "FF", "FS") and a component's sub-records ("CT", "CV", "CP", "CA", "CF", "CS").
// File values are whole mils; the commits convert them to host units (x 10000).

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

/// Reads one string data line (X, Y, Height, OrientationCode, Spare, Layer) into the text and
/// skips the rest of the line; the orientation code stays raw until the commit.
void ReadTextGeometry(ImportState& state, TText& text);

/// Maps the layer, converts to host units, derives the stroke width and the orientation, and
/// writes the text (nothing for handle 0).
void CommitText(ImportState& state, TText& text);

} // namespace corvane
