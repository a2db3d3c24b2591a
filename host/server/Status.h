#pragma once
// Status results of the server's entries (the same values HalvexHost.h publishes for hosts).

#include <cstdint>

namespace halvex {

inline constexpr std::int32_t StatusOk = 0;
/// The handle names no object, or an object of another kind than the entry works on.
inline constexpr std::int32_t StatusNoSuchObject = 1;
/// An index or layer outside its range, or a container that does not take the object.
inline constexpr std::int32_t StatusBadArgument = 2;

} // namespace halvex
