#include "platform/posix/IniText.h"

#include <algorithm>
#include <cctype>

namespace corvane::platform::posix {
namespace {

constexpr std::string_view Blanks = " \t\r\n\v\f";
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view WithoutQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The name between '[' and ']' of a section line; a missing ']' ends the name at the line's end.
std::string_view SectionName(std::string_view line) {
    line.remove_prefix(1);
    return Trimmed(line.substr(0, line.find(']')));
}

} // namespace

std::optional<std::string> FindIniValue(std::istream& text, std::string_view section,
                                        std::string_view key) {
    enum class Place { BeforeSection, InSection };
    Place place = Place::BeforeSection;
    std::string raw;
    bool firstLine = true;
    while (std::getline(text, raw)) {
        std::string_view line = raw;
        if (firstLine && line.starts_with(Utf8ByteOrderMark)) {
            line.remove_prefix(Utf8ByteOrderMark.size());
        }
        firstLine = false;
        line = Trimmed(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (place == Place::InSection) {
                return std::nullopt; // only the first section of that name counts
            }
            if (SameNameIgnoringCase(SectionName(line), section)) {
                place = Place::InSection;
            }
            continue;
        }
        if (place != Place::InSection) {
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view name = Trimmed(line.substr(0, equals));
        if (SameNameIgnoringCase(name, key)) {
            if (equals == std::string_view::npos) {
                return std::string();
            }
            return std::string(WithoutQuotes(Trimmed(line.substr(equals + 1))));
        }
    }
    return std::nullopt;
}

} // namespace corvane::platform::posix
