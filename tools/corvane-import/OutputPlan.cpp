#include "corvane-import/OutputPlan.h"

#include "cliplatform/PlatformFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

std::string NameOf(const std::string& input) {
    return input == "-" ? "stdin" : fs::path(input).stem().string();
}

// Two paths that name the same output, spelled alike (case aside where names ignore it).
std::string Comparable(std::string path) {
    if (NamesIgnoreCase()) {
        std::transform(path.begin(), path.end(), path.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return path;
}

} // namespace

std::string ExpandNameFormat(const std::string& format, const std::string& name) {
    std::string expanded = format;
    const std::string placeholder = NamePlaceholder;
    for (auto at = expanded.find(placeholder); at != std::string::npos;
         at = expanded.find(placeholder, at + name.size())) {
        expanded.replace(at, placeholder.size(), name);
    }
    return expanded;
}

OutputPlan PlanOutputs(const Options& options) {
    OutputPlan plan;
    const bool single = options.InputFiles.size() == 1;
    // Each document asked for, by its kind, with its path or name format.
    std::vector<std::pair<const DocumentKind*, std::string>> formats;
    for (const DocumentKind& kind : DocumentKinds()) {
        const auto asked = options.Documents.find(std::string(kind.Option));
        if (asked != options.Documents.end()) {
            formats.emplace_back(&kind, asked->second);
        }
    }
    std::optional<std::string> report;
    if (!options.ReportFormat.empty()) {
        report = options.ReportPath.empty() ? std::string("-") : options.ReportPath;
    }
    if (options.OutDir) {
        // Into a folder: the pictures of the board unless a document was named, and the report
        // in a file of its own.
        for (const DocumentKind& kind : DocumentKinds()) {
            if (options.Documents.empty() && kind.WrittenByDefault) {
                formats.emplace_back(&kind, std::string(NamePlaceholder) + "." +
                                                std::string(kind.Extension));
            }
        }
        if (report && options.ReportPath.empty()) {
            report = std::string(NamePlaceholder) + ".report." + options.ReportFormat;
        }
    }
    const auto placed = [&](const std::string& format, const std::string& name) {
        return options.OutDir
                   ? (fs::path(*options.OutDir) / ExpandNameFormat(format, name)).string()
                   : format;
    };
    // Which file (by its place on the command line) and option claimed each output name first.
    std::map<std::string, std::pair<std::size_t, std::string>> writers;
    const auto claim = [&](std::size_t index, const std::string& option, const std::string& format,
                           const std::string& path) {
        if (path == "-") {
            if (!single) {
                plan.Error = "standard output ('-') can take the outputs of one FILE only";
            }
            return plan.Error.empty();
        }
        const auto [first, added] = writers.emplace(Comparable(path), std::pair{index, option});
        if (added) {
            return true;
        }
        const auto& [otherIndex, otherOption] = first->second;
        plan.Error =
            otherIndex == index
                ? otherOption + " and " + option + " would both write " + path +
                      "; each output needs its own name"
                : options.InputFiles[otherIndex] + " and " + options.InputFiles[index] +
                      " would both write " + path +
                      (format.find(NamePlaceholder) == std::string::npos
                           ? "; put " + std::string(NamePlaceholder) + " in the output's name"
                           : "");
        return false;
    };
    for (std::size_t index = 0; index < options.InputFiles.size(); ++index) {
        const std::string& input = options.InputFiles[index];
        FileOutputs file{input, NameOf(input), {}, {}};
        for (const auto& [kind, format] : formats) {
            const std::string path = format == "-" ? format : placed(format, file.Name);
            if (!claim(index, std::string(kind->Option), format, path)) {
                return plan;
            }
            file.Documents.push_back({kind, path});
        }
        if (report) {
            const std::string path = *report == "-" ? *report : placed(*report, file.Name);
            if (!claim(index, "--report-file", *report, path)) {
                return plan;
            }
            file.Report = path;
        }
        plan.Files.push_back(std::move(file));
    }
    return plan;
}

} // namespace corvane::cli
