#pragma once
// Model of a host net, which gathers pads and other primitives. Joining an object to a net is
// done by adding it to the net's handle as container, not through this class.

#include "pcbmodel/PcbGroupObject.h"

#include <cstdint>

namespace corvane {

class TPcbNet : public TPcbGroupObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Net);

    explicit TPcbNet(HostHandle handle);

    std::int32_t Exchange(std::uint8_t mode) override;

    /// Exactly the stored name, also when it is empty.
    void GetName(String255& out) const override;

    String255 Name;
    std::uint8_t NetOption1 = 0;
    std::uint8_t NetOption2 = 0;
};

} // namespace corvane
