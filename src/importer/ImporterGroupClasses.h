#pragma once
// The importer's classes of the two compound records, with no behaviour of their own.

#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbNet.h"

#include <cstdint>

namespace corvane {

class TNet final : public TPcbNet {
public:
    using TPcbNet::TPcbNet;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Net);
};

class TComponent final : public TPcbComponent {
public:
    using TPcbComponent::TPcbComponent;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Component);
};

} // namespace corvane
