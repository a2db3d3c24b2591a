#pragma once
// The plug-in's exports, as a host program finds them in the plug-in module: one pointer for each
// export of the list in contract/CorvaneImporter.h.

#include "contract/CorvaneImporter.h"
#include "modules/Module.h"

#include <string>

namespace corvane::cli {

/// The host editor's three exports, and the import report (null when the plug-in has none).
struct PluginApi {
#define CORVANE_PLUGIN_API_MEMBER(name, required) name##_fn name = nullptr;
    CORVANE_IMPORTER_EXPORTS(CORVANE_PLUGIN_API_MEMBER)
#undef CORVANE_PLUGIN_API_MEMBER
};

/// Fills every export from the module; the name of the first one a host needs that it lacks, or
/// "" (a plug-in without a report still imports).
std::string ResolvePluginApi(const modules::Module& plugin, PluginApi& api);

} // namespace corvane::cli
