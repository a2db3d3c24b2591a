#pragma once
// A module a host program opens, the server or the plug-in, closed when the object goes: loaded
// from a file, or in the linked binding the module linked into the program under that name (see
// ModuleLookup.h).

#include "modules/ModuleLookup.h"

#include <string>
#include <vector>

namespace corvane::modules {

class Module {
public:
    enum class Visibility {
        /// Its exports serve modules opened later (the server: the plug-in finds it by name).
        Global,
        Local,
    };

    /// Opens the module of that name ("Halvex", "CorvaneImport"). Loaded: the first of the files
    /// that exists is loaded, or the first file when none does, so that the error names what was
    /// expected. Linked: the module linked in under that name, started as a loader starts it; the
    /// files are not looked at. On failure the object stays closed and Error() says why.
    static Module Open(const std::string& name, const std::vector<std::string>& files,
                       Visibility visibility);
    /// Loads exactly this file. Linked: nothing is loaded from a file, and Error() says so.
    static Module Load(const std::string& file, Visibility visibility);

    Module() = default;
    ~Module();
    Module(Module&& other) noexcept;
    Module& operator=(Module&& other) noexcept;
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool Opened() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }
    /// Where the module came from: the file loaded, or "linked into the program".
    const std::string& Source() const { return source_; }
    ModuleHandle Handle() const { return handle_; }

    /// The address exported under that exact name, or nullptr.
    void* Symbol(const char* name) const { return FindModuleSymbol(handle_, name); }

    /// Looks a function up and gives it the type of the pointer it is stored in.
    template <typename Function> bool Resolve(const char* name, Function& function) const {
        function = reinterpret_cast<Function>(Symbol(name));
        return function != nullptr;
    }

    /// Closes the module now (idempotent): unloads it, or stops a linked one as its loader would.
    void Close();

private:
    ModuleHandle handle_ = nullptr;
    std::string source_;
    std::string error_;
};

} // namespace corvane::modules
