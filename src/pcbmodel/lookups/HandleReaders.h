#pragma once
// Reading a pad's name or a text's string when all one holds is the host handle.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"
#include "pcbmodel/PcbPad.h"

namespace corvane {

/// The name of the pad a handle names (for other kinds, the name the object gives: a net's name,
/// a component's designator); empty for handle 0 and for kinds without a model class.
String255 PadNameOfHandle(HostHandle handle);

/// The string of the text a handle names; empty for handle 0 and for objects that are not texts.
/// Either reader makes one property read of the object.
String255 TextOfHandle(HostHandle handle);

/// The same name as PadNameOfHandle, read with fewer host calls: for a handle the host reports as
/// a pad, its description alone is read into reader (the name travels in that one call; the
/// per-layer stack is not asked for), so that one wrapper serves many pads; any other handle is
/// read as PadNameOfHandle reads it.
String255 PadNameFromDescription(HostHandle handle, TPcbPad& reader);

/// The same string as TextOfHandle, read with fewer host calls: for a handle the host reports as
/// a text, its description alone (the string travels in that one call; TrueType, bar-code and
/// display settings are not asked for); any other handle is read as TextOfHandle reads it.
String255 TextFromDescription(HostHandle handle);

} // namespace corvane
