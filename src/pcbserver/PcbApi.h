#pragma once
// Guarded wrappers of the host PCB server entry points, one per entry the module calls, with the
// entry's name and arguments. A wrapper binds the table if the server has not been found yet,
// returns the entry's fixed unbound result when the entry is missing, and otherwise calls it.
// Wrappers never raise and never interpret a result.

#include "pcbserver/PcbApiEntries.h"

namespace corvane {

#define CORVANE_DECLARE_WRAPPER(kind, result, name, unbound, params, args) result name params;
CORVANE_PCBAPI_ENTRIES(CORVANE_DECLARE_WRAPPER)
#undef CORVANE_DECLARE_WRAPPER

} // namespace corvane
