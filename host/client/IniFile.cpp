#include "IniFile.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>

namespace halvex::client {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

IniFile IniFile::Load(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        return IniFile();
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark) {
        text.remove_prefix(byteOrderMark.size());
    }
    std::map<std::string, std::string>* section = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = close == std::string_view::npos
                          ? nullptr
                          : &ini.sections_[Lower(Trim(line.substr(1, close - 1)))];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (section == nullptr || equals == std::string_view::npos) {
            continue; // a line outside any section, or without "=": not a setting
        }
        section->emplace(Lower(Trim(line.substr(0, equals))),
                         std::string(Trim(line.substr(equals + 1))));
    }
    return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const auto foundSection = sections_.find(Lower(section));
    if (foundSection == sections_.end()) {
        return std::nullopt;
    }
    const auto foundKey = foundSection->second.find(Lower(key));
    if (foundKey == foundSection->second.end()) {
        return std::nullopt;
    }
    return foundKey->second;
}

std::optional<std::int32_t> IniFile::Integer(std::string_view section, std::string_view key) const {
    const auto value = Value(section, key);
    return value ? ParseInteger(*value) : std::nullopt;
}

} // namespace halvex::client
