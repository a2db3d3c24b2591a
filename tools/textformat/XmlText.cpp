#include "textformat/XmlText.h"

namespace corvane::cli::xml {

void AppendText(std::string& out, std::string_view text, TextBytes bytes) {
    jsontext::AppendEscaped(
        out, text, bytes, [](char c) { return c != '&' && c != '<' && c != '>' && c != '"'; },
        [](std::string& escaped, char c) {
            switch (c) {
            case '&':
                escaped += "&amp;";
                return;
            case '<':
                escaped += "&lt;";
                return;
            case '>':
                escaped += "&gt;";
                return;
            case '"':
                escaped += "&quot;";
                return;
            default:
                escaped += '?';
                return;
            }
        });
}

std::string Text(std::string_view text, TextBytes bytes) {
    std::string out;
    AppendText(out, text, bytes);
    return out;
}

} // namespace corvane::cli::xml
