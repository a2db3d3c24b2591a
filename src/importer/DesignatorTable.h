#pragma once
// A table from designators to values, for the node index: open addressing over a small array of
// slots, each holding part of the name's hash and the index of its entry, so that a lookup on a
// board far larger than the cache reads one slot and then one entry.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

/// The designators of one side of the board. Open addressing: a lookup reads one slot of a
/// small array and then its entry, where a node-based table reads two scattered nodes.
template <typename Value> class DesignatorTable {
public:
    /// The value of the designator, or nullptr. Valid until the next TryEmplace.
    Value* Find(std::string_view designator);
    /// Adds the designator with the value unless it is there already (the first one stays); the
    /// value it has now, valid until the next TryEmplace, and whether it was added.
    std::pair<Value*, bool> TryEmplace(std::string_view designator, Value value);
    /// Hands every value to f, in the order the designators were added.
    template <typename F> void ForEachValue(F f) {
        for (Entry& entry : entries_) {
            f(entry.Data);
        }
    }
    void Clear() {
        entries_.clear();
        slots_.clear();
    }

private:
    struct Entry {
        std::string Designator;
        Value Data;
    };
    /// A slot holds the upper half of the name's hash (none where a hash has 32 bits) and the
    /// entry's index plus one, so that an empty slot is 0.
    static std::uint64_t SlotWord(std::uint64_t hash, std::size_t index) {
        return (hash & 0xFFFFFFFF00000000u) | (static_cast<std::uint64_t>(index) + 1);
    }
    /// The entry index a used slot holds.
    static std::size_t EntryOf(std::uint64_t word) {
        return static_cast<std::size_t>((word & 0xFFFFFFFFu) - 1);
    }
    /// Where a hash starts its probe (the mask is below the size of the slots, so never wider
    /// than std::size_t).
    static std::size_t FirstSlot(std::uint64_t hash, std::size_t mask) {
        return static_cast<std::size_t>(hash & mask);
    }
    static std::uint64_t HashOf(std::string_view designator) {
        return std::hash<std::string_view>{}(designator);
    }
    std::size_t FindSlot(std::string_view designator, std::uint64_t hash) const;
    void Grow();

    std::vector<Entry> entries_;
    std::vector<std::uint64_t> slots_; // a power of two in size, at most half full
};

template <typename Value>
inline std::size_t DesignatorTable<Value>::FindSlot(std::string_view designator,
                                                    std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = FirstSlot(hash, mask);; slot = (slot + 1) & mask) {
        const std::uint64_t word = slots_[slot];
        if (word == 0) {
            return slot; // not there: where it would go
        }
        if ((word & 0xFFFFFFFF00000000u) == (hash & 0xFFFFFFFF00000000u) &&
            entries_[EntryOf(word)].Designator == designator) {
            return slot;
        }
    }
}

template <typename Value> Value* DesignatorTable<Value>::Find(std::string_view designator) {
    if (slots_.empty()) {
        return nullptr;
    }
    const std::uint64_t word = slots_[FindSlot(designator, HashOf(designator))];
    return word == 0 ? nullptr : &entries_[EntryOf(word)].Data;
}

template <typename Value>
std::pair<Value*, bool> DesignatorTable<Value>::TryEmplace(std::string_view designator,
                                                           Value value) {
    if ((entries_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const std::uint64_t hash = HashOf(designator);
    const std::size_t slot = FindSlot(designator, hash);
    if (slots_[slot] != 0) {
        return {&entries_[EntryOf(slots_[slot])].Data, false};
    }
    entries_.push_back(Entry{std::string(designator), std::move(value)});
    slots_[slot] = SlotWord(hash, entries_.size() - 1);
    return {&entries_.back().Data, true};
}

template <typename Value> void DesignatorTable<Value>::Grow() {
    slots_.assign(std::max<std::size_t>(16, slots_.size() * 2), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const std::uint64_t hash = HashOf(entries_[index].Designator);
        std::size_t slot = FirstSlot(hash, mask);
        while (slots_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = SlotWord(hash, index);
    }
}

} // namespace corvane
