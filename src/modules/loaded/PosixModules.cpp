// Modules loaded through dlopen. The host's module names are Windows names: "Halvex.dll" is the
// shared library whose soname is "libHalvex.so".

#include "modules/Module.h"

#include <dlfcn.h>

#include <string_view>

namespace corvane::modules {
namespace {

// A Windows module name maps to the soname of the native library: Name.dll -> libName.so.
std::string NativeModuleName(std::string_view moduleName) {
    constexpr std::string_view dllSuffix = ".dll";
    if (moduleName.size() > dllSuffix.size() &&
        moduleName.substr(moduleName.size() - dllSuffix.size()) == dllSuffix) {
        moduleName.remove_suffix(dllSuffix.size());
        return "lib" + std::string(moduleName) + ".so";
    }
    return std::string(moduleName);
}

// dlopen's handles are not written through; the lookups keep them as const.
void* Writable(ModuleHandle module) {
    return const_cast<void*>(module);
}

} // namespace

ModuleHandle FindLoadedModule(const char* moduleName) {
    if (moduleName == nullptr) {
        return nullptr;
    }
    const std::string name = NativeModuleName(moduleName);
    // RTLD_NOLOAD: only find a module that is already loaded; never load one.
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        // The lookup took a reference; the module stays loaded by whoever loaded it first.
        dlclose(handle);
    }
    return handle;
}

ModuleHandle HostExecutableModule() {
    // The main program's handle searches the global scope: the executable and the libraries
    // it was linked with.
    static void* const self = dlopen(nullptr, RTLD_NOW);
    return self;
}

void* FindModuleSymbol(ModuleHandle module, const char* symbolName) {
    if (module == nullptr || symbolName == nullptr) {
        return nullptr;
    }
    return dlsym(Writable(module), symbolName);
}

Module Module::Load(const std::string& file, Visibility visibility) {
    Module module;
    const int mode = RTLD_NOW | (visibility == Visibility::Global ? RTLD_GLOBAL : RTLD_LOCAL);
    module.handle_ = dlopen(file.c_str(), mode);
    module.source_ = file;
    if (module.handle_ == nullptr) {
        const char* reason = dlerror();
        module.error_ = reason != nullptr ? reason : "unknown error";
    }
    return module;
}

void Module::Close() {
    if (handle_ == nullptr) {
        return;
    }
    dlclose(Writable(handle_));
    handle_ = nullptr;
}

} // namespace corvane::modules
