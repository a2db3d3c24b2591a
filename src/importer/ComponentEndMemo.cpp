#include "importer/ComponentEndMemo.h"

namespace corvane {

void ComponentEndMemo::AddLinesWithoutEnd(std::span<const std::uint64_t> lineOffsets,
                                          std::uint64_t from) {
    lines_.erase(lines_.begin(), lines_.lower_bound(from));
    for (const std::uint64_t offset : lineOffsets) {
        if (lines_.size() >= MaxLines) {
            return;
        }
        lines_.insert(lines_.end(), offset);
    }
}

} // namespace corvane
