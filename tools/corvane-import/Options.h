#pragma once
// The command line of corvane-import: corvane-import [OPTIONS] FILE...

#include "documents/DocumentKind.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct Options {
    /// The boards to import, in order; "-" is standard input.
    std::vector<std::string> InputFiles;
    /// The documents asked for, by the option that names them ("--json", "--kicad"; the table is
    /// Documents.h): paths, or with OutDir file names in which "{name}" stands for the board's
    /// name; "-" is standard output. The last of a repeated option wins.
    std::map<std::string, std::string> Documents;
    /// The options of the documents' writers (--edge-layer ...), each document's own.
    DocumentSettings WriterSettings;
    bool Quiet = false;
    /// Fail (status 6) when the import report holds an entry that may have lost data.
    bool Strict = false;
    /// Write the outputs of an aborted import, marked partial (by default it writes none).
    bool KeepPartial = false;
    /// The import report's form: "text" or "json"; empty for no report.
    std::string ReportFormat;
    /// Where the report goes; empty or "-" for standard output.
    std::string ReportPath;
    /// The folder each file's outputs go to, named after the file.
    std::optional<std::string> OutDir;
    /// Module paths given on the command line; empty means the default search (ModuleLoader).
    std::string PluginPath;
    std::string ServerPath;
    bool ShowHelp = false;
    bool ShowVersion = false;
};

/// A command line that parsed, or the reason it did not.
struct ParsedOptions {
    Options Values;
    std::string Error; // empty when the command line is valid
    bool Ok() const { return Error.empty(); }
};

/// Parses the arguments after the program name. --help and --version win over everything else
/// and need no FILE. Several FILEs need --out-dir for their outputs and reports.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

/// The text of --help.
std::string HelpText();

/// The text of --version.
std::string VersionText();

} // namespace corvane::cli
