#pragma once
// One import as the host editor runs it: open a board for the file, route the server's progress
// calls to the bar and the abort watch, and call the plug-in's import.

#include "corvane-import/ProgressBar.h"
#include "corvane-import/Summary.h"
#include "hostlink/ModuleLoader.h"

#include <cstdint>
#include <string>

namespace corvane::cli {

struct ImportRunResult {
    ImportOutcome Outcome;
    std::uint32_t Board = 0;
};

/// Imports the file (already recognised by the plug-in) under its board file name, showing the
/// plug-in's progress on the bar.
ImportRunResult RunImport(const LoadedModules& modules, const std::string& boardFileName,
                          int version, ProgressBar& bar);

} // namespace corvane::cli
