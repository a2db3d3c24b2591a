#include "Options.h"

#include "KicadLayers.h"

#include <array>
#include <functional>
#include <string_view>

#ifndef CORVANE_VERSION_STRING
#define CORVANE_VERSION_STRING "0.0.0"
#endif

namespace halvex::cli {
namespace {

// One option: its names, whether it takes a value, and what it does with the options.
struct OptionRule {
    std::string_view LongName;
    std::string_view ShortName; // may be empty
    bool TakesValue;
    std::function<void(Options&, const std::string&)> Apply;
};

// A table, so that a further option is one more line.
const std::array<OptionRule, 13>& OptionTable() {
    static const std::array<OptionRule, 13> table = {{
        {"--help", "-h", false, [](Options& o, const std::string&) { o.ShowHelp = true; }},
        {"--version", "", false, [](Options& o, const std::string&) { o.ShowVersion = true; }},
        {"--quiet", "-q", false, [](Options& o, const std::string&) { o.Quiet = true; }},
        {"--json", "", true, [](Options& o, const std::string& v) { o.JsonPath = v; }},
        {"--svg", "", true, [](Options& o, const std::string& v) { o.SvgPath = v; }},
        {"--kicad", "", true, [](Options& o, const std::string& v) { o.KicadPath = v; }},
        {"--bom", "", true, [](Options& o, const std::string& v) { o.BomPath = v; }},
        {"--positions", "", true, [](Options& o, const std::string& v) { o.PositionsPath = v; }},
        {"--edge-layer", "", true, [](Options& o, const std::string& v) { o.EdgeLayer = v; }},
        {"--report", "", true, [](Options& o, const std::string& v) { o.ReportFormat = v; }},
        {"--report-file", "", true, [](Options& o, const std::string& v) { o.ReportPath = v; }},
        {"--plugin", "", true, [](Options& o, const std::string& v) { o.PluginPath = v; }},
        {"--server", "", true, [](Options& o, const std::string& v) { o.ServerPath = v; }},
    }};
    return table;
}

const OptionRule* FindOption(std::string_view name) {
    for (const OptionRule& rule : OptionTable()) {
        if (name == rule.LongName || (!rule.ShortName.empty() && name == rule.ShortName)) {
            return &rule;
        }
    }
    return nullptr;
}

} // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name=value" is the same as "--name value".
        const auto equals = argument.find('=');
        const bool inlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        const std::string name = inlineValue ? argument.substr(0, equals) : argument;
        const OptionRule* rule = FindOption(name);
        if (rule == nullptr) {
            parsed.Error = "unknown option '" + name + "'";
            return parsed;
        }
        if (!rule->TakesValue) {
            if (inlineValue) {
                parsed.Error = "option '" + name + "' takes no value";
                return parsed;
            }
            rule->Apply(parsed.Values, {});
            continue;
        }
        std::string value;
        if (inlineValue) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            parsed.Error = "option '" + name + "' needs a value";
            return parsed;
        }
        if (value.empty()) {
            parsed.Error = "option '" + name + "' needs a non-empty value";
            return parsed;
        }
        rule->Apply(parsed.Values, value);
    }
    if (parsed.Values.ShowHelp || parsed.Values.ShowVersion) {
        return parsed;
    }
    if (files.empty()) {
        parsed.Error = "no FILE given";
    } else if (files.size() > 1) {
        parsed.Error = "only one FILE may be given, not " + std::to_string(files.size());
    } else {
        parsed.Values.InputFile = files.front();
    }
    const Options& values = parsed.Values;
    const bool reportToStdout =
        !values.ReportFormat.empty() && (values.ReportPath.empty() || values.ReportPath == "-");
    if (parsed.Ok() && !values.ReportFormat.empty() && values.ReportFormat != "text" &&
        values.ReportFormat != "json") {
        parsed.Error = "--report takes text or json, not '" + values.ReportFormat + "'";
    } else if (parsed.Ok() && !values.ReportPath.empty() && values.ReportFormat.empty()) {
        parsed.Error = "--report-file needs --report text or --report json";
    } else if (parsed.Ok() && !kicad::IsHostLayerName(values.EdgeLayer)) {
        parsed.Error =
            "--edge-layer takes a layer name such as KeepOutLayer or Mechanical1, not '" +
            values.EdgeLayer + "'";
    } else if (parsed.Ok() && (int{values.JsonPath == "-"} + int{values.SvgPath == "-"} +
                               int{values.KicadPath == "-"} + int{values.BomPath == "-"} +
                               int{values.PositionsPath == "-"} + int{reportToStdout}) > 1) {
        parsed.Error = "only one of --json, --svg, --kicad, --bom, --positions and --report can "
                       "write to standard output";
    }
    return parsed;
}

std::string HelpText() {
    return "Usage: corvane-import [OPTIONS] FILE\n"
           "\n"
           "Imports a Corvane ASCII board file (first line \"PCB FILE 4\" or \"PCB FILE 5\") the\n"
           "way the host editor does: it loads the Halvex server module and the CorvaneImport\n"
           "plug-in, opens a board for FILE, runs the plug-in's import and reports what landed\n"
           "on the board.\n"
           "\n"
           "Options:\n"
           "  --json PATH     write the board as JSON to PATH ('-' for standard output)\n"
           "  --svg PATH      write a picture of the board as SVG to PATH ('-' for standard "
           "output)\n"
           "  --kicad PATH    write the board as a KiCad board file (KiCad 6 and later)\n"
           "  --edge-layer LAYER\n"
           "                  the layer whose closed outlines are the KiCad board's edge\n"
           "                  (default KeepOutLayer; without one, a rectangle around everything)\n"
           "  --bom PATH      write the bill of materials as CSV\n"
           "  --positions PATH\n"
           "                  write the placement of the components as CSV\n"
           "  --report FORM   print the import report: what the import passed over or changed,\n"
           "                  with line numbers; FORM is text or json\n"
           "  --report-file PATH\n"
           "                  write the report to PATH instead of standard output\n"
           "  -q, --quiet     print nothing but errors\n"
           "  --plugin PATH   the plug-in module to load (default: $CORVANE_PLUGIN, else the one\n"
           "                  next to this program or in its build tree)\n"
           "  --server PATH   the server module to load (default: $HALVEX_SERVER, else the one\n"
           "                  next to this program or in its build tree)\n"
           "  -h, --help      show this help and exit\n"
           "      --version   show the version and exit\n"
           "\n"
           "Without --quiet a summary goes to standard output (to standard error when the JSON or\n"
           "the SVG goes there). While importing from a terminal, a progress bar is drawn on\n"
           "standard error; press Escape to abort, then answer the confirmation with y or n.\n"
           "\n"
           "Exit status:\n"
           "  0  the board was imported to its end and the outputs were written\n"
           "  1  FILE is missing, unreadable or not a Corvane board; nothing was imported\n"
           "  2  wrong command line\n"
           "  3  the import was aborted; the objects read so far were written\n"
           "  4  an output file could not be written\n"
           "  5  the plug-in or the server module could not be loaded\n";
}

std::string VersionText() {
    return std::string("corvane-import ") + CORVANE_VERSION_STRING + "\n";
}

} // namespace halvex::cli
