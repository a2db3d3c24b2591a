#pragma once
// Resolving a net node such as "U1-5" (designator, hyphen, pin name) to the host handle of the
// pad: the component is looked for on the top side, then on the bottom side.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

namespace corvane {

struct PinReferenceParts {
    String255 Designator; // before the first hyphen; empty without one
    String255 Pin;        // everything after the first hyphen, or the whole reference
};

/// Splits a reference at its first hyphen.
PinReferenceParts SplitPinReference(const String255& reference);

// Each search sets *capped (when given) when one of its walks stopped at MaxObjectsPerWalk.

/// The first component of the board on a classic layer whose designator text equals the
/// designator exactly (case-sensitive), or 0.
HostHandle FindComponentByDesignator(HostHandle board, const String255& designator, TLayer layer,
                                     bool* capped = nullptr);

/// The first pad of a component, in layer order 1..82, whose name equals the pin name exactly,
/// or 0. Component 0 gives 0 without calling the host.
HostHandle FindPadByPinName(HostHandle component, const String255& pin, bool* capped = nullptr);

/// The pad a reference names on the board, or 0 when no component or no pin matches.
HostHandle FindPadByPinReference(HostHandle board, const String255& reference,
                                 bool* capped = nullptr);

} // namespace corvane
