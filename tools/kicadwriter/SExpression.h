#pragma once
// Pieces of the KiCad board file's text: quoted strings and the identifiers of its objects.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvane::cli::kicad {

/// A quoted string as KiCad reads it: '"' and '\' escaped, line ends as \n and \r, tabs as \t;
/// the board's 8-bit text taken as ISO 8859-1 and written as UTF-8; other control characters,
/// which KiCad cannot show, as '?'.
std::string Quoted(std::string_view text);

/// The identifiers KiCad gives every object ("tstamp"), derived from the object's own text so
/// that the same board always gives the same file: a hash of the text and of how many objects
/// with the same text came before, in the form of a UUID.
class ContentIds {
public:
    std::string For(std::string_view content);

private:
    std::unordered_map<std::uint64_t, std::uint32_t> seen_; // by the text's hash
};

} // namespace corvane::cli::kicad
