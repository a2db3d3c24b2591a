#pragma once
// Reads a board back from the server through its host-side view into plain values.

#include "BoardModel.h"
#include "ModuleLoader.h"

#include <cstdint>

namespace halvex::cli {

/// Everything on the board: its internal planes, free objects, components with their texts and
/// primitives, and nets with the pads they join. File, Version and Imported are left to the caller.
Board SnapshotBoard(const HalvexApi& server, std::uint32_t boardHandle);

} // namespace halvex::cli
