#pragma once
// Walks a board of the server through its host-side view and hands every object to a visitor,
// without keeping the board: memory stays that of one object at a time (and the names of nets
// and designators, asked once each).

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardVisitor.h"
#include "hostlink/HalvexApi.h"
#include "hostlink/ObjectLineIndex.h"

#include <cstdint>
#include <functional>

namespace corvane::cli {

/// Called once per member of the board (a component with its primitives counts as one).
using WalkStep = std::function<void()>;

/// The number of members of the board: the steps the walk will make.
std::int32_t BoardMemberCount(const HalvexApi& server, std::uint32_t boardHandle);

/// Begins with the header, visits the planes, then every free object, component (with its texts
/// and primitives) and net in the order the board holds them, then the end. With lines, each
/// object's Line is its file line (0 where the index has none).
void WalkBoard(const HalvexApi& server, std::uint32_t boardHandle, const DocumentHeader& header,
               BoardVisitor& visitor, const WalkStep& step = {},
               const ObjectLineIndex* lines = nullptr);

} // namespace corvane::cli
