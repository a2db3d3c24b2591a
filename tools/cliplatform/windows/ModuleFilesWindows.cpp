// Module files on Windows: DLLs next to the program.

#include "cliplatform/ModuleFiles.h"

namespace corvane::cli {

std::string ModuleFileName(const std::string& name) {
    return name + ".dll";
}

std::string InstalledModuleFolder() {
    return "";
}

} // namespace corvane::cli
