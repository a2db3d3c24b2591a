#include "boardmodel/StringPool.h"

#include <algorithm>
#include <stdexcept>

namespace corvane::cli {

std::size_t StringPool::Hash(std::string_view text) {
    // 64-bit FNV-1a, folded to the size of an index.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

std::size_t StringPool::SlotOf(std::string_view text) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = Hash(text) & mask;
    while (slots_[at] != 0 && View(slots_[at] - 1) != text) {
        at = (at + 1) & mask;
    }
    return at;
}

std::optional<StringPool::Id> StringPool::Find(std::string_view text) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const Id found = slots_[SlotOf(text)];
    return found != 0 ? std::optional<Id>(found - 1) : std::nullopt;
}

StringPool::Id StringPool::Intern(std::string_view text) {
    if (2 * (Size() + 1) > slots_.size()) {
        Grow();
    }
    const std::size_t at = SlotOf(text);
    if (slots_[at] != 0) {
        return slots_[at] - 1;
    }
    if (Size() >= std::size_t{UINT32_MAX} - 1) {
        throw std::length_error("too many different strings on the board");
    }
    bytes_.append(text);
    starts_.push_back(bytes_.size());
    slots_[at] = Id(Size());
    return Id(Size() - 1);
}

void StringPool::Grow() {
    std::vector<Id> slots(std::max<std::size_t>(slots_.size() * 2, 64), 0);
    const std::size_t mask = slots.size() - 1;
    for (Id id = 0; id < Size(); ++id) {
        std::size_t at = Hash(View(id)) & mask;
        while (slots[at] != 0) {
            at = (at + 1) & mask;
        }
        slots[at] = id + 1;
    }
    slots_ = std::move(slots);
}

} // namespace corvane::cli
