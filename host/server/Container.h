#pragma once
// The objects a board, a component or a net holds, in the order they were added. Each entry keeps
// the object's kind beside its handle, so that iterating by kind does not touch the objects.
// Whether an object is a member is known from the object itself (the container or net it records),
// so adding is constant time; taking an object out (it moves elsewhere) searches the list.

#include "KindRules.h"

#include "contract/HostTypes.h"

#include <cstddef>
#include <vector>

namespace halvex {

using corvane::HostHandle;

struct ObjectRecord;

class Container {
public:
    /// The object's record is kept beside its handle: iterating by layer reads each member's
    /// layer, and a plug-in walks a component's pads once for every layer. Records live as long
    /// as every container that can hold them (the server forgets both together).
    struct Member {
        HostHandle Handle;
        ObjectKind Kind;
        const ObjectRecord* Record;
    };

    /// Appends the object; the caller makes sure it is not a member yet.
    void Add(const ObjectRecord& object);
    /// Takes the object out; true when it was a member.
    bool Remove(HostHandle handle);

    std::size_t Size() const { return members_.size(); }
    const Member& At(std::size_t index) const { return members_[index]; }

private:
    std::vector<Member> members_;
};

} // namespace halvex
