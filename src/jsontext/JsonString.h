#pragma once
// JSON string literals, written one way everywhere: the plug-in's import report and the
// command-line host's documents give the same text the same bytes. KiCad's files quote their
// strings the same way, but for the control characters KiCad cannot show.

#include "jsontext/EscapedText.h"

#include <string>
#include <string_view>

namespace corvane::jsontext {

/// What the control characters other than line feed, carriage return and tab, and DEL, become.
enum class ControlBytes {
    Escaped,  // \u00XX, as JSON writes them
    Replaced, // '?', for readers that cannot show them (KiCad)
};

/// Appends the text as a JSON string literal: quote and backslash escaped, line feed, carriage
/// return and tab as \n, \r, \t, the other control characters and DEL as ControlBytes says.
void AppendQuoted(std::string& out, std::string_view text, TextBytes bytes = TextBytes::Latin1,
                  ControlBytes control = ControlBytes::Escaped);

/// The text as a JSON string literal (see AppendQuoted).
std::string Quote(std::string_view text, TextBytes bytes = TextBytes::Latin1);

} // namespace corvane::jsontext
