#pragma once

// Floating-point numbers as text, the same on every platform and standard library: the shortest
// form that reads back to the same double, and a fixed number of decimals. Some standard libraries
// (the WebAssembly build's) have no floating-point std::to_chars; these give its text everywhere.

#include <cstdint>
#include <string>

namespace corvane::cli::decimal {

// What std::to_chars(first, last, value) writes for a finite value: the fewest digits that read
// back to the value, in fixed or scientific notation, whichever is shorter (fixed on a tie).
void AppendShortest(std::string& out, double value);

// A finite value rounded to two decimals, without trailing zeros ("1.5", "-2", "0").
void AppendHundredths(std::string& out, double value);

} // namespace corvane::cli::decimal
