// The host client linked into a program whose modules are linked in (contract/LinkedModule.h):
// the entries the host executable exports under their plain names, by those names.

#include "HalvexClient.h"
#include "contract/HostClient.h"
#include "contract/LinkedModule.h"

namespace {

#define HALVEX_LINKED_CLIENT_ENTRY(name) CORVANE_LINKED_EXPORT(name),
const corvane::LinkedExport clientEntries[] = {CORVANE_CLIENT_ENTRIES(HALVEX_LINKED_CLIENT_ENTRY)};
#undef HALVEX_LINKED_CLIENT_ENTRY

} // namespace

const corvane::LinkedModule corvane::linked::HostExecutable{"", clientEntries, nullptr, nullptr};
