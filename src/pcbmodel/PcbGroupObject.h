#pragma once
// Common base of the model classes whose host objects own or gather other objects (components,
// nets, polygons, split planes, coordinates, dimensions). It adds nothing to TPCBObject; it
// marks the family.

#include "pcbmodel/PcbObject.h"

namespace corvane {

class TPcbGroupObject : public TPCBObject {
public:
    using TPCBObject::TPCBObject;
};

} // namespace corvane
