// Module files on POSIX systems: shared libraries in the program's own library folder.

#include "cliplatform/ModuleFiles.h"

namespace corvane::cli {

std::string ModuleFileName(const std::string& name) {
    return "lib" + name + ".so";
}

std::string InstalledModuleFolder() {
    return "../lib/corvane-import/";
}

} // namespace corvane::cli
