#include "hostlink/ObjectLineIndex.h"

#include <algorithm>
#include <charconv>

namespace corvane::cli {

ObjectLineIndex::ObjectLineIndex(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const char* lineEnd = std::find(at, end, '\n');
        std::uint32_t handle = 0, line = 0;
        const auto first = std::from_chars(at, lineEnd, handle);
        if (first.ec == std::errc() && first.ptr < lineEnd && *first.ptr == ' ') {
            const auto second = std::from_chars(first.ptr + 1, lineEnd, line);
            if (second.ec == std::errc() && second.ptr == lineEnd && handle != 0) {
                entries_.emplace_back(handle, line);
            }
        }
        at = lineEnd == end ? end : lineEnd + 1;
    }
    if (entries_.empty()) {
        return;
    }
    const auto [low, high] =
        std::minmax_element(entries_.begin(), entries_.end(),
                            [](const auto& a, const auto& b) { return a.first < b.first; });
    const std::size_t range = std::size_t(high->first - low->first) + 1;
    if (range <= 2 * entries_.size()) {
        first_ = low->first;
        lines_.assign(range, 0);
        for (const auto& [handle, line] : entries_) {
            lines_[handle - first_] = line;
        }
        entries_ = {};
        return;
    }
    std::sort(entries_.begin(), entries_.end());
}

std::uint32_t ObjectLineIndex::LineOf(std::uint32_t handle) const {
    if (!lines_.empty()) {
        return handle >= first_ && handle - first_ < lines_.size() ? lines_[handle - first_] : 0;
    }
    const auto found = std::lower_bound(entries_.begin(), entries_.end(),
                                        std::pair<std::uint32_t, std::uint32_t>(handle, 0));
    return found != entries_.end() && found->first == handle ? found->second : 0;
}

} // namespace corvane::cli
