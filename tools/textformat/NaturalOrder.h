#pragma once
// The order people give designators and pad names: runs of digits compare by value.

#include <string>

namespace corvane::cli {

/// Natural order of designators: runs of digits compare by value ("R2" < "R10").
bool NaturalLess(const std::string& a, const std::string& b);

} // namespace corvane::cli
