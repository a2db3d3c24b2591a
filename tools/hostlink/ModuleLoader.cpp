#include "hostlink/ModuleLoader.h"

#include "cliplatform/ModuleFiles.h"
#include "platform/Platform.h"

#include <cstdlib>

namespace corvane::cli {
namespace {

using modules::Module;
using modules::ModulesAreLinked;

constexpr const char* ServerModuleName = "Halvex";
constexpr const char* PluginModuleName = "CorvaneImport";

std::string Joined(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) {
        text += (text.empty() ? "" : ", ") + path;
    }
    return text;
}

} // namespace

std::vector<std::string> CandidatePaths(const std::string& explicitPath,
                                        const char* environmentName, const std::string& fileName) {
    if (!explicitPath.empty()) {
        return {explicitPath};
    }
    std::vector<std::string> candidates;
    const char* fromEnvironment = environmentName ? std::getenv(environmentName) : nullptr;
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        candidates.emplace_back(fromEnvironment);
    }
    const std::string programFolder = corvane::platform::HostExecutableFolder();
    if (!programFolder.empty()) {
        candidates.push_back(programFolder + fileName);
        if (const std::string installed = InstalledModuleFolder(); !installed.empty()) {
            candidates.push_back(programFolder + installed + fileName);
        }
    }
    return candidates;
}

LoadedModules LoadedModules::Load(const ModulePaths& requested) {
    LoadedModules modules;
    if (ModulesAreLinked() && !(requested.Server.empty() && requested.Plugin.empty())) {
        modules.error_ = "the server and the plug-in are linked into this program: there is no "
                         "module to load from a file";
        return modules;
    }
    const auto serverCandidates =
        CandidatePaths(requested.Server, "HALVEX_SERVER", ModuleFileName(ServerModuleName));
    modules.serverModule_ =
        Module::Open(ServerModuleName, serverCandidates, Module::Visibility::Global);
    std::string tried = modules.serverModule_.Source();
    if (!modules.serverModule_.Opened()) {
        modules.error_ = "cannot load the server module (looked for " + Joined(serverCandidates) +
                         "): " + modules.serverModule_.Error();
        return modules;
    }
    std::string missing = ResolveHalvexApi(modules.serverModule_, modules.server_);
    if (!missing.empty()) {
        modules.error_ = "the server module " + tried + " lacks " + missing;
        return modules;
    }
    const auto pluginCandidates =
        CandidatePaths(requested.Plugin, "CORVANE_PLUGIN", ModuleFileName(PluginModuleName));
    modules.pluginModule_ =
        Module::Open(PluginModuleName, pluginCandidates, Module::Visibility::Local);
    tried = modules.pluginModule_.Source();
    if (!modules.pluginModule_.Opened()) {
        modules.error_ = "cannot load the plug-in module (looked for " + Joined(pluginCandidates) +
                         "): " + modules.pluginModule_.Error();
        return modules;
    }
    missing = ResolvePluginApi(modules.pluginModule_, modules.plugin_);
    if (!missing.empty()) {
        modules.error_ = "the plug-in module " + tried + " lacks the export " + missing;
        return modules;
    }
    // A plug-in whose start-up failed would refuse every file; its report says why, once.
    const char* failure = modules.plugin_.GetImportReport != nullptr
                              ? modules.plugin_.GetImportReport(CorvaneReportFailure)
                              : nullptr;
    if (failure != nullptr && *failure != '\0') {
        modules.error_ = std::string(failure) + " (" + tried + ")";
    }
    return modules;
}

LoadedModules::~LoadedModules() {
    // The plug-in goes first: its shutdown may still call the server.
    pluginModule_.Close();
    serverModule_.Close();
}

} // namespace corvane::cli
