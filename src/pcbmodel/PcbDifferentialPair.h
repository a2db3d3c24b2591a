#pragma once
// Model of a host differential pair. It has no fields of its own and uses the base exchange.

#include "pcbmodel/PcbObject.h"

namespace corvane {

class TPcbDifferentialPair : public TPCBObject {
public:
    explicit TPcbDifferentialPair(HostHandle handle) : TPCBObject(handle) {
        ObjectId = KindCodeOf(ObjectKind::DifferentialPair);
    }
};

} // namespace corvane
