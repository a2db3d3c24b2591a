#include "cliplatform/DynamicLibrary.h"

#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace corvane::cli {
namespace {

#if defined(_WIN32)
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
#endif

} // namespace

DynamicLibrary::~DynamicLibrary() {
    Unload();
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Unload();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

DynamicLibrary DynamicLibrary::Load(const std::string& path, Visibility visibility) {
    DynamicLibrary library;
#if defined(_WIN32)
    (void)visibility; // a loaded DLL is found by its module name in any case
    library.handle_ = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (library.handle_ == nullptr) {
        library.error_ = LastSystemError();
    }
#else
    const int mode = RTLD_NOW | (visibility == Visibility::Global ? RTLD_GLOBAL : RTLD_LOCAL);
    library.handle_ = dlopen(path.c_str(), mode);
    if (library.handle_ == nullptr) {
        const char* reason = dlerror();
        library.error_ = reason != nullptr ? reason : "unknown error";
    }
#endif
    return library;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

void DynamicLibrary::Unload() {
    if (handle_ == nullptr) {
        return;
    }
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
    handle_ = nullptr;
}

} // namespace corvane::cli
