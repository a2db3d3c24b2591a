#pragma once
// The order people give designators and pad names: runs of digits compare by value.

#include <string_view>

namespace corvane::cli {

/// Natural order of designators: runs of digits compare by value ("R2" < "R10").
bool NaturalLess(std::string_view a, std::string_view b);

} // namespace corvane::cli
