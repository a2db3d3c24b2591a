#include "Server.h"

#include "GroupRecords.h"
#include "ObjectFactory.h"
#include "Status.h"
#include "TextRecord.h"

#include <cstdlib>

namespace halvex {

Server Server::instance_;

Server::Server() {
    const char* const rules = std::getenv("HALVEX_HOST_RULES");
    rules_ = HostRulesFromText(rules != nullptr ? rules : "");
}

HostHandle Server::OpenBoard(std::string_view fileName) {
    if (fileName.empty()) {
        return 0;
    }
    if (const BoardRecord* open = FindBoardByName(fileName)) {
        return open->Handle;
    }
    const HostHandle handle = firstBoard_ + static_cast<HostHandle>(boards_.size());
    if (handle >= IteratorTable::FirstIteratorHandle) {
        return 0;
    }
    boards_.push_back(std::make_unique<BoardRecord>(handle, std::string(fileName)));
    return handle;
}

BoardRecord* Server::FindBoard(HostHandle handle) const {
    if (handle < firstBoard_ || handle - firstBoard_ >= boards_.size()) {
        return nullptr;
    }
    return boards_[handle - firstBoard_].get();
}

BoardRecord* Server::FindBoardByName(std::string_view fileName) const {
    for (const auto& board : boards_) {
        if (board->FileName == fileName) {
            return board.get();
        }
    }
    return nullptr;
}

HostHandle Server::CreateObject(std::uint8_t kindCode) {
    ObjectRecord* object = MakeRecord(objects_, kindCode);
    if (object == nullptr) {
        return 0;
    }
    if (auto* component = As<ComponentRecord>(object)) {
        // The designator and comment belong to the component through these two handles only.
        const auto* designator = objects_.Make<TextRecord>();
        const auto* comment = objects_.Make<TextRecord>();
        component->NameText = designator != nullptr ? designator->Handle : 0;
        component->CommentText = comment != nullptr ? comment->Handle : 0;
    }
    return object->Handle;
}

const Container* Server::MembersOf(HostHandle container) const {
    if (const BoardRecord* board = FindBoard(container)) {
        return &board->Objects;
    }
    ObjectRecord* object = objects_.Find(container);
    if (auto* component = As<ComponentRecord>(object)) {
        return &component->Children;
    }
    if (auto* net = As<NetRecord>(object)) {
        return &net->Members;
    }
    return nullptr;
}

Container* Server::MutableMembersOf(HostHandle container) {
    return const_cast<Container*>(MembersOf(container));
}

std::int32_t Server::AddToContainer(HostHandle container, HostHandle objectHandle) {
    ObjectRecord* object = objects_.Find(objectHandle);
    Container* members = MutableMembersOf(container);
    if (object == nullptr || members == nullptr) {
        return StatusNoSuchObject;
    }
    if (auto* net = objects_.Find<NetRecord>(container)) {
        if (!IsNetMemberKind(object->Kind)) {
            return StatusBadArgument;
        }
        AssignNet(*object, net->Handle);
        return StatusOk;
    }
    const bool toComponent = objects_.Find<ComponentRecord>(container) != nullptr;
    if (toComponent && !IsComponentPart(object->Kind)) {
        return StatusBadArgument;
    }
    if (object->Holder == container) {
        return StatusOk;
    }
    if (Container* previous = MutableMembersOf(object->Holder)) {
        previous->Remove(objectHandle);
    }
    members->Add(*object);
    object->Holder = container;
    object->OwnerHandle = toComponent ? container : 0;
    return StatusOk;
}

void Server::AssignNet(ObjectRecord& object, std::uint32_t net) {
    if (object.Net == net) {
        return;
    }
    if (IsNetMemberKind(object.Kind)) {
        if (auto* previous = objects_.Find<NetRecord>(object.Net)) {
            previous->Members.Remove(object.Handle);
        }
        if (auto* next = objects_.Find<NetRecord>(net)) {
            next->Members.Add(object);
        }
    }
    object.Net = net;
}

void Server::Reset() {
    iterators_.Clear();
    objects_.Clear();
    firstBoard_ += static_cast<HostHandle>(boards_.size());
    boards_.clear();
}

} // namespace halvex
