#pragma once
// The summary's line of the parts whose rotation the pads do not give: the KiCad board and the
// placement both infer rotations, and say so in the same words.

#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

/// The line's key among the summary's closing lines (DocumentNotes).
inline constexpr std::string_view UninferredPartsKey = "uninferred-parts";

/// "Placement:   2 parts with no inferred rotation: A30, T1", the parts in natural order; empty
/// when there are none.
std::string UninferredPartsLine(std::vector<std::string> parts);

} // namespace corvane::cli
