#include "pcbmodel/PcbObjectClass.h"

#include "pcbserver/PcbApi.h"

namespace corvane {
namespace {

// The host answers 1 for an index past its last member.
constexpr std::int32_t NoMoreMembers = 1;

} // namespace

TPCBObjectClass::TPCBObjectClass(HostHandle handle) : TPCBObject(handle) {
    ObjectId = objectkind::ObjectClass;
}

std::int32_t TPCBObjectClass::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    PcbApi_QueryClass(mode, Handle, &Tag, &ClassOption1, &ClassOption2, &ClassName);
    if (mode == ExchangeWrite || mode == 2) {
        return WriteMembers();
    }
    return ReadMembers();
}

std::int32_t TPCBObjectClass::WriteMembers() {
    std::int32_t result = PcbApi_RemoveAllMembersFromClass(Handle);
    for (const std::string& member : Members) {
        const String255 name(member); // cut to 255 characters
        result = PcbApi_AddMemberToClass(Handle, &name);
    }
    return result;
}

// A host that never answers "no more" must not keep the read going: it stops after
// MaxMembersPerRead members.
std::int32_t TPCBObjectClass::ReadMembers() {
    String255 member;
    std::int32_t index = 0;
    std::int32_t result = PcbApi_GetMemberFromClassAt(Handle, index, &member);
    while (result != NoMoreMembers) {
        Members.push_back(member.Str());
        if (++index == MaxMembersPerRead) {
            break;
        }
        member.Clear();
        result = PcbApi_GetMemberFromClassAt(Handle, index, &member);
    }
    return result;
}

} // namespace corvane
