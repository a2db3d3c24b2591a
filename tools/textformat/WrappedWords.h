#pragma once
// Words wrapped into lines, as --help shows a list too long for one line.

#include <cstddef>
#include <string>

namespace corvane::cli {

/// The words of the text (separated by single spaces) in lines of at most width columns where
/// the words allow, joined by line ends; the last line has none.
std::string WrappedWords(const std::string& text, std::size_t width);

} // namespace corvane::cli
