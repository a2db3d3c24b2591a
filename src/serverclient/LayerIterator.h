#pragma once
// Iterating the host's containers one kind of object on one classic layer at a time.

#include "contract/HostTypes.h"

#include <cstdint>
#include <functional>

namespace corvane {

/// The most objects one walk looks at: a host iterator that never ends must not hang the lookup.
inline constexpr std::int32_t MaxObjectsPerWalk = 1 << 20;

/// Opens a host iteration over objects of one kind (0: every kind) on one classic layer (0: the
/// no-layer identifier) of a container; answers the iterator handle, 0 when none.
HostHandle CreateLayerIterator(HostHandle container, std::uint8_t kind, std::uint8_t mode,
                               TLayer layer);

/// Walks the objects of one kind on one layer of a container, in the host's order, and answers
/// the first for which matches is true, or 0. The iterator is destroyed before this returns; an
/// iterator the host answers 0 for is neither walked nor destroyed. A walk that stops at
/// MaxObjectsPerWalk with objects left sets *capped (when given) to true, so that the caller can
/// tell.
HostHandle FindFirstOnLayer(HostHandle container, std::uint8_t kind, TLayer layer,
                            const std::function<bool(HostHandle)>& matches, bool* capped = nullptr);

} // namespace corvane
