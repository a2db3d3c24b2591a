#pragma once
// Guarded wrappers of the host PCB server entry points, one per entry the module calls, with the
// entry's name and arguments. A wrapper binds the table if the server has not been found yet,
// returns the entry's fixed unbound result when the entry is missing, and otherwise calls it.
// Wrappers never raise and never interpret a result.

#include "contract/PcbApiEntries.h"

namespace corvane {

#define CORVANE_DECLARE_WRAPPER(kind, result, name, unbound, params, args) result name params;
CORVANE_PCBAPI_ENTRIES(CORVANE_DECLARE_WRAPPER)
#undef CORVANE_DECLARE_WRAPPER

namespace pcbapi {

/// The server's entry in that slot of the name table while the server is found and exports it,
/// else nullptr; binds nothing. For loops that make hundreds of calls of the same entries: they
/// look each one up once, call it straight, and use the wrappers where this gives nullptr.
void* FoundEntry(std::size_t slot);

} // namespace pcbapi

} // namespace corvane
