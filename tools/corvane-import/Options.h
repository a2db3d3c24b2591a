#pragma once
// The command line of corvane-import: corvane-import [OPTIONS] FILE.

#include <optional>
#include <string>
#include <vector>

namespace halvex::cli {

struct Options {
    std::string InputFile;
    std::optional<std::string> JsonPath;      // "-" is standard output
    std::optional<std::string> SvgPath;       // "-" is standard output
    std::optional<std::string> KicadPath;     // "-" is standard output
    std::optional<std::string> BomPath;       // "-" is standard output
    std::optional<std::string> PositionsPath; // "-" is standard output
    /// The host layer whose closed outlines are the KiCad board's edge.
    std::string EdgeLayer = "KeepOutLayer";
    bool Quiet = false;
    /// The import report's form: "text" or "json"; empty for no report.
    std::string ReportFormat;
    /// Where the report goes; empty or "-" for standard output.
    std::string ReportPath;
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
/// and need no FILE.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

/// The text of --help.
std::string HelpText();

/// The text of --version.
std::string VersionText();

} // namespace halvex::cli
