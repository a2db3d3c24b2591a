#include "BoardSnapshot.h"

#include "BoardWalker.h"

namespace corvane::cli {

Board SnapshotBoard(const HalvexApi& server, std::uint32_t boardHandle) {
    BoardCollector collector;
    WalkBoard(server, boardHandle, collector);
    return collector.Take();
}

} // namespace corvane::cli
