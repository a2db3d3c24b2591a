#include "hostlink/PluginApi.h"

namespace corvane::cli {

std::string ResolvePluginApi(const modules::Module& plugin, PluginApi& api) {
    std::string missing;
#define CORVANE_RESOLVE_EXPORT(name, required)                                                     \
    if (!plugin.Resolve(#name, api.name) && required && missing.empty()) {                         \
        missing = #name;                                                                           \
    }
    CORVANE_IMPORTER_EXPORTS(CORVANE_RESOLVE_EXPORT)
#undef CORVANE_RESOLVE_EXPORT
    return missing;
}

} // namespace corvane::cli
