#pragma once
// An ini file read into memory: sections of key=value lines, names compared without regard to
// ASCII case. See HalvexClient.h for the accepted form.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace halvex::client {

class IniFile {
public:
    /// Reads the file; a file that cannot be read gives an empty IniFile.
    static IniFile Load(const std::string& fileName);
    /// Reads ini text.
    static IniFile Parse(std::string_view text);

    /// The value of the key in the section (blanks around it removed), if both exist. Of keys
    /// given twice, the first counts.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    /// The value as a whole decimal number in the signed 32-bit range, if it is one.
    std::optional<std::int32_t> Integer(std::string_view section, std::string_view key) const;

private:
    // Section and key names lower-cased.
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

} // namespace halvex::client
