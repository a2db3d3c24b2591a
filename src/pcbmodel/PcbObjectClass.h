#pragma once
// Model of a host object class: a named group of objects, whose members the host lists by name.

#include "pcbmodel/PcbObject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class TPCBObjectClass : public TPCBObject {
public:
    /// The most members one read appends, whatever the host answers.
    static constexpr std::int32_t MaxMembersPerRead = 65536;

    explicit TPCBObjectClass(HostHandle handle);

    /// Exchanges the class properties, then writes (modes 0 and 2) the member list after
    /// removing all of the host's members, or reads (any other mode) the host's members and
    /// appends them to Members. Answers the result of the last member call (without one, that of
    /// the properties call). After a read that stopped at MaxMembersPerRead, writes leave the
    /// host's members as they are, those the read did not reach included, and only add the
    /// members appended to Members since.
    std::int32_t Exchange(std::uint8_t mode) override;

    String255 ClassName;
    std::uint8_t ClassOption1 = 0;
    std::uint8_t ClassOption2 = 0;
    std::vector<std::string> Members; // not cleared by a read

private:
    std::int32_t WriteMembers(std::int32_t classResult);
    std::int32_t ReadMembers();

    /// Members holds only part of the host's list: the host keeps members past the cap.
    bool partialMembers_ = false;
    /// Members[0, membersHeld_) are on the host already when the list is partial.
    std::size_t membersHeld_ = 0;
};

} // namespace corvane
