#include "kicadwriter/SExpression.h"

#include "textformat/JsonText.h"
#include "textformat/Units.h"

#include <array>
#include <charconv>

namespace corvane::cli::kicad {

void AppendKicadQuoted(std::string& out, std::string_view text) {
    json::AppendQuoted(out, text, json::TextBytes::Latin1, json::ControlBytes::Replaced);
}

std::string Quoted(std::string_view text) {
    std::string out;
    AppendKicadQuoted(out, text);
    return out;
}

void AppendKicadLength(std::string& out, std::int64_t nanometres) {
    units::AppendMillimetres(out, nanometres);
}

std::string KicadLength(std::int64_t nanometres) {
    std::string text;
    AppendKicadLength(text, nanometres);
    return text;
}

void SExprWriter::Separate() {
    if (out_.empty() || out_.back() == '\n') {
        out_.append(2 * std::size_t(depth_), ' ');
    } else if (out_.back() != '(') {
        out_ += ' ';
    }
}

SExprWriter& SExprWriter::Open(std::string_view name) {
    Separate();
    lastOpen_ = out_.size();
    out_ += '(';
    out_ += name;
    ++depth_;
    return *this;
}

SExprWriter& SExprWriter::Atom(std::string_view atom) {
    Separate();
    out_ += atom;
    return *this;
}

SExprWriter& SExprWriter::Quote(std::string_view text) {
    Separate();
    AppendKicadQuoted(out_, text);
    return *this;
}

SExprWriter& SExprWriter::Length(std::int64_t nanometres) {
    Separate();
    AppendKicadLength(out_, nanometres);
    return *this;
}

SExprWriter& SExprWriter::Integer(std::int64_t value) {
    Separate();
    std::array<char, 24> text{};
    const char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    out_.append(text.data(), static_cast<std::size_t>(end - text.data()));
    return *this;
}

SExprWriter& SExprWriter::Angle(double degrees) {
    Separate();
    units::AppendDegrees(out_, degrees);
    return *this;
}

SExprWriter& SExprWriter::Close() {
    --depth_;
    if (out_.empty() || out_.back() == '\n') {
        out_.append(2 * std::size_t(depth_), ' ');
    }
    out_ += ')';
    return *this;
}

SExprWriter& SExprWriter::NewLine() {
    out_ += '\n';
    return *this;
}

} // namespace corvane::cli::kicad
