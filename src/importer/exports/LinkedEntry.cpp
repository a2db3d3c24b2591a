// The plug-in linked into a program rather than loaded: its exports by name, and the start-up and
// shutdown that the module's loader entry (ModuleEntry.cpp) runs when a system loads it, which
// the program's module seam runs when it opens and closes the plug-in.

#include "contract/CorvaneImporter.h"
#include "contract/LinkedModule.h"
#include "importer/ModuleLifetime.h"

namespace {

#define CORVANE_PLUGIN_EXPORT(name, required) CORVANE_LINKED_EXPORT(name),
const corvane::LinkedExport pluginExports[] = {CORVANE_IMPORTER_EXPORTS(CORVANE_PLUGIN_EXPORT)};
#undef CORVANE_PLUGIN_EXPORT

// As the loader entry of a loaded module: a failed start-up leaves the exports answering false.
void StartPlugin() {
    corvane::StartModule();
}

void StopPlugin() {
    corvane::StopModule();
}

} // namespace

const corvane::LinkedModule corvane::linked::Plugin{"CorvaneImport", pluginExports, &StartPlugin,
                                                    &StopPlugin};
