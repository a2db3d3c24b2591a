// Modules loaded through LoadLibrary.

#include "modules/Module.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace corvane::modules {
namespace {

HMODULE Native(ModuleHandle module) {
    return static_cast<HMODULE>(const_cast<void*>(module));
}

std::string LastSystemError() {
    const DWORD code = GetLastError();
    char buffer[512] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, buffer, sizeof(buffer) - 1, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
        text.pop_back();
    }
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace

ModuleHandle FindLoadedModule(const char* moduleName) {
    if (moduleName == nullptr) {
        return nullptr;
    }
    // GetModuleHandleA finds a loaded module only; it never loads one.
    return GetModuleHandleA(moduleName);
}

ModuleHandle HostExecutableModule() {
    return GetModuleHandleA(nullptr);
}

void* FindModuleSymbol(ModuleHandle module, const char* symbolName) {
    if (module == nullptr || symbolName == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(Native(module), symbolName));
}

Module Module::Load(const std::string& file, Visibility visibility) {
    Module module;
    (void)visibility; // a loaded DLL is found by its module name in any case
    module.handle_ = LoadLibraryA(file.c_str());
    module.source_ = file;
    if (module.handle_ == nullptr) {
        module.error_ = LastSystemError();
    }
    return module;
}

void Module::Close() {
    if (handle_ == nullptr) {
        return;
    }
    FreeLibrary(Native(handle_));
    handle_ = nullptr;
}

} // namespace corvane::modules
