#pragma once
// The converter as the page runs it: one board, read from the browser's memory file system, goes
// through the command line's own import job (ImportAll), which writes every document and the
// report into a folder of that file system; the page reads them from there. So each document is
// the command line's, byte for byte, for a file of the same name.

#include "corvane-import/ExitStatus.h"
#include "corvane-import/Options.h"
#include "corvane-import/ProgressBar.h"

#include <string>

namespace corvane::cli::web {

/// What the page may choose; the rest is the command line's default.
struct WebSettings {
    std::string EdgeLayer = "KeepOutLayer";
    bool DeriveNets = true;
};

/// The command line the page's conversion is: the board, every document named
/// <folder>/<board's name>.<extension> (the extensions of --out-dir), the text report in
/// <folder>/<board's name>.report.txt.
Options ConversionOptions(const std::string& boardPath, const std::string& folder,
                          const WebSettings& settings);

/// Converts the board; the summary goes to standard output, errors to standard error, as on the
/// command line. Whatever fails inside gives the program's status for it.
ExitStatus Convert(const std::string& boardPath, const std::string& folder,
                   const WebSettings& settings, const ProgressListener& listener);

} // namespace corvane::cli::web
