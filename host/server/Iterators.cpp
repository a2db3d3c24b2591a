#include "Iterators.h"

#include "Layers.h"

#include <algorithm>

namespace halvex {

HostHandle IteratorTable::Create(const IteratorState& state) {
    if (next_ == 0) {
        return 0; // every iterator handle has been given
    }
    const HostHandle handle = next_++;
    iterators_.emplace(handle, state);
    return handle;
}

IteratorState* IteratorTable::Find(HostHandle handle) {
    const auto found = iterators_.find(handle);
    return found == iterators_.end() ? nullptr : &found->second;
}

bool IteratorTable::Destroy(HostHandle handle) { return iterators_.erase(handle) != 0; }

namespace {

bool IsCopperLayer(TLayerId layer) {
    return (layer >= TopLayer && layer <= BottomLayer) ||
           (layer >= InternalPlane1 && layer <= InternalPlane16);
}

bool OnIteratedLayer(const IteratorState& iterator, const ObjectRecord& object) {
    if (object.Layer == iterator.Layer) {
        return true;
    }
    return iterator.Rules.MultiLayerPadsOnCopper && object.Kind == ObjectKind::Pad &&
           object.Layer == MultiLayer && IsCopperLayer(iterator.Layer);
}

bool Matches(const IteratorState& iterator, const Container::Member& member,
             const ObjectStore& objects) {
    if (iterator.Kind != 0 && static_cast<std::uint8_t>(member.Kind) != iterator.Kind) {
        return false;
    }
    if (iterator.Layer == 0) {
        return true;
    }
    const ObjectRecord* object = objects.Find(member.Handle);
    return object != nullptr && OnIteratedLayer(iterator, *object);
}

} // namespace

void RestartIterator(IteratorState& iterator, const Container& container) {
    iterator.Position = iterator.Rules.NewestFirst ? container.Size() : 0;
}

HostHandle NextMatch(IteratorState& iterator, const Container& container,
                     const ObjectStore& objects) {
    if (iterator.Rules.NewestFirst) {
        // An object taken out behind the place may leave it past the end.
        iterator.Position = std::min(iterator.Position, container.Size());
        while (iterator.Position > 0) {
            const Container::Member& member = container.At(--iterator.Position);
            if (Matches(iterator, member, objects)) {
                return member.Handle;
            }
        }
        return 0;
    }
    while (iterator.Position < container.Size()) {
        const Container::Member& member = container.At(iterator.Position++);
        if (Matches(iterator, member, objects)) {
            return member.Handle;
        }
    }
    return 0;
}

} // namespace halvex
