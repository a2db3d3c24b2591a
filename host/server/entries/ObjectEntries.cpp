// Entries every object kind answers: creation, identity, the fields all kinds share, bounding
// rectangles and the user-interaction queries (which this host answers without a user).

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "Geometry.h"

using corvane::Bool8;
using corvane::HostHandle;
using corvane::TLayerId;
using namespace halvex;

extern "C" {

HostHandle PCBAPI_CALL PcbApi_CreateObject(std::uint8_t kind) {
    return Server::Instance().CreateObject(kind);
}

std::uint8_t PCBAPI_CALL PcbApi_GetObjectIdFromObjectHandle(HostHandle object) {
    const ObjectRecord* found = FindObject(object);
    return found == nullptr ? 0 : static_cast<std::uint8_t>(found->Kind);
}

void PCBAPI_CALL PcbApi_GetObjectBitField2(std::uint8_t mode, HostHandle handle,
                                           std::uint8_t* bitField2) {
    if (ObjectRecord* object = FindObject(handle)) {
        FieldExchange{mode}(bitField2, object->BitField2);
    }
}

void PCBAPI_CALL PcbApi_GetObjectBitField3(std::uint8_t mode, HostHandle handle,
                                           std::uint16_t* bitField3) {
    if (ObjectRecord* object = FindObject(handle)) {
        FieldExchange{mode}(bitField3, object->BitField3);
    }
}

std::int32_t PCBAPI_CALL PcbApi_QueryPrimitive(std::uint8_t mode, HostHandle handle,
                                               std::uint16_t* flags, std::uint16_t* tag,
                                               TLayerId* layer, std::uint32_t* net,
                                               std::uint32_t* ownerHandle, Bool8* objectFlag) {
    ObjectRecord* object = FindObject(handle);
    if (object == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(flags, object->Flags);
    move(tag, object->Tag);
    move(layer, object->Layer);
    ExchangeNet(move, net, *object);
    move(ownerHandle, object->OwnerHandle);
    move(objectFlag, object->ObjectFlag);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryObjectBoundingRectangle(HostHandle handle, std::int32_t* b1,
                                                             std::int32_t* b2, std::int32_t* b3,
                                                             std::int32_t* b4) {
    const ObjectRecord* object = FindObject(handle);
    if (object == nullptr) {
        return StatusNoSuchObject;
    }
    const Rect bounds = BoundingRectangle(Server::Instance().Objects(), *object);
    std::int32_t* out[] = {b1, b2, b3, b4};
    const std::int32_t values[] = {bounds.Left, bounds.Bottom, bounds.Right, bounds.Top};
    for (int i = 0; i < 4; ++i) {
        if (out[i] != nullptr) {
            *out[i] = values[i];
        }
    }
    return StatusOk;
}

// There is no user to ask: the object is taken as it is.
std::int32_t PCBAPI_CALL PcbApi_QueryObjectImport_FromUser(HostHandle handle) {
    return FindObject(handle) == nullptr ? StatusNoSuchObject : StatusOk;
}

// Nothing is drawn: invalidating succeeds for every object.
std::int32_t PCBAPI_CALL PcbApi_QueryObjectGraphicallyInvalidate(HostHandle handle) {
    return FindObject(handle) == nullptr ? StatusNoSuchObject : StatusOk;
}

} // extern "C"
