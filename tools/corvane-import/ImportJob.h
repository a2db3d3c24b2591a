#pragma once
// The work of one run: the outputs of every file planned and checked, the modules loaded, then each
// file imported in turn, its documents written in one walk over the board read back, and its
// summary or status line shown.

#include "corvane-import/ExitStatus.h"
#include "corvane-import/Options.h"
#include "corvane-import/ProgressBar.h"

#include <string>

namespace corvane::cli {

inline constexpr const char* ProgramName = "corvane-import";

/// Imports the files of the command line; the worst status of them. The listener, if any, follows
/// the progress as the bar shows it.
ExitStatus ImportAll(const Options& options, const ProgressListener& listener = {});

/// The program's name and the message, on standard error.
void PrintError(const std::string& message);

} // namespace corvane::cli
