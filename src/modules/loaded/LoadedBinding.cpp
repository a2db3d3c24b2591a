// The loaded binding, alike on every system: which of the files a module may be in is loaded.

#include "modules/Module.h"

#include <filesystem>
#include <system_error>

namespace corvane::modules {
namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

} // namespace

bool ModulesAreLinked() {
    return false;
}

Module Module::Open(const std::string& name, const std::vector<std::string>& files,
                    Visibility visibility) {
    (void)name; // a loaded module is found by its file
    for (const std::string& file : files) {
        if (IsFile(file)) {
            return Load(file, visibility);
        }
    }
    return Load(files.empty() ? std::string() : files.front(), visibility);
}

} // namespace corvane::modules
