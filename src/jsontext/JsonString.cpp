#include "jsontext/JsonString.h"

namespace corvane::jsontext {

void AppendQuoted(std::string& out, std::string_view text, TextBytes bytes, ControlBytes control) {
    out += '"';
    AppendEscaped(
        out, text, bytes, [](char c) { return c != '"' && c != '\\'; },
        [control](std::string& escaped, char c) {
            switch (c) {
            case '"':
                escaped += "\\\"";
                return;
            case '\\':
                escaped += "\\\\";
                return;
            case '\n':
                escaped += "\\n";
                return;
            case '\r':
                escaped += "\\r";
                return;
            case '\t':
                escaped += "\\t";
                return;
            default:
                break;
            }
            if (control == ControlBytes::Replaced) {
                escaped += '?';
            } else {
                static constexpr char hex[] = "0123456789abcdef";
                const auto byte = static_cast<unsigned char>(c);
                escaped += "\\u00";
                escaped += hex[byte >> 4];
                escaped += hex[byte & 0xF];
            }
        });
    out += '"';
}

std::string Quote(std::string_view text, TextBytes bytes) {
    std::string quoted;
    AppendQuoted(quoted, text, bytes);
    return quoted;
}

} // namespace corvane::jsontext
