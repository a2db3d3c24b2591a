// The linked binding: the server, the plug-in and the host executable's entries are linked into
// the program, each with its table of exports by name (contract/LinkedModule.h). Nothing is
// loaded from a file and no system loader is asked; a module is found by its name and its exports
// in its table, and opening the plug-in runs its start-up as loading it would.

#include "contract/LinkedModule.h"
#include "modules/Module.h"

#include <array>
#include <cstring>
#include <string_view>

namespace corvane::modules {
namespace {

constexpr std::array<const LinkedModule*, 2> OpenableModules = {&linked::Server, &linked::Plugin};

// A module's name as a host or the plug-in gives it: its Windows file name ("Halvex.dll") or its
// name alone ("Halvex").
const LinkedModule* FindLinked(std::string_view name) {
    constexpr std::string_view dllSuffix = ".dll";
    if (name.size() > dllSuffix.size() && name.ends_with(dllSuffix)) {
        name.remove_suffix(dllSuffix.size());
    }
    for (const LinkedModule* module : OpenableModules) {
        if (name == module->Name) {
            return module;
        }
    }
    return nullptr;
}

const LinkedModule& Of(ModuleHandle module) {
    return *static_cast<const LinkedModule*>(module);
}

// How many Modules hold each linked module open, as a system loader counts the loads of a file:
// the module starts at the first and stops when the last is closed.
int& OpenCount(const LinkedModule& module) {
    static std::array<int, OpenableModules.size()> counts{};
    std::size_t index = 0;
    while (OpenableModules[index] != &module) {
        ++index;
    }
    return counts[index];
}

} // namespace

bool ModulesAreLinked() {
    return true;
}

ModuleHandle FindLoadedModule(const char* moduleName) {
    return moduleName == nullptr ? nullptr : FindLinked(moduleName);
}

ModuleHandle HostExecutableModule() {
    return &linked::HostExecutable;
}

void* FindModuleSymbol(ModuleHandle module, const char* symbolName) {
    if (module == nullptr || symbolName == nullptr) {
        return nullptr;
    }
    for (const LinkedExport& entry : Of(module).Exports) {
        if (std::strcmp(entry.Name, symbolName) == 0) {
            return entry.Address;
        }
    }
    return nullptr;
}

Module Module::Open(const std::string& name, const std::vector<std::string>& files,
                    Visibility visibility) {
    (void)files;
    (void)visibility;
    Module module;
    const LinkedModule* linked = FindLinked(name);
    if (linked == nullptr) {
        module.error_ = "no module " + name + " is linked into this program";
        return module;
    }
    if (OpenCount(*linked)++ == 0 && linked->Load != nullptr) {
        linked->Load();
    }
    module.handle_ = linked;
    module.source_ = "linked into the program";
    return module;
}

Module Module::Load(const std::string& file, Visibility visibility) {
    (void)visibility;
    Module module;
    module.source_ = file;
    module.error_ = "this program has its modules linked in and loads none from a file";
    return module;
}

void Module::Close() {
    if (handle_ == nullptr) {
        return;
    }
    const LinkedModule& linked = Of(handle_);
    if (--OpenCount(linked) == 0 && linked.Unload != nullptr) {
        linked.Unload();
    }
    handle_ = nullptr;
}

} // namespace corvane::modules
