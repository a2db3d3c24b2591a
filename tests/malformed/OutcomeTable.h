#pragma once
// The outcome table of the malformed-input corpus (expected.txt): one case a line,
//
//   <case> <result> <counts...> [max-growth-mb=<n>]
//
// case:    a file of cases/, or generated/<name> for an input the test makes at run time;
// result:  true or false, the plug-in's answer to the import;
// counts:  <kind>=<n> for the objects the import leaves on the board (kinds: track via pad arc
//          fill text component net other), children=<n> for the primitives the components hold
//          together, net-members=<n> for the pads joined to the nets together; every count not
//          given is 0, and "nothing" stands for no count at all;
// max-growth-mb: the most the process's resident memory may grow during the import, in MB.
// "#" starts a comment line.

#include "BoardCounts.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace malformedtest {

inline constexpr std::string_view GeneratedPrefix = "generated/";

struct ExpectedOutcome {
    std::string Case;
    bool Result = false;
    BoardCounts Counts;
    std::optional<std::uint64_t> MaxGrowthMegabytes;
    int TableLine = 0;
};

/// Test names and failure messages show the case and its line of the table, not its bytes.
inline void PrintTo(const ExpectedOutcome& outcome, std::ostream* out) {
    *out << outcome.Case << " (expected.txt line " << outcome.TableLine << ")";
}

struct OutcomeTable {
    std::vector<ExpectedOutcome> Outcomes;
    std::vector<std::string> Errors; // lines that could not be read, with their line numbers
};

OutcomeTable LoadOutcomeTable(const std::filesystem::path& file);

} // namespace malformedtest
