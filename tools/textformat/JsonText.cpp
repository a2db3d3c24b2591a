#include "textformat/JsonText.h"

#include "textformat/DecimalText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace corvane::cli::json {

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    decimal::AppendShortest(out, value);
}

std::string Number(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

void AppendNumber(std::string& out, std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

std::string Number(std::int64_t value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

void CompactObject::Name(std::string_view name) {
    if (!first_) {
        out_ += ", ";
    }
    first_ = false;
    // Field names are the program's own plain words: nothing to escape.
    out_ += '"';
    out_ += name;
    out_ += "\": ";
}

CompactObject& CompactObject::Field(std::string_view name, std::int32_t value) {
    Name(name);
    AppendNumber(out_, std::int64_t{value});
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, double value) {
    Name(name);
    AppendNumber(out_, value);
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, bool value) {
    Name(name);
    out_ += value ? "true" : "false";
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name, std::string_view value) {
    Name(name);
    AppendQuoted(out_, value);
    return *this;
}

CompactObject& CompactObject::Field(std::string_view name,
                                    const std::optional<std::string>& value) {
    Name(name);
    if (value) {
        AppendQuoted(out_, *value);
    } else {
        out_ += "null";
    }
    return *this;
}

CompactObject& CompactObject::Raw(std::string_view name, std::string_view jsonValue) {
    Name(name);
    out_ += jsonValue;
    return *this;
}

} // namespace corvane::cli::json
