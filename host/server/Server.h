#pragma once
// The server's state: the open boards, every object, the iterators and the progress sink, with the
// operations that involve more than one object (creating a component with its texts, containers,
// nets). The entries of the module (entries/*.cpp) and the host functions (HostApi.cpp) are thin
// layers over it.

#include "BoardRecord.h"
#include "HostRules.h"
#include "Iterators.h"
#include "ObjectStore.h"
#include "ProgressSink.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace halvex {

class Server {
public:
    /// The module's one server, made when the module is loaded. Every entry call starts here:
    /// with nothing to check or make first, an entry's usual road is a few loads and no frame.
    static Server& Instance() { return instance_; }

    // Boards. Board handles are 0x40000001 and up, never reused.
    static constexpr HostHandle FirstBoardHandle = 0x40000001;
    HostHandle OpenBoard(std::string_view fileName);
    BoardRecord* FindBoard(HostHandle handle) const;
    BoardRecord* FindBoardByName(std::string_view fileName) const;

    /// How containers list their objects to iterators; from HALVEX_HOST_RULES at load.
    const HostRules& Rules() const { return rules_; }
    void SetRules(const HostRules& rules) { rules_ = rules; }

    ObjectStore& Objects() { return objects_; }
    const ObjectStore& Objects() const { return objects_; }
    IteratorTable& Iterators() { return iterators_; }
    ProgressSink& Progress() { return progress_; }

    /// A new object of the kind with the host's defaults, in no container; a component comes with
    /// its two texts. 0 for a kind code the server does not know.
    HostHandle CreateObject(std::uint8_t kindCode);

    /// The members of a board, component or net; nullptr for any other handle.
    const Container* MembersOf(HostHandle container) const;

    /// Puts the object into the container: a board takes any object but a board (its free
    /// objects, components and nets), a component takes primitives (IsComponentPart), a net takes
    /// conducting objects (IsNetMemberKind) and sets their Net. An object is held by one board or
    /// component at a time and in one net at a time: adding it elsewhere moves it. Adding it again
    /// where it is changes nothing. Statuses of Status.h; on a non-zero status nothing changes.
    std::int32_t AddToContainer(HostHandle container, HostHandle object);

    /// Sets the object's Net, keeping the nets' members in step (a conducting object is a member
    /// of the net it names). A value that names no net is stored as it is.
    void AssignNet(ObjectRecord& object, std::uint32_t net);

    /// Forgets every board, object and iterator (the progress sink stays).
    void Reset();

private:
    Server();

    static Server instance_;

    Container* MutableMembersOf(HostHandle container);

    HostHandle firstBoard_ = FirstBoardHandle;
    std::vector<std::unique_ptr<BoardRecord>> boards_;
    ObjectStore objects_;
    IteratorTable iterators_;
    ProgressSink progress_;
    HostRules rules_;
};

} // namespace halvex
