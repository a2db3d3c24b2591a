#include "pcbmodel/lookups/HandleReaders.h"

#include "pcbmodel/lookups/WrapHostObject.h"

#include "pcbmodel/PcbText.h"
#include "serverclient/PcbApi.h"

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

String255 PadNameFromDescription(HostHandle handle, TPcbPad& reader) {
    if (handle == 0 || (PcbApi_GetObjectIdFromObjectHandle(handle) & KindCodeMask) !=
                           KindCodeOf(ObjectKind::Pad)) {
        return PadNameOfHandle(handle);
    }
    reader.Handle = handle;
    reader.Name.Clear(); // as a new wrapper has it, should the host not answer
    reader.ExchangeDescription(ExchangeRead);
    String255 name;
    reader.GetName(name);
    return name;
}

String255 TextFromDescription(HostHandle handle) {
    if (handle == 0 || (PcbApi_GetObjectIdFromObjectHandle(handle) & KindCodeMask) !=
                           KindCodeOf(ObjectKind::Text)) {
        return TextOfHandle(handle);
    }
    TPcbText text(handle);
    text.ExchangeDescription(ExchangeRead);
    String255 string;
    text.GetText(string);
    return string;
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
