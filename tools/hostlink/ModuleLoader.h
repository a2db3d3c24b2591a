#pragma once
// Opens the two modules a host has: the PCB server (first, so that the plug-in finds it by name
// when it starts) and the importer plug-in, and finds what the program calls in each; through the
// module seam, so that they are loaded from files or, where the build links them in, found in the
// program (modules/Module.h).

#include "hostlink/HalvexApi.h"
#include "hostlink/PluginApi.h"
#include "modules/Module.h"

#include <string>
#include <vector>

namespace corvane::cli {

/// Where to look for the modules: explicit paths win; empty means the default search. A program
/// whose modules are linked in takes neither.
struct ModulePaths {
    std::string Server;
    std::string Plugin;
};

class LoadedModules {
public:
    /// Opens the server, then the plug-in. On failure Error() says which module and why.
    static LoadedModules Load(const ModulePaths& requested);

    LoadedModules() = default;
    LoadedModules(LoadedModules&&) noexcept = default;
    LoadedModules& operator=(LoadedModules&&) noexcept = default;
    ~LoadedModules();

    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    const HalvexApi& Server() const { return server_; }
    const PluginApi& Plugin() const { return plugin_; }

private:
    // The plug-in before the server, so that a move closes the plug-in first: its shutdown may
    // still call the server.
    modules::Module pluginModule_;
    modules::Module serverModule_;
    HalvexApi server_;
    PluginApi plugin_;
    std::string error_;
};

/// The candidate paths of a module, in the order they are tried: the explicit path alone when
/// given, else the environment variable, the program's folder and the installed module folder
/// beside it. Nothing else: an installed program never loads a module from a folder of the
/// machine it was built on (the build tree's program has copies of its modules beside it).
std::vector<std::string> CandidatePaths(const std::string& explicitPath,
                                        const char* environmentName, const std::string& fileName);

} // namespace corvane::cli
