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
    // The server hands out handles in the order it makes objects: usually sorted already.
    if (!std::is_sorted(entries_.begin(), entries_.end())) {
        std::sort(entries_.begin(), entries_.end());
    }
}

std::uint32_t ObjectLineIndex::LineOf(std::uint32_t handle) {
    if (next_ < entries_.size() && entries_[next_].first == handle) {
        return entries_[next_++].second;
    }
    const auto found = std::lower_bound(entries_.begin(), entries_.end(),
                                        std::pair<std::uint32_t, std::uint32_t>(handle, 0));
    if (found == entries_.end() || found->first != handle) {
        return 0;
    }
    next_ = std::size_t(found - entries_.begin()) + 1;
    return found->second;
}

} // namespace corvane::cli
