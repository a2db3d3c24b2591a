#pragma once
// The pieces of JSON text: strings, numbers and compact objects, written the same way on every
// platform so that the same board always gives the same bytes. Everything appends to a string the
// caller keeps, so that a document of a million objects costs no allocation per object.

#include "jsontext/JsonString.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::cli::json {

/// JSON string literals: the one writer the plug-in's report uses too.
using corvane::jsontext::AppendQuoted;
using corvane::jsontext::ControlBytes;
using corvane::jsontext::Quote;
using corvane::jsontext::TextBytes;

/// The shortest decimal text that reads back as the same double ("90", "22.5"); -0 is "0";
/// NaN and infinities, which JSON lacks, are null.
void AppendNumber(std::string& out, double value);
std::string Number(double value);

void AppendNumber(std::string& out, std::int64_t value);
std::string Number(std::int64_t value);

/// A compact object on one line, appended as its fields are given: {"a": 1, "b": "x"}. Field
/// names are written as they are: letters and digits only.
class CompactObject {
public:
    explicit CompactObject(std::string& out) : out_(out) { out_ += '{'; }

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

    /// Closes the object.
    void End() { out_ += '}'; }

private:
    void Name(std::string_view name);
    std::string& out_;
    bool first_ = true;
};

} // namespace corvane::cli::json
