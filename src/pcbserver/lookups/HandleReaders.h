#pragma once
// Reading a pad's name or a text's string when all one holds is the host handle.

#include "pcbserver/HostTypes.h"
#include "pcbserver/ShortString.h"

namespace corvane {

/// The name of the pad a handle names (for other kinds, the name the object gives: a net's name,
/// a component's designator); empty for handle 0 and for kinds without a model class.
String255 PadNameOfHandle(HostHandle handle);

/// The string of the text a handle names; empty for handle 0 and for objects that are not texts.
/// Either reader makes one property read of the object.
String255 TextOfHandle(HostHandle handle);

} // namespace corvane
