// Containers and iterators: Server.h says what goes where, Iterators.h what an iterator meets.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

using corvane::HostHandle;
using corvane::TLayerId;
using namespace halvex;

namespace {

HostHandle Step(HostHandle iterator, bool fromStart) {
    Server& server = Server::Instance();
    IteratorState* state = server.Iterators().Find(iterator);
    if (state == nullptr) {
        return 0;
    }
    const Container* container = server.MembersOf(state->ContainerHandle);
    if (container == nullptr) {
        return 0;
    }
    if (fromStart) {
        RestartIterator(*state, *container);
    }
    return NextMatch(*state, *container);
}

} // namespace

extern "C" {

std::int32_t PCBAPI_CALL PcbApi_AddObjectToContainer(HostHandle container, HostHandle object) {
    return Server::Instance().AddToContainer(container, object);
}

// The mode is not looked at (plug-ins pass 0). 0 for a handle that is not a container.
HostHandle PCBAPI_CALL PcbApi_CreateIterator(HostHandle container, std::uint8_t kind,
                                             std::uint8_t /*mode*/, TLayerId layer) {
    Server& server = Server::Instance();
    const Container* members = server.MembersOf(container);
    if (members == nullptr) {
        return 0;
    }
    IteratorState state{container, kind, layer, server.Rules(), 0};
    RestartIterator(state, *members);
    return server.Iterators().Create(state);
}

HostHandle PCBAPI_CALL PcbApi_GetFirstObject(HostHandle iterator) {
    return Step(iterator, true);
}

// Without a GetFirstObject before, the first object.
HostHandle PCBAPI_CALL PcbApi_GetNextObject(HostHandle iterator) {
    return Step(iterator, false);
}

std::int32_t PCBAPI_CALL PcbApi_DestroyIterator(HostHandle iterator) {
    return Server::Instance().Iterators().Destroy(iterator) ? StatusOk : StatusNoSuchObject;
}

} // extern "C"
