#pragma once
// Declares every PcbApi_ entry the plug-in calls, exported with C linkage under its plain name,
// from the same list the plug-in is built from: a definition with another signature does not
// compile. The entries of the host's table that the plug-in never calls are not exported, which
// is how a server that lacks an entry looks.

#include "contract/PcbApiEntries.h"

#define HALVEX_DECLARE_ENTRY(kind, result, name, unbound, params, args)                            \
    extern "C" PCBAPI_EXPORT result PCBAPI_CALL name params;
CORVANE_PCBAPI_ENTRIES(HALVEX_DECLARE_ENTRY)
#undef HALVEX_DECLARE_ENTRY
