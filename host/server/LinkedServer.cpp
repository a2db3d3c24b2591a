// The server linked into a program rather than loaded (contract/LinkedModule.h): the same exports
// by the same names as the module exports, every PcbApi_ entry the plug-in calls and every host
// function, from their lists.

#include "contract/HalvexHost.h"
#include "contract/LinkedModule.h"
#include "entries/ServerEntries.h"

namespace {

#define HALVEX_LINKED_ENTRY(kind, result, name, unbound, params, args) CORVANE_LINKED_EXPORT(name),
#define HALVEX_LINKED_HOST_FUNCTION(name) CORVANE_LINKED_EXPORT(Halvex_##name),
const corvane::LinkedExport serverExports[] = {
    CORVANE_PCBAPI_ENTRIES(HALVEX_LINKED_ENTRY) HALVEX_HOST_FUNCTIONS(HALVEX_LINKED_HOST_FUNCTION)};
#undef HALVEX_LINKED_HOST_FUNCTION
#undef HALVEX_LINKED_ENTRY

} // namespace

// Nothing to run at loading: the server's state is made (its host rules read) as the program
// starts.
const corvane::LinkedModule corvane::linked::Server{"Halvex", serverExports, nullptr, nullptr};
