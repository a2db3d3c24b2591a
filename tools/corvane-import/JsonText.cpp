#include "JsonText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace halvex::cli::json {

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            continue;
        case '\\':
            quoted += "\\\\";
            continue;
        case '\n':
            quoted += "\\n";
            continue;
        case '\r':
            quoted += "\\r";
            continue;
        case '\t':
            quoted += "\\t";
            continue;
        default:
            break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char hex[] = "0123456789abcdef";
            quoted += "\\u00";
            quoted += hex[byte >> 4];
            quoted += hex[byte & 0xF];
        } else if (byte >= 0x80) {
            quoted += static_cast<char>(0xC0 | (byte >> 6));
            quoted += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    if (value == 0) {
        return "0";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

CompactObject& CompactObject::Append(std::string_view name, std::string_view jsonValue) {
    if (text_.size() > 1) {
        text_ += ", ";
    }
    text_ += Quote(name);
    text_ += ": ";
    text_ += jsonValue;
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, std::int32_t value) {
    return Append(name, Number(static_cast<std::int64_t>(value)));
}

CompactObject& CompactObject::Field(std::string_view name, double value) {
    return Append(name, Number(value));
}

CompactObject& CompactObject::Field(std::string_view name, bool value) {
    return Append(name, value ? "true" : "false");
}

CompactObject& CompactObject::Field(std::string_view name, std::string_view value) {
    return Append(name, Quote(value));
}

CompactObject& CompactObject::Field(std::string_view name,
                                    const std::optional<std::string>& value) {
    return Append(name, value ? Quote(*value) : std::string("null"));
}

CompactObject& CompactObject::Raw(std::string_view name, std::string_view jsonValue) {
    return Append(name, jsonValue);
}

} // namespace halvex::cli::json
