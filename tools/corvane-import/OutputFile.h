#pragma once
// Writes a finished document to a file or to standard output, byte for byte on every platform.

#include <string>

namespace halvex::cli {

/// Writes text to path ("-": standard output). False with the reason in error when it failed.
bool WriteOutput(const std::string& path, const std::string& text, std::string& error);

} // namespace halvex::cli
