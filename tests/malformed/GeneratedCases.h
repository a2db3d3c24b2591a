#pragma once
// The inputs of the corpus that the test makes at run time instead of keeping them as files: the
// large ones (a 1 MB line, 10,000-digit numbers, a net of 100,000 nodes, 50 MB of records) and
// every record cut short after each of its lines and in the middle of each.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace malformedtest {

/// The names of the generated inputs, as the outcome table gives them after "generated/".
std::vector<std::string> GeneratedCaseNames();

/// Writes the named input to the file; false when there is no such input or the file cannot be
/// written. Large inputs are written piece by piece, never held whole in memory.
bool WriteGeneratedCase(std::string_view name, const std::filesystem::path& file);

} // namespace malformedtest
