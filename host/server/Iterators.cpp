#include "Iterators.h"

#include "HostLayerTable.h"

#include <algorithm>

namespace halvex {

HostHandle IteratorTable::Create(const IteratorState& state) {
    if (next_ == 0) {
        return 0; // every iterator handle has been given
    }
    const HostHandle handle = next_++;
    iterators_.emplace_back(handle, state);
    return handle;
}

std::vector<std::pair<HostHandle, IteratorState>>::iterator
IteratorTable::Entry(HostHandle handle) {
    // Searched from the newest: the one a plug-in walks is almost always the last made.
    const auto found = std::find_if(iterators_.rbegin(), iterators_.rend(),
                                    [handle](const auto& live) { return live.first == handle; });
    return found == iterators_.rend() ? iterators_.end() : std::prev(found.base());
}

IteratorState* IteratorTable::Find(HostHandle handle) {
    const auto entry = Entry(handle);
    return entry == iterators_.end() ? nullptr : &entry->second;
}

bool IteratorTable::Destroy(HostHandle handle) {
    const auto entry = Entry(handle);
    if (entry == iterators_.end()) {
        return false;
    }
    *entry = iterators_.back(); // the order of the list does not matter
    iterators_.pop_back();
    return true;
}

namespace {

bool IsCopperLayer(TLayerId layer) {
    return (layer >= TopLayer && layer <= BottomLayer) ||
           (layer >= InternalPlane1 && layer <= InternalPlane16);
}

/// What an iterator looks for, taken out of its state so that the loop over the members keeps
/// it in registers: a plug-in walks a component's pads once for every layer.
struct Filter {
    std::uint8_t Kind;
    TLayerId Layer;
    bool MultiLayerPadsOnCopper;

    bool Matches(const Container::Member& member) const {
        if (Kind != 0 && static_cast<std::uint8_t>(member.Kind) != Kind) {
            return false;
        }
        if (Layer == 0) {
            return true;
        }
        const TLayerId own = member.Record->Layer;
        return own == Layer || (MultiLayerPadsOnCopper && member.Kind == ObjectKind::Pad &&
                                own == MultiLayer && IsCopperLayer(Layer));
    }
};

} // namespace

void RestartIterator(IteratorState& iterator, const Container& container) {
    iterator.Position = iterator.Rules.NewestFirst ? container.Size() : 0;
}

HostHandle NextMatch(IteratorState& iterator, const Container& container) {
    const Filter filter{iterator.Kind, iterator.Layer, iterator.Rules.MultiLayerPadsOnCopper};
    const std::size_t size = container.Size();
    // An object taken out behind the place may leave it past the end.
    std::size_t position = std::min(iterator.Position, size);
    HostHandle found = 0;
    if (iterator.Rules.NewestFirst) {
        while (position > 0 && found == 0) {
            const Container::Member& member = container.At(--position);
            found = filter.Matches(member) ? member.Handle : 0;
        }
    } else {
        while (position < size && found == 0) {
            const Container::Member& member = container.At(position++);
            found = filter.Matches(member) ? member.Handle : 0;
        }
    }
    iterator.Position = position;
    return found;
}

} // namespace halvex
