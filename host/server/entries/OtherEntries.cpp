// From-tos, manual from-tos, object classes and their members, embedded objects and boards, rules
// and violations.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "OtherRecords.h"

#include <cstring>

using corvane::Bool8;
using corvane::HostHandle;
using corvane::String255;
using namespace halvex;

namespace {

/// GetMemberFromClassAt's answer past the last member (and for a handle that is not a class).
constexpr std::int32_t EndOfMembers = 1;

} // namespace

extern "C" {

std::int32_t PCBAPI_CALL PcbApi_QueryFromTo(std::uint8_t mode, HostHandle handle,
                                            std::uint16_t* tag, std::int32_t* x, std::int32_t* y,
                                            Bool8* flagA, std::int32_t* x2, std::int32_t* y2,
                                            Bool8* flagB, std::uint32_t* net) {
    auto* fromTo = FindObject<FromToRecord>(handle);
    if (fromTo == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(tag, fromTo->Tag);
    move(x, fromTo->X);
    move(y, fromTo->Y);
    move(flagA, fromTo->FlagA);
    move(x2, fromTo->X2);
    move(y2, fromTo->Y2);
    move(flagB, fromTo->FlagB);
    ExchangeNet(move, net, *fromTo);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryManualFromTo(std::uint8_t mode, HostHandle handle,
                                                  std::uint16_t* tag, String255* t1, String255* t2,
                                                  String255* t3, std::int32_t* value) {
    auto* fromTo = FindObject<ManualFromToRecord>(handle);
    if (fromTo == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(tag, fromTo->Tag);
    String255* texts[] = {t1, t2, t3};
    for (std::size_t i = 0; i < fromTo->Texts.size(); ++i) {
        move(texts[i], fromTo->Texts[i]);
    }
    move(value, fromTo->Value);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryClass(std::uint8_t mode, HostHandle handle, std::uint16_t* tag,
                                           std::uint8_t* option1, std::uint8_t* option2,
                                           String255* className) {
    auto* objectClass = FindObject<ClassRecord>(handle);
    if (objectClass == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(tag, objectClass->Tag);
    move(option1, objectClass->Option1);
    move(option2, objectClass->Option2);
    move(className, objectClass->ClassName);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_AddMemberToClass(HostHandle handle, const String255* member) {
    auto* objectClass = FindObject<ClassRecord>(handle);
    if (objectClass == nullptr) {
        return StatusNoSuchObject;
    }
    if (member == nullptr) {
        return StatusBadArgument;
    }
    objectClass->Members.emplace_back(member->View());
    return StatusOk;
}

// 0 and the member at index 0..count-1; 1 past the last one (the member is then left as it is).
std::int32_t PCBAPI_CALL PcbApi_GetMemberFromClassAt(HostHandle handle, std::int32_t index,
                                                     String255* member) {
    const auto* objectClass = FindObject<ClassRecord>(handle);
    if (objectClass == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= objectClass->Members.size()) {
        return EndOfMembers;
    }
    if (member != nullptr) {
        member->Assign(objectClass->Members[static_cast<std::size_t>(index)]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_RemoveAllMembersFromClass(HostHandle handle) {
    auto* objectClass = FindObject<ClassRecord>(handle);
    if (objectClass == nullptr) {
        return StatusNoSuchObject;
    }
    objectClass->Members.clear();
    return StatusOk;
}

// The data block is the caller's buffer of 4096 bytes.
std::int32_t PCBAPI_CALL PcbApi_QueryEmbedded(std::uint8_t mode, HostHandle handle, String255* text,
                                              std::uint8_t* data) {
    auto* embedded = FindObject<EmbeddedRecord>(handle);
    if (embedded == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(text, embedded->Text);
    if (data == nullptr) {
        return StatusOk;
    }
    if (move.Reading()) {
        if (embedded->Data == nullptr) {
            std::memset(data, 0, EmbeddedRecord::DataSize);
        } else {
            std::memcpy(data, embedded->Data.get(), EmbeddedRecord::DataSize);
        }
    } else {
        if (embedded->Data == nullptr) {
            embedded->Data = std::make_unique<std::uint8_t[]>(EmbeddedRecord::DataSize);
        }
        std::memcpy(embedded->Data.get(), data, EmbeddedRecord::DataSize);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryEmbeddedBoard(
    std::uint8_t mode, HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,
    Bool8* objectFlag, std::int32_t* x, std::int32_t* y, String255* text, std::int32_t* v1,
    std::int32_t* v2, std::int32_t* v3, std::int32_t* v4, std::uint64_t* v64, Bool8* mirror,
    std::uint8_t* option) {
    auto* board = FindObject<EmbeddedBoardRecord>(handle);
    if (board == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, board->Flags);
    move(tag, board->Tag);
    move(objectFlag, board->ObjectFlag);
    move(x, board->X);
    move(y, board->Y);
    move(text, board->Text);
    std::int32_t* values[] = {v1, v2, v3, v4};
    for (std::size_t i = 0; i < board->Values.size(); ++i) {
        move(values[i], board->Values[i]);
    }
    move(v64, board->Value64);
    move(mirror, board->Mirror);
    move(option, board->Option);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryRule(
    std::uint8_t mode, HostHandle handle, std::uint8_t* o1, std::uint8_t* o2, std::uint8_t* o3,
    std::uint8_t* o4, std::uint8_t* o5, std::uint8_t* o6, std::uint8_t* o7, String255* t1,
    String255* t2, String255* t3, String255* t4, std::uint8_t* o8, std::uint8_t* o9,
    std::int32_t* v1, std::int32_t* v2, std::int32_t* v3, std::int32_t* v4, String255* t5,
    String255* t6, String255* t7, String255* t8, String255* t9, String255* t10) {
    auto* rule = FindObject<RuleRecord>(handle);
    if (rule == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    std::uint8_t* options[] = {o1, o2, o3, o4, o5, o6, o7, o8, o9};
    String255* texts[] = {t1, t2, t3, t4, t5, t6, t7, t8, t9, t10};
    std::int32_t* values[] = {v1, v2, v3, v4};
    // The order of the call: options 1..7, texts 1..4, options 8..9, values, texts 5..10.
    for (std::size_t i = 0; i < 7; ++i) {
        move(options[i], rule->Options[i]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        move(texts[i], rule->Texts[i]);
    }
    move(options[7], rule->Options[7]);
    move(options[8], rule->Options[8]);
    for (std::size_t i = 0; i < rule->Values.size(); ++i) {
        move(values[i], rule->Values[i]);
    }
    for (std::size_t i = 4; i < rule->Texts.size(); ++i) {
        move(texts[i], rule->Texts[i]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryViolation(std::uint8_t mode, HostHandle handle, String255* t1,
                                               String255* t2, std::int32_t* v1, std::int32_t* v2,
                                               std::int32_t* v3) {
    auto* violation = FindObject<ViolationRecord>(handle);
    if (violation == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(t1, violation->Texts[0]);
    move(t2, violation->Texts[1]);
    std::int32_t* values[] = {v1, v2, v3};
    for (std::size_t i = 0; i < violation->Values.size(); ++i) {
        move(values[i], violation->Values[i]);
    }
    return StatusOk;
}

} // extern "C"
