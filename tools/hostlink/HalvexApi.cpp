#include "hostlink/HalvexApi.h"

namespace corvane::cli {

std::string ResolveHalvexApi(const modules::Module& server, HalvexApi& api) {
    std::string missing;
#define CORVANE_RESOLVE_HOST_FUNCTION(name)                                                        \
    if (!server.Resolve("Halvex_" #name, api.name) && missing.empty()) {                           \
        missing = "Halvex_" #name;                                                                 \
    }
    HALVEX_HOST_FUNCTIONS(CORVANE_RESOLVE_HOST_FUNCTION)
#undef CORVANE_RESOLVE_HOST_FUNCTION
    return missing;
}

} // namespace corvane::cli
