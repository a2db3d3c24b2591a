// Modules through LoadLibrary.

#include "cliplatform/DynamicLibrary.h"

#include <windows.h>

namespace corvane::cli {
namespace {

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

std::string ModuleFileName(const std::string& name) {
    return name + ".dll";
}

std::string InstalledModuleFolder() {
    return "";
}

DynamicLibrary DynamicLibrary::Load(const std::string& path, Visibility visibility) {
    DynamicLibrary library;
    (void)visibility; // a loaded DLL is found by its module name in any case
    library.handle_ = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (library.handle_ == nullptr) {
        library.error_ = LastSystemError();
    }
    return library;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::Unload() {
    if (handle_ == nullptr) {
        return;
    }
    FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

} // namespace corvane::cli
