#include "pcbserver/lookups/HandleReaders.h"

#include "pcbserver/lookups/WrapHostObject.h"

namespace corvane {

// Objects without a text answer the base class's empty text, so no kind check is needed here; a
// kind without a class yields no object and so the empty string.

String255 PadNameOfHandle(HostHandle handle) {
    String255 name;
    if (handle != 0) {
        if (const auto object = WrapHostObject(handle)) {
            object->GetName(name);
        }
    }
    return name;
}

String255 TextOfHandle(HostHandle handle) {
    String255 text;
    if (handle != 0) {
        if (const auto object = WrapHostObject(handle)) {
            object->GetText(text);
        }
    }
    return text;
}

} // namespace corvane
