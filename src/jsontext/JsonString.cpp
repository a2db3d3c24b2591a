#include "jsontext/JsonString.h"

namespace corvane::jsontext {

void AppendQuoted(std::string& out, std::string_view text, TextBytes bytes, ControlBytes control) {
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
        } else if (control == ControlBytes::Replaced) {
            out += '?';
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

std::string Quote(std::string_view text, TextBytes bytes) {
    std::string quoted;
    AppendQuoted(quoted, text, bytes);
    return quoted;
}

} // namespace corvane::jsontext
