#include "OutputPlan.h"

#include "PlatformFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <tuple>

namespace halvex::cli {
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
    std::optional<std::string> json = options.JsonPath;
    std::optional<std::string> svg = options.SvgPath;
    std::optional<std::string> report;
    if (!options.ReportFormat.empty()) {
        report = options.ReportPath.empty() ? std::string("-") : options.ReportPath;
    }
    if (options.OutDir) {
        // Into a folder: both pictures of the board unless one was named, and the report in a
        // file of its own.
        if (!json && !svg) {
            json = std::string(NamePlaceholder) + ".json";
            svg = std::string(NamePlaceholder) + ".svg";
        }
        if (report && options.ReportPath.empty()) {
            report = std::string(NamePlaceholder) + ".report." + options.ReportFormat;
        }
    }
    // Which file (by its place on the command line) and option claimed each output name first.
    std::map<std::string, std::pair<std::size_t, const char*>> writers;
    for (std::size_t index = 0; index < options.InputFiles.size(); ++index) {
        const std::string& input = options.InputFiles[index];
        FileOutputs file{input, NameOf(input), {}, {}, {}};
        for (const auto& [format, into, option] :
             {std::tuple{&json, &file.Json, "--json"}, std::tuple{&svg, &file.Svg, "--svg"},
              std::tuple{&report, &file.Report, "--report"}}) {
            if (!*format) {
                continue;
            }
            if (**format == "-") {
                if (!single) {
                    plan.Error = "standard output ('-') can take the outputs of one FILE only";
                    return plan;
                }
                *into = "-";
                continue;
            }
            *into =
                options.OutDir
                    ? (fs::path(*options.OutDir) / ExpandNameFormat(**format, file.Name)).string()
                    : **format;
            const auto [first, added] =
                writers.emplace(Comparable(**into), std::pair{index, option});
            if (!added) {
                const auto& [otherIndex, otherOption] = first->second;
                plan.Error = otherIndex == index
                                 ? std::string(otherOption) + " and " + option +
                                       " would both write " + **into +
                                       "; each output needs its own name"
                                 : options.InputFiles[otherIndex] + " and " + input +
                                       " would both write " + **into +
                                       (format->value().find(NamePlaceholder) == std::string::npos
                                            ? "; put " + std::string(NamePlaceholder) +
                                                  " in the output's name"
                                            : "");
                return plan;
            }
        }
        plan.Files.push_back(std::move(file));
    }
    return plan;
}

} // namespace halvex::cli
