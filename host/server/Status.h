#pragma once
// Status results of the server's entries: the values HalvexHost.h publishes for hosts.

#include "contract/HalvexHost.h"

#include <cstdint>

namespace halvex {

inline constexpr std::int32_t StatusOk = HALVEX_STATUS_OK;
/// The handle names no object, or an object of another kind than the entry works on.
inline constexpr std::int32_t StatusNoSuchObject = HALVEX_STATUS_NO_SUCH_OBJECT;
/// An index or layer outside its range, or a container that does not take the object.
inline constexpr std::int32_t StatusBadArgument = HALVEX_STATUS_BAD_ARGUMENT;

} // namespace halvex
