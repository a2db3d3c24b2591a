#pragma once
// What the server keeps of every host object, whatever its kind. The kinds add their own fields
// in the records of PrimitiveRecords.h, PadRecord.h, TextRecord.h, GroupRecords.h and
// OtherRecords.h. Units: coordinates in host units of 1/10000 mil.

#include "KindRules.h"

#include "contract/HostTypes.h"

#include <cstdint>

namespace halvex {

using corvane::Bool8;
using corvane::HostHandle;
using corvane::TLayerId;

struct ObjectRecord {
    ObjectRecord(HostHandle handle, ObjectKind kind) : Handle(handle), Kind(kind) {}
    virtual ~ObjectRecord() = default;
    ObjectRecord(const ObjectRecord&) = delete;
    ObjectRecord& operator=(const ObjectRecord&) = delete;

    const HostHandle Handle;
    const ObjectKind Kind;

    /// The board or component that holds the object; 0 while it is in neither.
    HostHandle Holder = 0;

    // Fields every kind exchanges (PcbApi_QueryPrimitive and the bit-field entries), each at the
    // width of the contract.
    std::uint16_t Flags = 0;
    std::uint8_t BitField2 = 0;
    std::uint16_t BitField3 = 0;
    std::uint16_t Tag = 0;
    Bool8 ObjectFlag = 0;
    /// The net the object belongs to (0: none). For kinds a net takes, the object is among that
    /// net's members exactly when this names a net.
    std::uint32_t Net = 0;
    /// The component that holds the primitive (set when it is added to one); a write stores the
    /// value given.
    std::uint32_t OwnerHandle = 0;
    TLayerId Layer = 0;
    /// Reference point (host units): start of a track, centre of a pad, via or arc, first corner of
    /// a fill, origin of a text or component.
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

/// The record of kind R of an object, or nullptr when the object is of another kind. Each record
/// type names the kinds it serves with a static Accepts(ObjectKind).
template <typename R> R* As(ObjectRecord* object) {
    return object != nullptr && R::Accepts(object->Kind) ? static_cast<R*>(object) : nullptr;
}

} // namespace halvex
