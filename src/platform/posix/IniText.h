#pragma once
// Reads one value from ini-style text the way Windows reads an ini file, for the POSIX stand-in
// of the registry and of ini files.

#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform::posix {

/// The value of the key in the section. Section and key names ignore case and the first of each
/// name wins; blanks around names and values and one pair of matching quotes around the value are
/// dropped; lines starting with ';' are comments. A line without '=' is a key with no value.
std::optional<std::string> FindIniValue(std::istream& text, std::string_view section,
                                        std::string_view key);

} // namespace corvane::platform::posix
