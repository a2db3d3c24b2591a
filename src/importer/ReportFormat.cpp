#include "importer/ReportFormat.h"

#include "jsontext/JsonString.h"

#include <array>
#include <vector>

namespace corvane {
namespace {

// Every kind, in the order of ReportKinds.
std::vector<ReportKind> AllKinds() {
    std::vector<ReportKind> kinds;
    for (std::size_t i = 0; i < ReportKinds.size(); ++i) {
        kinds.push_back(static_cast<ReportKind>(i));
    }
    return kinds;
}

// Control characters would garble a terminal.
std::string Printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    return out;
}

std::string LineList(const ReportGroup& group) {
    std::string lines;
    for (const std::uint64_t line : group.FirstLines) {
        lines += (lines.empty() ? "" : ", ") + std::to_string(line);
    }
    if (group.Count > group.FirstLines.size()) {
        lines += ", ...";
    }
    return lines;
}

} // namespace

std::string ReportCounts(const ImportReport& report) {
    std::string line =
        std::to_string(report.EntryCount()) + (report.EntryCount() == 1 ? " entry" : " entries");
    std::string separator = ": ";
    for (const ReportKind kind : AllKinds()) {
        const std::uint64_t count = report.CountOf(kind);
        if (count > 0) {
            line += separator + std::to_string(count) + " " + std::string(ReportKindName(kind));
            separator = ", ";
        }
    }
    return line;
}

std::string ReportAsText(const ImportReport& report) {
    std::string text = "Import report: " + ReportCounts(report) + "\n";
    for (const ReportGroup& group : report.Groups()) {
        text += "  " + std::string(ReportKindName(group.Kind)) + ": " + Printable(group.Detail);
        text +=
            group.Count == 1 ? " (line " : " (" + std::to_string(group.Count) + " times, lines ";
        text += LineList(group) + ")\n";
    }
    return text;
}

std::string ReportLosses(const ImportReport& report) {
    std::string kinds;
    for (const ReportKind kind : AllKinds()) {
        if (MayLoseData(kind) && report.CountOf(kind) > 0) {
            kinds += (kinds.empty() ? "" : ", ") + std::string(ReportKindName(kind));
        }
    }
    return kinds;
}

std::string ReportFailure(const ImportReport& report) {
    for (const ReportGroup& group : report.Groups()) {
        if (group.Kind == ReportKind::ImportFailed) {
            return group.Detail;
        }
    }
    return {};
}

std::string ReportAsJson(const ImportReport& report) {
    std::string json =
        "{\n  \"entries\": " + std::to_string(report.EntryCount()) +
        ",\n  \"mayHaveLostData\": " + (ReportLosses(report).empty() ? "false" : "true") +
        ",\n  \"counts\": {";
    std::string separator;
    for (const ReportKind kind : AllKinds()) {
        const std::uint64_t count = report.CountOf(kind);
        if (count > 0) {
            json +=
                separator + jsontext::Quote(ReportKindName(kind)) + ": " + std::to_string(count);
            separator = ", ";
        }
    }
    json += "},\n  \"groups\": [";
    separator = "\n    ";
    for (const ReportGroup& group : report.Groups()) {
        std::string lines;
        for (const std::uint64_t line : group.FirstLines) {
            lines += (lines.empty() ? "" : ", ") + std::to_string(line);
        }
        json += separator + "{\"kind\": " + jsontext::Quote(ReportKindName(group.Kind)) +
                ", \"detail\": " + jsontext::Quote(group.Detail) +
                ", \"count\": " + std::to_string(group.Count) + ", \"lines\": [" + lines + "]}";
        separator = ",\n    ";
    }
    json += report.Groups().empty() ? "]\n}\n" : "\n  ]\n}\n";
    return json;
}

} // namespace corvane
