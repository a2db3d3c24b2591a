#pragma once
// XML for the pictures and pages: text escaped, and elements written attribute by attribute onto
// the end of a text, in the manner of the KiCad board's list writer (kicadwriter/SExpression.h).

#include "textformat/JsonText.h"
#include "textformat/Units.h"

#include <string>
#include <string_view>

namespace corvane::cli::xml {

using json::TextBytes;

/// Text for XML: markup characters escaped, bytes 128..255 taken as ISO 8859-1 (or kept, for
/// text that is UTF-8 already), control characters (which XML 1.0 forbids) shown as '?'.
void AppendText(std::string& out, std::string_view text, TextBytes bytes = TextBytes::Latin1);
std::string Text(std::string_view text, TextBytes bytes = TextBytes::Latin1);

/// One element written onto the end of a text: "<name", its attributes in the order given, then
/// its end, empty ("/>") or opening its content (">"), which the caller closes. Numbers are
/// written to the hundredth (units::AppendHundredths). An element left without its end can be
/// handed on for more attributes.
class Element {
public:
    Element(std::string& out, std::string_view name) : out_(out) {
        out_ += '<';
        out_ += name;
    }

    /// ` name="text"`, the text escaped.
    Element& Attribute(std::string_view name, std::string_view text) {
        Begin(name);
        AppendText(out_, text);
        return End();
    }
    /// ` name="value"`, for a value that needs no escaping (a class, a colour).
    Element& Plain(std::string_view name, std::string_view value) {
        return Begin(name).Put(value).End();
    }
    /// ` name="number"`.
    Element& Number(std::string_view name, double value) { return Begin(name).Put(value).End(); }

    /// An attribute of several pieces: Begin, then Put and Space, then End.
    Element& Begin(std::string_view name) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        return *this;
    }
    Element& Put(std::string_view plain) {
        out_ += plain;
        return *this;
    }
    Element& Put(double number) {
        units::AppendHundredths(out_, number);
        return *this;
    }
    Element& Space() {
        out_ += ' ';
        return *this;
    }
    Element& End() {
        out_ += '"';
        return *this;
    }

    /// Ends the element without content.
    void Empty() { out_ += "/>"; }
    /// Ends the element's start: its content follows.
    void Open() { out_ += '>'; }

private:
    std::string& out_;
};

} // namespace corvane::cli::xml
