#pragma once
// Imports of a board's text by the importer's readers into a fresh board of the substitute server
// (linked into the program): the import state over a fresh board, and one whole main loop with or
// without a report attached. For measuring what the main loop and the readers cost, apart from
// module loading, the scan pass and the progress bar.

#include "importer/ImportState.h"

#include <string>

namespace corvane::bench {

/// Closes every board of the substitute server, opens a fresh one and gives an import state over
/// it (its board, its node index) that reads the text from its first byte. No report is attached.
ImportState ImportIntoFreshBoard(const std::string& text);

/// Runs the main loop over the text. With a report, the report is cleared first and receives
/// what the import passes over, as in the plug-in; with none, nothing is recorded.
void ImportWithMainLoop(const std::string& text, ImportReport* report);

/// The board with a line no reader takes after each component's "ENDCOMP" line: one skipped-line
/// entry per component, all of one detail.
std::string WithStrayLines(const std::string& board);

} // namespace corvane::bench
