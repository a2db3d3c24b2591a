#pragma once
// Model of a host component body (a 3D body of a component). It has no fields of its own and
// uses the base exchange.

#include "pcbmodel/PcbObject.h"

namespace corvane {

class TPcbComponentBody : public TPCBObject {
public:
    explicit TPcbComponentBody(HostHandle handle) : TPCBObject(handle) {
        ObjectId = KindCodeOf(ObjectKind::ComponentBody);
    }
};

} // namespace corvane
