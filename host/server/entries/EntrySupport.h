#pragma once
// What the entry functions share: finding the record a handle names and moving the Net field.

#include "FieldExchange.h"
#include "Server.h"
#include "Status.h"

namespace halvex {

/// The object of that handle when it is of kind R (any kind for ObjectRecord), or nullptr.
template <typename R = ObjectRecord> R* FindObject(HostHandle handle) {
    if constexpr (std::is_same_v<R, ObjectRecord>) {
        return Server::Instance().Objects().Find(handle);
    } else {
        return Server::Instance().Objects().Find<R>(handle);
    }
}

inline BoardRecord* FindBoard(HostHandle handle) {
    return Server::Instance().FindBoard(handle);
}

/// Moves the object's Net; a write goes through the server so that the nets' members follow.
inline void ExchangeNet(const FieldExchange& move, std::uint32_t* net, ObjectRecord& object) {
    if (net == nullptr) {
        return;
    }
    if (move.Reading()) {
        *net = object.Net;
    } else {
        Server::Instance().AssignNet(object, *net);
    }
}

} // namespace halvex
