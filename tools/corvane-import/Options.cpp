#include "corvane-import/Options.h"

#include "boardfacts/HostLayers.h"
#include "corvane-import/Documents.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#ifndef CORVANE_VERSION_STRING
#define CORVANE_VERSION_STRING "0.0.0"
#endif

namespace corvane::cli {
namespace {

// One option: its names, whether it takes a value, and what it does with the options.
struct OptionRule {
    std::string_view LongName;
    std::string_view ShortName; // may be empty
    bool TakesValue;
    std::function<void(Options&, const std::string&)> Apply;
};

// A table, so that a further option is one more line; the documents' options and their writers'
// come from the table of documents (Documents.h).
const std::array<OptionRule, 10>& OptionTable() {
    static const std::array<OptionRule, 10> table = {{
        {"--help", "-h", false, [](Options& o, const std::string&) { o.ShowHelp = true; }},
        {"--version", "", false, [](Options& o, const std::string&) { o.ShowVersion = true; }},
        {"--quiet", "-q", false, [](Options& o, const std::string&) { o.Quiet = true; }},
        {"--strict", "", false, [](Options& o, const std::string&) { o.Strict = true; }},
        {"--keep-partial", "", false, [](Options& o, const std::string&) { o.KeepPartial = true; }},
        {"--out-dir", "", true, [](Options& o, const std::string& v) { o.OutDir = v; }},
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
    // Every document's option takes its path; its writer's options set its settings.
    static const std::vector<OptionRule> documentRules = [] {
        std::vector<OptionRule> rules;
        for (const DocumentKind& kind : DocumentKinds()) {
            rules.push_back({kind.Option, "", true,
                             [option = std::string(kind.Option)](Options& o, const std::string& v) {
                                 o.Documents[option] = v;
                             }});
            for (const DocumentOption& setting : kind.Options) {
                rules.push_back({setting.Name, "", !setting.ValueName.empty(),
                                 [&setting](Options& o, const std::string& v) {
                                     o.WriterSettings.Set(setting.Name, setting.Normalise != nullptr
                                                                            ? setting.Normalise(v)
                                                                            : v);
                                 }});
            }
        }
        return rules;
    }();
    for (const OptionRule& rule : documentRules) {
        if (name == rule.LongName) {
            return &rule;
        }
    }
    return nullptr;
}

// A name format of --out-dir is a file name: a folder in it would leave the output folder.
bool IsNameFormat(const std::string& format) {
    return format.find('/') == std::string::npos && format.find('\\') == std::string::npos &&
           format != "." && format != "..";
}

// What is wrong with a command line whose options all parsed, or empty.
std::string CommandLineProblem(const std::vector<std::string>& files, const Options& values) {
    if (files.empty()) {
        return "no FILE given";
    }
    if (std::count(files.begin(), files.end(), "-") > 1) {
        return "standard input can be read once: '-' may be given once";
    }
    if (!values.ReportFormat.empty() && values.ReportFormat != "text" &&
        values.ReportFormat != "json") {
        return "--report takes text or json, not '" + values.ReportFormat + "'";
    }
    for (const DocumentKind& kind : DocumentKinds()) {
        for (const DocumentOption& setting : kind.Options) {
            if (setting.Problem != nullptr && values.WriterSettings.Has(setting.Name)) {
                const std::string problem =
                    setting.Problem(values.WriterSettings.ValueOr(setting.Name, ""));
                if (!problem.empty()) {
                    return problem;
                }
            }
        }
    }
    const bool outputs = !values.Documents.empty() || !values.ReportFormat.empty();
    if (files.size() > 1 && outputs && !values.OutDir) {
        return "with several FILEs, the documents and --report need --out-dir DIR";
    }
    if (values.OutDir) {
        for (const auto& [option, format] : values.Documents) {
            if (format != "-" && !IsNameFormat(format)) {
                return "with --out-dir, " + option +
                       " and the other documents take file names, "
                       "not '" +
                       format + "'";
            }
        }
        if (!values.ReportPath.empty() && values.ReportPath != "-" &&
            !IsNameFormat(values.ReportPath)) {
            return "with --out-dir, --report-file takes a file name, not '" + values.ReportPath +
                   "'";
        }
    }
    return {};
}

// One option of --help: its name and value, then its help; the help starts on the same line when
// there is room, and every further line is indented as the first.
std::string OptionHelp(std::string_view name, std::string_view value, const std::string& help) {
    constexpr std::size_t helpColumn = 18;
    std::string text = "  " + std::string(name) + (value.empty() ? "" : " " + std::string(value));
    if (text.size() + 2 <= helpColumn) {
        text.resize(helpColumn, ' ');
    } else {
        text += "\n" + std::string(helpColumn, ' ');
    }
    for (const char c : help) {
        text += c;
        if (c == '\n') {
            text.append(helpColumn, ' ');
        }
    }
    return text + "\n";
}

// The documents' options and their writers', in the order of the documents.
std::string DocumentsHelp() {
    std::string text;
    for (const DocumentKind& kind : DocumentKinds()) {
        text += OptionHelp(kind.Option, "PATH", kind.Help);
        for (const DocumentOption& setting : kind.Options) {
            text += OptionHelp(setting.Name, setting.ValueName, setting.Help);
        }
    }
    return text;
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
    // A report file without a form is the report for people.
    if (!parsed.Values.ReportPath.empty() && parsed.Values.ReportFormat.empty()) {
        parsed.Values.ReportFormat = "text";
    }
    parsed.Error = CommandLineProblem(files, parsed.Values);
    parsed.Values.InputFiles = std::move(files);
    return parsed;
}

std::string HelpText() {
    return "Usage: corvane-import [OPTIONS] FILE...\n"
           "\n"
           "Imports Corvane ASCII board files (first line \"PCB FILE 4\" or \"PCB FILE 5\") the "
           "way\n"
           "the host editor does: it loads the Halvex server module and the CorvaneImport "
           "plug-in,\n"
           "opens a board for each FILE, runs the plug-in's import and reports what landed on the\n"
           "board. FILE '-' reads a board from standard input. Lines that end with CR alone, as\n"
           "old Macintosh files have them, are read as lines (the report notes it).\n"
           "\n"
           "Options (PATH '-' writes to standard output):\n" +
           DocumentsHelp() +
           "  --report FORM   write the import report: what the import passed over or changed,\n"
           "                  with line numbers; FORM is text or json\n"
           "  --report-file PATH\n"
           "                  write the report to PATH (text unless --report json says json)\n"
           "  --out-dir DIR   write each FILE's outputs into DIR (made when missing); the\n"
           "                  documents' options and --report-file then take file names in\n"
           "                  which {name} stands for FILE's name without its extension.\n"
           "                  Without a document named, the JSON and the SVG are written, as\n"
           "                  {name}.json and {name}.svg; the report goes to\n"
           "                  {name}.report.text or {name}.report.json\n"
           "  --strict        fail (status 6) when the import may have lost data (the summary\n"
           "                  then says so: a damaged line, a value out of range, a file cut\n"
           "                  short, ...)\n"
           "  --keep-partial  when the import is aborted, write the outputs of what was read,\n"
           "                  each marked partial (by default an aborted import writes none)\n"
           "  -q, --quiet     print nothing but errors\n"
           "  --plugin PATH   the plug-in module to load (default: $CORVANE_PLUGIN, else the one\n"
           "                  next to this program, else in ../lib/corvane-import beside it)\n"
           "  --server PATH   the server module to load (default: $HALVEX_SERVER, else the one\n"
           "                  next to this program, else in ../lib/corvane-import beside it)\n"
           "  -h, --help      show this help and exit\n"
           "      --version   show the version and exit\n"
           "\n"
           "Without --quiet a summary goes to standard output (to standard error when an output\n"
           "goes there). Its Import line says \"complete\" only when nothing may have been lost,\n"
           "else \"data may have been lost\" and why. With several FILEs, which need --out-dir\n"
           "for their outputs, there is one status line per FILE instead. While importing from\n"
           "a terminal, a progress bar is drawn on standard error; press Escape to abort, then\n"
           "answer the confirmation with y or n.\n"
           "\n"
           "Outputs never destroy data: an output that is an input file or another output\n"
           "(however named: links, /dev/stdout) is refused; each is written beside its name and\n"
           "put in place only when complete, so an interruption or a full disk leaves an earlier\n"
           "file as it was; and a path that cannot be written fails before the import.\n"
           "\n"
           "Exit status (with several FILEs, the highest of theirs):\n"
           "  0  the board was imported to its end and the outputs were written (the summary\n"
           "     says whether data may have been lost)\n"
           "  1  FILE is missing, unreadable or not a Corvane board; nothing was imported\n"
           "  2  wrong command line, or outputs refused (an input, or one file twice)\n"
           "  3  the import was aborted; nothing was written (earlier files are kept), or\n"
           "     with --keep-partial the objects read so far, marked partial\n"
           "  4  an output could not be written (earlier files of its name are kept)\n"
           "  5  the plug-in or the server module could not be loaded, or the plug-in could\n"
           "     not start\n"
           "  6  --strict: the import may have lost data (the outputs were written)\n"
           "  7  out of memory, or another failure inside; nothing was written\n";
}

std::string VersionText() {
    return std::string("corvane-import ") + CORVANE_VERSION_STRING + "\n";
}

} // namespace corvane::cli
