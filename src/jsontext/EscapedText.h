#pragma once
// The loop every quoted or escaped text goes through: runs of bytes that stand for themselves are
// copied whole, the others written as the text's format escapes them. JSON strings (JsonString.h)
// and the command-line host's XML text share it.

#include <string>
#include <string_view>

namespace corvane::jsontext {

/// How the bytes of a text above 127 are read.
enum class TextBytes {
    Latin1, // a board's 8-bit ANSI text: each byte an ISO 8859-1 character, written as UTF-8
    Utf8,   // already UTF-8 (a file name): written as they are
};

/// Appends the text: printable ASCII for which standsForItself(c) holds, and bytes above 127 of
/// UTF-8 text, as they are; bytes above 127 of Latin-1 text as UTF-8; every other byte (control
/// characters, DEL and what the format escapes) as escape(out, c) writes it.
template <typename StandsForItself, typename Escape>
void AppendEscaped(std::string& out, std::string_view text, TextBytes bytes,
                   const StandsForItself& standsForItself, const Escape& escape) {
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 ? bytes == TextBytes::Utf8
                         : byte >= 0x20 && byte < 0x7F && standsForItself(c)) {
            continue;
        }
        out.append(text.data() + plainFrom, i - plainFrom);
        plainFrom = i + 1;
        if (byte >= 0x80) {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            escape(out, c);
        }
    }
    out.append(text.data() + plainFrom, text.size() - plainFrom);
}

} // namespace corvane::jsontext
