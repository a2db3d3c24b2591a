#pragma once
// What the net reader asks to join a node: the pad a "designator-pin" reference names on the
// board, as the host's own search (FindPadByPinReference) answers it.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <cstdint>

namespace corvane {

class NodeLookup {
public:
    virtual ~NodeLookup() = default;

    /// A component the import made and then added to the board; addStatus is the host's answer
    /// to the adding (0: added).
    virtual void ComponentAdded(HostHandle component, std::int32_t addStatus) = 0;

    /// The pad the reference names, or 0. Sets *capped (when given) when a walk of the board or a
    /// component stopped at its cap.
    virtual HostHandle FindPad(const String255& reference, bool* capped) = 0;
};

} // namespace corvane
