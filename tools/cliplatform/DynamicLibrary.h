#pragma once
// A module loaded by path (dlopen / LoadLibrary), unloaded when the object goes.

#include <string>

namespace corvane::cli {

class DynamicLibrary {
public:
    enum class Visibility {
        /// Its symbols serve modules loaded later (the server: the plug-in finds it by name).
        Global,
        Local,
    };

    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    /// Loads the module; on failure the object stays empty and Error() says why.
    static DynamicLibrary Load(const std::string& path, Visibility visibility);

    bool Loaded() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }

    /// The address exported under that exact name, or nullptr.
    void* Symbol(const char* name) const;

    /// Unloads now (idempotent).
    void Unload();

private:
    void* handle_ = nullptr;
    std::string error_;
};

/// The file name of a module of that name on this system: "libHalvex.so", "Halvex.dll".
std::string ModuleFileName(const std::string& name);

/// Where an installed program's modules are, relative to the program's folder: next to it on
/// Windows (""), in its own library folder beside bin/ elsewhere ("../lib/corvane-import/").
std::string InstalledModuleFolder();

/// Looks a function up and gives it the type of the pointer it is stored in.
template <typename Function>
bool ResolveFunction(const DynamicLibrary& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library.Symbol(name));
    return function != nullptr;
}

} // namespace corvane::cli
