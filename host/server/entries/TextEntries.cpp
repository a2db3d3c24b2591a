// Texts: the text and its geometry, the TrueType and bar-code settings, and the display string.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "TextRecord.h"

using corvane::Bool8;
using corvane::HostHandle;
using corvane::String254;
using corvane::String255;
using corvane::TLayerId;
using namespace halvex;

extern "C" {

std::int32_t PCBAPI_CALL PcbApi_QueryText(
    std::uint8_t mode, HostHandle handle, std::uint16_t* flags, std::uint16_t* tag, TLayerId* layer,
    std::uint32_t* net, Bool8* objectFlag, std::uint32_t* ownerHandle, std::int32_t* x,
    std::int32_t* y, std::int32_t* size, std::int32_t* fontId, double* rotation, Bool8* mirror,
    String254* text, std::int32_t* width, std::int32_t* aux2, std::int32_t* aux3) {
    auto* record = FindObject<TextRecord>(handle);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, record->Flags);
    move(tag, record->Tag);
    move(layer, record->Layer);
    ExchangeNet(move, net, *record);
    move(objectFlag, record->ObjectFlag);
    move(ownerHandle, record->OwnerHandle);
    move(x, record->X);
    move(y, record->Y);
    move(size, record->Size);
    move(fontId, record->FontId);
    move(rotation, record->Rotation);
    move(mirror, record->Mirror);
    move(text, record->Text);
    move(width, record->Width);
    move(aux2, record->Aux2);
    move(aux3, record->Aux3);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryTrueTypeTextInfo(std::uint8_t mode, HostHandle handle,
                                                      std::uint8_t* trueTypeKind,
                                                      String255* fontName, std::uint8_t* flag1,
                                                      std::uint8_t* flag2, std::uint8_t* flag3,
                                                      std::int32_t* trueTypeValue) {
    auto* record = FindObject<TextRecord>(handle);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(trueTypeKind, record->TrueTypeKind);
    move(fontName, record->FontName);
    move(flag1, record->TrueTypeFlag1);
    move(flag2, record->TrueTypeFlag2);
    move(flag3, record->TrueTypeFlag3);
    move(trueTypeValue, record->TrueTypeValue);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBarCodeTextInfo(std::uint8_t mode, HostHandle handle,
                                                     std::uint8_t* b1, std::uint8_t* b2,
                                                     std::uint8_t* b3, std::uint8_t* b4) {
    auto* record = FindObject<TextRecord>(handle);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(b1, record->BarCodeByte1);
    move(b2, record->BarCodeByte2);
    move(b3, record->BarCodeByte3);
    move(b4, record->BarCodeByte4);
    return StatusOk;
}

// The text as rendered; empty for a handle that is not a text.
void PCBAPI_CALL PcbApi_GetDesignatorDisplayString(String255* buffer, HostHandle textHandle) {
    if (buffer == nullptr) {
        return;
    }
    const auto* record = FindObject<TextRecord>(textHandle);
    if (record == nullptr) {
        buffer->Clear();
    } else {
        buffer->Assign(record->DisplayString());
    }
}

} // extern "C"
