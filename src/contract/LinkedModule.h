#pragma once
// A module linked into the program instead of loaded from a file (the linked binding of
// modules/): what a system loader would find in it, its exports by name, and what the loader
// would run when it loads and unloads it. Each module defines its own from the lists of its
// exports (PcbApiEntries.h and HalvexHost.h for the server, CorvaneImporter.h for the plug-in,
// HostClient.h for the host executable), so a linked program finds the same names a loaded one
// finds.

#include <cstddef>
#include <span>

namespace corvane {

/// One export: its exact name and its address.
struct LinkedExport {
    const char* Name;
    void* Address;
};

struct LinkedModule {
    /// The module's name without a system's prefix or suffix: "Halvex" for "Halvex.dll" and
    /// "libHalvex.so"; empty for the host executable.
    const char* Name;
    std::span<const LinkedExport> Exports;
    /// What the system loader runs when it loads the module and before it unloads it (on Windows
    /// its DllMain); null for nothing.
    void (*Load)();
    void (*Unload)();
};

namespace linked {
/// The three modules a linked program holds: the host's PCB server (host/server), the importer
/// plug-in (src/importer/exports) and the host executable's own entries (host/client).
extern const LinkedModule Server;
extern const LinkedModule Plugin;
extern const LinkedModule HostExecutable;
} // namespace linked

} // namespace corvane

/// An export of a linked module's table, by the name of the function it is.
#define CORVANE_LINKED_EXPORT(function)                                                            \
    (corvane::LinkedExport{#function, reinterpret_cast<void*>(&function)})
