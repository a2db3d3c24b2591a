#pragma once
// Loads the two modules a host has: the PCB server (first, so that the plug-in finds it by name
// when it starts) and the importer plug-in, and resolves what the program calls in each.

#include "cliplatform/DynamicLibrary.h"
#include "contract/CorvaneImporter.h"
#include "hostlink/HalvexApi.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

/// The plug-in's three exports for the host editor, and its import report (null when the
/// plug-in has none).
struct PluginApi {
    RecognisedPCBFile_fn RecognisedPCBFile = nullptr;
    GetPcbImporterDescription_fn GetPcbImporterDescription = nullptr;
    ImportFileIntoPcb_fn ImportFileIntoPcb = nullptr;
    GetImportReport_fn GetImportReport = nullptr;
};

/// Where to look for the modules: explicit paths win; empty means the default search.
struct ModulePaths {
    std::string Server;
    std::string Plugin;
};

class LoadedModules {
public:
    /// Loads the server, then the plug-in. On failure Error() says which module and why.
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
    DynamicLibrary serverModule_;
    DynamicLibrary pluginModule_;
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
