#include "pcbmodel/PcbObjectClass.h"

#include "serverclient/PcbApi.h"

#include <algorithm>

namespace corvane {
namespace {

// The host answers 1 for an index past its last member.
constexpr std::int32_t NoMoreMembers = 1;

} // namespace

TPCBObjectClass::TPCBObjectClass(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::ObjectClass);
}

std::int32_t TPCBObjectClass::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    const std::int32_t classResult =
        PcbApi_QueryClass(mode, Handle, &Tag, &ClassOption1, &ClassOption2, &ClassName);
    if (mode == ExchangeWrite || mode == 2) {
        return WriteMembers(classResult);
    }
    return ReadMembers();
}

// A partial list cannot replace the host's: removing all would lose the members never read.
std::int32_t TPCBObjectClass::WriteMembers(std::int32_t classResult) {
    std::int32_t result = classResult;
    std::size_t first = 0;
    if (partialMembers_) {
        first = std::min(membersHeld_, Members.size());
    } else {
        result = PcbApi_RemoveAllMembersFromClass(Handle);
    }
    for (std::size_t i = first; i < Members.size(); ++i) {
        const String255 name(Members[i]); // cut to 255 characters
        result = PcbApi_AddMemberToClass(Handle, &name);
    }
    membersHeld_ = Members.size();
    return result;
}

// A host that never answers "no more" must not keep the read going: it stops after
// MaxMembersPerRead members.
std::int32_t TPCBObjectClass::ReadMembers() {
    String255 member;
    std::int32_t index = 0;
    std::int32_t result = PcbApi_GetMemberFromClassAt(Handle, index, &member);
    partialMembers_ = false;
    while (result != NoMoreMembers) {
        Members.push_back(member.Str());
        if (++index == MaxMembersPerRead) {
            partialMembers_ = true;
            break;
        }
        member.Clear();
        result = PcbApi_GetMemberFromClassAt(Handle, index, &member);
    }
    membersHeld_ = Members.size();
    return result;
}

} // namespace corvane
