#pragma once
// The server's host-side functions, as a host program finds them in the server module: one
// pointer for each function of the list in contract/HalvexHost.h.

#include "contract/HalvexHost.h"
#include "modules/Module.h"

#include <string>

namespace corvane::cli {

struct HalvexApi {
#define CORVANE_HALVEX_API_MEMBER(name) decltype(&Halvex_##name) name = nullptr;
    HALVEX_HOST_FUNCTIONS(CORVANE_HALVEX_API_MEMBER)
#undef CORVANE_HALVEX_API_MEMBER
};

/// Fills every function from the module's exports; the name of the first one it lacks, or "".
std::string ResolveHalvexApi(const modules::Module& server, HalvexApi& api);

} // namespace corvane::cli
