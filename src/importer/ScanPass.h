#pragma once
// The first pass over the file: counts the records so that the progress bar has a true total.

#include "importer/ImportState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

/// Counts the records of state.Input from its first byte, finds the components without
/// "ENDCOMP", leaves the file at its first byte again, and starts the loading bar with the total
/// (captions name the file).
void RunScanPass(ImportState& state, const std::string& fileName);

/// Counts the records from the reader's current position to the end of the file. When given,
/// componentsWithoutEnd receives the line numbers, in order, of the "COMP" lines that no
/// "ENDCOMP" line follows before the next "COMP" line or the end of the file. Every line counts
/// for that, the lines of "(" and "{" groups too: a component's reader reads its lines one by one.
ScanCounts CountRecords(InputFile& input,
                        std::vector<std::uint64_t>* componentsWithoutEnd = nullptr);

} // namespace corvane
