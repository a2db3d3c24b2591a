#include "hostlink/ModuleLoader.h"

#include "platform/Platform.h"

#include <cstdlib>
#include <filesystem>

namespace corvane::cli {
namespace {

constexpr const char* ServerModuleName = "Halvex";
constexpr const char* PluginModuleName = "CorvaneImport";

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

// The first candidate that exists is loaded; when none exists the first is tried, so that the
// message names what was expected.
DynamicLibrary LoadFirst(const std::vector<std::string>& candidates,
                         DynamicLibrary::Visibility visibility, std::string& tried) {
    for (const std::string& path : candidates) {
        if (IsFile(path)) {
            tried = path;
            return DynamicLibrary::Load(path, visibility);
        }
    }
    tried = candidates.empty() ? std::string() : candidates.front();
    return DynamicLibrary::Load(tried, visibility);
}

std::string Joined(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) {
        text += (text.empty() ? "" : ", ") + path;
    }
    return text;
}

bool ResolveServer(const DynamicLibrary& module, HalvexApi& api, std::string& missing) {
    struct Entry {
        const char* Name;
        bool Found;
    };
    const Entry entries[] = {
        {"Halvex_OpenBoard", ResolveFunction(module, "Halvex_OpenBoard", api.OpenBoard)},
        {"Halvex_CloseAllBoards",
         ResolveFunction(module, "Halvex_CloseAllBoards", api.CloseAllBoards)},
        {"Halvex_SetProgressSink",
         ResolveFunction(module, "Halvex_SetProgressSink", api.SetProgressSink)},
        {"Halvex_GetBoardInfo", ResolveFunction(module, "Halvex_GetBoardInfo", api.GetBoardInfo)},
        {"Halvex_GetMemberCount",
         ResolveFunction(module, "Halvex_GetMemberCount", api.GetMemberCount)},
        {"Halvex_GetMemberAt", ResolveFunction(module, "Halvex_GetMemberAt", api.GetMemberAt)},
        {"Halvex_GetObjectInfo",
         ResolveFunction(module, "Halvex_GetObjectInfo", api.GetObjectInfo)},
        {"Halvex_GetStackLayer",
         ResolveFunction(module, "Halvex_GetStackLayer", api.GetStackLayer)},
        {"Halvex_LayerName", ResolveFunction(module, "Halvex_LayerName", api.LayerName)},
    };
    for (const Entry& entry : entries) {
        if (!entry.Found) {
            missing = entry.Name;
            return false;
        }
    }
    return true;
}

bool ResolvePlugin(const DynamicLibrary& module, PluginApi& api, std::string& missing) {
    if (!ResolveFunction(module, "RecognisedPCBFile", api.RecognisedPCBFile)) {
        missing = "RecognisedPCBFile";
    } else if (!ResolveFunction(module, "GetPcbImporterDescription",
                                api.GetPcbImporterDescription)) {
        missing = "GetPcbImporterDescription";
    } else if (!ResolveFunction(module, "ImportFileIntoPcb", api.ImportFileIntoPcb)) {
        missing = "ImportFileIntoPcb";
    }
    // Optional: a plug-in without a report still imports.
    ResolveFunction(module, "GetImportReport", api.GetImportReport);
    return missing.empty();
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
    const auto serverCandidates =
        CandidatePaths(requested.Server, "HALVEX_SERVER", ModuleFileName(ServerModuleName));
    std::string tried;
    modules.serverModule_ = LoadFirst(serverCandidates, DynamicLibrary::Visibility::Global, tried);
    if (!modules.serverModule_.Loaded()) {
        modules.error_ = "cannot load the server module (looked for " + Joined(serverCandidates) +
                         "): " + modules.serverModule_.Error();
        return modules;
    }
    std::string missing;
    if (!ResolveServer(modules.serverModule_, modules.server_, missing)) {
        modules.error_ = "the server module " + tried + " lacks " + missing;
        return modules;
    }
    const auto pluginCandidates =
        CandidatePaths(requested.Plugin, "CORVANE_PLUGIN", ModuleFileName(PluginModuleName));
    modules.pluginModule_ = LoadFirst(pluginCandidates, DynamicLibrary::Visibility::Local, tried);
    if (!modules.pluginModule_.Loaded()) {
        modules.error_ = "cannot load the plug-in module (looked for " + Joined(pluginCandidates) +
                         "): " + modules.pluginModule_.Error();
        return modules;
    }
    if (!ResolvePlugin(modules.pluginModule_, modules.plugin_, missing)) {
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
    pluginModule_.Unload();
    serverModule_.Unload();
}

} // namespace corvane::cli
