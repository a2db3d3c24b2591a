#pragma once
// Pieces of the KiCad board file's text: quoted strings, lengths and lists.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::cli::kicad {

/// A quoted string as KiCad reads it: '"' and '\' escaped, line ends as \n and \r, tabs as \t;
/// the board's 8-bit text taken as ISO 8859-1 and written as UTF-8; other control characters,
/// which KiCad cannot show, as '?'.
std::string Quoted(std::string_view text);
void AppendKicadQuoted(std::string& out, std::string_view text);

/// A length in the file: nanometres as millimetres. Every length of the file goes through
/// AppendKicadLength.
void AppendKicadLength(std::string& out, std::int64_t nanometres);
std::string KicadLength(std::int64_t nanometres);

/// Writes lists of the file onto the end of a text, knowing how deep it is: a list opened at the
/// start of a line is indented two spaces per level, the others follow what is before them after
/// a space. Several lists share a line until NewLine breaks it.
class SExprWriter {
public:
    SExprWriter(std::string& out, int depth) : out_(out), depth_(depth) {}

    SExprWriter& Open(std::string_view name);
    SExprWriter& Atom(std::string_view atom);
    SExprWriter& Quote(std::string_view text);
    SExprWriter& Length(std::int64_t nanometres);
    SExprWriter& Integer(std::int64_t value);
    /// An angle brought into [0, 360), as units::Degrees writes it.
    SExprWriter& Angle(double degrees);
    SExprWriter& Close();
    SExprWriter& NewLine();

    /// Where the last list opened starts.
    std::size_t LastOpen() const { return lastOpen_; }
    /// Where the text ends now, and the text written from such a place on.
    std::size_t Position() const { return out_.size(); }
    std::string_view Since(std::size_t position) const {
        return std::string_view(out_).substr(position);
    }

private:
    void Separate();

    std::string& out_;
    int depth_;
    std::size_t lastOpen_ = 0;
};

} // namespace corvane::cli::kicad
