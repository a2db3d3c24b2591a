// Module lookup on POSIX: "Halvex.dll" is the shared library whose soname is "libHalvex.so".

#include "platform/Platform.h"

#include <dlfcn.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace corvane::platform {
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
    return dlsym(module, symbolName);
}

std::string HostExecutableFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) {
        return {};
    }
    std::string folder(path, static_cast<std::size_t>(n));
    const auto slash = folder.rfind('/');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

} // namespace corvane::platform
