#pragma once
// The first pass over the file: counts the records so that the progress bar has a true total.

#include "importer/ImportState.h"

#include <cstdint>
#include <string>

namespace corvane {

/// Counts the records of state.Input from its first byte, leaves the file at its first byte
/// again, and starts the loading bar with the total (captions name the file).
void RunScanPass(ImportState& state, const std::string& fileName);

/// Counts the records from the reader's current position to the end of the file.
ScanCounts CountRecords(InputFile& input);

} // namespace corvane
