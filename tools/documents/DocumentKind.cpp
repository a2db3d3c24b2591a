#include "documents/DocumentKind.h"

#include <algorithm>
#include <utility>

namespace corvane::cli {

void DocumentSettings::Set(std::string_view option, std::string value) {
    values_.insert_or_assign(std::string(option), std::move(value));
}

bool DocumentSettings::Has(std::string_view option) const {
    return values_.find(option) != values_.end();
}

std::string DocumentSettings::ValueOr(std::string_view option, std::string_view fallback) const {
    const auto found = values_.find(option);
    return found != values_.end() ? found->second : std::string(fallback);
}

void DocumentNotes::AddLoss(std::string kind) {
    if (std::find(losses_.begin(), losses_.end(), kind) == losses_.end()) {
        losses_.push_back(std::move(kind));
    }
}

void DocumentNotes::AddBoardLine(std::string line) {
    boardLines_.push_back(std::move(line));
}

void DocumentNotes::SetClosingLine(std::string_view key, std::string line) {
    const auto found = std::find_if(closingLines_.begin(), closingLines_.end(),
                                    [&](const auto& keyed) { return keyed.first == key; });
    if (found != closingLines_.end()) {
        found->second = std::move(line);
    } else {
        closingLines_.emplace_back(std::string(key), std::move(line));
    }
}

std::string DocumentNotes::Losses() const {
    std::string joined;
    for (const std::string& kind : losses_) {
        joined += (joined.empty() ? "" : ", ") + kind;
    }
    return joined;
}

std::string DocumentNotes::BoardLines() const {
    std::string joined;
    for (const std::string& line : boardLines_) {
        joined += line + "\n";
    }
    return joined;
}

std::string DocumentNotes::ClosingLines() const {
    std::string joined;
    for (const auto& [key, line] : closingLines_) {
        joined += line.empty() ? "" : line + "\n";
    }
    return joined;
}

} // namespace corvane::cli
