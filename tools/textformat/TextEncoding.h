#pragma once
// The encodings of the program's texts. The board's strings are 8-bit ANSI text, taken as
// ISO 8859-1; file names are what the system gives, usually UTF-8.

#include <string>
#include <string_view>

namespace corvane::cli {

/// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool IsUtf8(std::string_view text);

/// A file name as UTF-8: kept as it is when it is UTF-8, else read as ISO 8859-1.
std::string FileNameAsUtf8(std::string_view name);

} // namespace corvane::cli
