#pragma once

#include "importer/ImportState.h"

namespace corvane {

/// Reads the file line by line from its start; each keyword line calls its reader and the object
/// it returns is added to the board. Every other line is passed over. Stops at the end of the
/// file or once an abort has been confirmed.
void RunMainLoop(ImportState& state);

} // namespace corvane
