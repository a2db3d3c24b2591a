#pragma once
// The import of one file, as the exported functions run it.

#include "importer/ImportState.h"

#include <string>

namespace corvane {

/// True when the host says the file exists and its first line, upper-cased, holds
/// "PCB FILE 4" or "PCB FILE 5". Touches neither the board, the progress bar nor the import state.
bool RecognisePcbFile(const std::string& fileName);

/// Imports the file into the board the host has opened for it. True when the file was recognised
/// and the import ran to its end without an abort.
bool ImportFile(ImportState& state, const std::string& fileName);

} // namespace corvane
