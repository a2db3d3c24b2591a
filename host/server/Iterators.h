#pragma once
// Iterators over a container (board, component or net), by kind and by layer, in the order the
// objects were added, or newest first (HostRules). An iterator keeps its place in the container
// rather than a copy of it: objects added while it runs are met at the end in the order they were
// added and not at all newest first; an object taken out before its place shifts it by one.

#include "Container.h"
#include "HostRules.h"
#include "ObjectStore.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace halvex {

struct IteratorState {
    HostHandle ContainerHandle = 0;
    /// 0: every kind.
    std::uint8_t Kind = 0;
    /// 0: every layer; otherwise an object matches when its own layer identifier is this one
    /// (and a "MultiLayer" pad on any copper layer when the rules say so).
    corvane::TLayerId Layer = 0;
    /// The rules when the iterator was made.
    HostRules Rules;
    /// In insertion order: the index of the next member to look at; newest first: one past it.
    std::size_t Position = 0;
};

class IteratorTable {
public:
    /// Iterator handles have the top bit set, so they never equal an object or board handle.
    static constexpr HostHandle FirstIteratorHandle = 0x80000001;

    HostHandle Create(const IteratorState& state);
    IteratorState* Find(HostHandle handle);
    /// False for an unknown handle.
    bool Destroy(HostHandle handle);
    void Clear() { iterators_.clear(); }
    std::size_t Count() const { return iterators_.size(); }

private:
    std::vector<std::pair<HostHandle, IteratorState>>::iterator Entry(HostHandle handle);

    HostHandle next_ = FirstIteratorHandle;
    /// The live iterators, newest last. A plug-in keeps one or two alive at a time, making and
    /// destroying one per layer it walks: a short list searched from its end costs no allocation
    /// for that, where a hash table allocated a node per iterator.
    std::vector<std::pair<HostHandle, IteratorState>> iterators_;
};

/// Puts the iterator before the container's first object in its order.
void RestartIterator(IteratorState& iterator, const Container& container);

/// The next object of the container from the iterator's place on that matches its kind and
/// layer, moving the place past it; 0 at the end.
HostHandle NextMatch(IteratorState& iterator, const Container& container);

} // namespace halvex
