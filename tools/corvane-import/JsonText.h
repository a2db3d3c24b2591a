#pragma once
// The pieces of JSON text: strings, numbers and compact objects, written the same way on every
// platform so that the same board always gives the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace halvex::cli::json {

/// A JSON string literal. The board's strings are 8-bit ANSI text: bytes 128..255 are taken as
/// ISO 8859-1 and written as UTF-8; control characters are escaped.
std::string Quote(std::string_view text);

/// The shortest decimal text that reads back as the same double ("90", "22.5"); -0 is "0";
/// NaN and infinities, which JSON lacks, are null.
std::string Number(double value);

std::string Number(std::int64_t value);

/// A compact object on one line: {"a": 1, "b": "x"}.
class CompactObject {
public:
    CompactObject& Field(std::string_view name, std::int32_t value);
    CompactObject& Field(std::string_view name, double value);
    CompactObject& Field(std::string_view name, bool value);
    CompactObject& Field(std::string_view name, std::string_view value);
    CompactObject& Field(std::string_view name, const std::string& value) {
        return Field(name, std::string_view(value));
    }
    CompactObject& Field(std::string_view name, const char* value) {
        return Field(name, std::string_view(value));
    }
    CompactObject& Field(std::string_view name, const std::optional<std::string>& value);
    /// A value that is already JSON text.
    CompactObject& Raw(std::string_view name, std::string_view jsonValue);

    std::string Text() const { return text_ + "}"; }

private:
    CompactObject& Append(std::string_view name, std::string_view jsonValue);
    std::string text_ = "{";
};

} // namespace halvex::cli::json
