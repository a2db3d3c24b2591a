#pragma once
// Base of the record of one object kind: fixes the kind and answers which kinds it serves.

#include "HostUnits.h"
#include "ObjectRecord.h"

namespace halvex {

template <ObjectKind K> struct KindRecord : ObjectRecord {
    explicit KindRecord(HostHandle handle, TLayerId layer = 0) : ObjectRecord(handle, K) {
        Layer = layer;
    }
    static constexpr bool Accepts(ObjectKind kind) { return kind == K; }
};

} // namespace halvex
