#pragma once
// Makes the record of a new object of a kind, with the host's defaults (see each record).

#include "ObjectStore.h"

#include <cstdint>

namespace halvex {

/// The new record in the store, or nullptr for a kind code without a kind (0, 23..25, 27..255).
ObjectRecord* MakeRecord(ObjectStore& store, std::uint8_t kindCode);

} // namespace halvex
