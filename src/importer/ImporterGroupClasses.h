#pragma once
// The importer's classes of the two compound records, with no behaviour of their own.

#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbNet.h"

namespace corvane {

class TNet final : public TPcbNet {
public:
    using TPcbNet::TPcbNet;
};

class TComponent final : public TPcbComponent {
public:
    using TPcbComponent::TPcbComponent;
};

} // namespace corvane
