#include "JsonText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace halvex::cli::json {

void AppendQuoted(std::string& out, std::string_view text, TextBytes bytes) {
    out += '"';
    // Runs of characters that stand for themselves are copied whole.
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') ||
            (byte >= 0x80 && bytes == TextBytes::Utf8)) {
            continue;
        }
        out.append(text.data() + plainFrom, i - plainFrom);
        plainFrom = i + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            continue;
        case '\\':
            out += "\\\\";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\r':
            out += "\\r";
            continue;
        case '\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        if (byte >= 0x80) {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        }
    }
    out.append(text.data() + plainFrom, text.size() - plainFrom);
    out += '"';
}

std::string Quote(std::string_view text) {
    std::string quoted;
    AppendQuoted(quoted, text);
    return quoted;
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

std::string Number(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

void AppendNumber(std::string& out, std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

std::string Number(std::int64_t value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

void CompactObject::Name(std::string_view name) {
    if (!first_) {
        out_ += ", ";
    }
    first_ = false;
    // Field names are the program's own plain words: nothing to escape.
    out_ += '"';
    out_ += name;
    out_ += "\": ";
}

CompactObject& CompactObject::Field(std::string_view name, std::int32_t value) {
    Name(name);
    AppendNumber(out_, std::int64_t{value});
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, double value) {
    Name(name);
    AppendNumber(out_, value);
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, bool value) {
    Name(name);
    out_ += value ? "true" : "false";
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, std::string_view value) {
    Name(name);
    AppendQuoted(out_, value);
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name,
                                    const std::optional<std::string>& value) {
    Name(name);
    if (value) {
        AppendQuoted(out_, *value);
    } else {
        out_ += "null";
    }
    return *this;
}

CompactObject& CompactObject::Raw(std::string_view name, std::string_view jsonValue) {
    Name(name);
    out_ += jsonValue;
    return *this;
}

} // namespace halvex::cli::json
