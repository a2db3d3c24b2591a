#include "OutcomeTable.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace malformedtest {
namespace {

std::optional<std::uint64_t> ParseCount(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// One "name=value" field into the outcome; false when it is not one the table knows.
bool ApplyField(const std::string& field, ExpectedOutcome& outcome) {
    if (field == "nothing") {
        return true;
    }
    const auto equals = field.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const std::string name = field.substr(0, equals);
    const auto value = ParseCount(std::string_view(field).substr(equals + 1));
    if (!value || *value > 100'000'000) {
        return false;
    }
    const int count = static_cast<int>(*value);
    if (const auto kind = KindIndex(name)) {
        outcome.Counts.Objects[*kind] = count;
    } else if (name == "children") {
        outcome.Counts.ComponentChildren = count;
    } else if (name == "net-members") {
        outcome.Counts.NetMembers = count;
    } else if (name == "max-growth-mb") {
        outcome.MaxGrowthMegabytes = *value;
    } else {
        return false;
    }
    return true;
}

std::optional<ExpectedOutcome> ParseLine(const std::string& line, int lineNumber) {
    std::istringstream fields(line);
    ExpectedOutcome outcome;
    outcome.TableLine = lineNumber;
    std::string result;
    if (!(fields >> outcome.Case >> result) || (result != "true" && result != "false")) {
        return std::nullopt;
    }
    outcome.Result = result == "true";
    std::string field;
    while (fields >> field) {
        if (!ApplyField(field, outcome)) {
            return std::nullopt;
        }
    }
    return outcome;
}

} // namespace

OutcomeTable LoadOutcomeTable(const std::filesystem::path& file) {
    OutcomeTable table;
    std::ifstream in(file);
    if (!in) {
        table.Errors.push_back("cannot read " + file.string());
        return table;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        if (auto outcome = ParseLine(line, lineNumber)) {
            table.Outcomes.push_back(std::move(*outcome));
        } else {
            table.Errors.push_back("line " + std::to_string(lineNumber) + ": " + line);
        }
    }
    return table;
}

} // namespace malformedtest
