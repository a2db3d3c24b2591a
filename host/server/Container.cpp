#include "Container.h"

#include "ObjectRecord.h"

#include <algorithm>

namespace halvex {

void Container::Add(const ObjectRecord& object) {
    members_.push_back({object.Handle, object.Kind, &object});
}

bool Container::Remove(HostHandle handle) {
    const auto found = std::find_if(members_.begin(), members_.end(),
                                    [handle](const Member& m) { return m.Handle == handle; });
    if (found == members_.end()) {
        return false;
    }
    members_.erase(found);
    return true;
}

} // namespace halvex
