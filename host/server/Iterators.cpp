#include "Iterators.h"

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

HostHandle NextMatch(IteratorState& iterator, const Container& container, const ObjectStore& objects) {
    while (iterator.Position < container.Size()) {
        const Container::Member& member = container.At(iterator.Position++);
        if (iterator.Kind != 0 && static_cast<std::uint8_t>(member.Kind) != iterator.Kind) {
            continue;
        }
        if (iterator.Layer != 0) {
            const ObjectRecord* object = objects.Find(member.Handle);
            if (object == nullptr || object->Layer != iterator.Layer) {
                continue;
            }
        }
        return member.Handle;
    }
    return 0;
}

} // namespace halvex
