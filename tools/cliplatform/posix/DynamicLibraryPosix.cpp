// Modules through dlopen.

#include "cliplatform/DynamicLibrary.h"

#include <dlfcn.h>

namespace corvane::cli {

std::string ModuleFileName(const std::string& name) {
    return "lib" + name + ".so";
}

std::string InstalledModuleFolder() {
    return "../lib/corvane-import/";
}

DynamicLibrary DynamicLibrary::Load(const std::string& path, Visibility visibility) {
    DynamicLibrary library;
    const int mode = RTLD_NOW | (visibility == Visibility::Global ? RTLD_GLOBAL : RTLD_LOCAL);
    library.handle_ = dlopen(path.c_str(), mode);
    if (library.handle_ == nullptr) {
        const char* reason = dlerror();
        library.error_ = reason != nullptr ? reason : "unknown error";
    }
    return library;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
    return dlsym(handle_, name);
}

void DynamicLibrary::Unload() {
    if (handle_ == nullptr) {
        return;
    }
    dlclose(handle_);
    handle_ = nullptr;
}

} // namespace corvane::cli
