#pragma once
// The host side of the targets that import: the server and the plug-in are linked into the target
// and reached through the program's host link as corvane-import reaches them (the linked binding
// of the module seam), and the plug-in's exports are called with length-prefixed file names, as
// the host editor calls them.

#include "contract/CorvaneImporter.h"
#include "hostlink/ModuleLoader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvanefuzz {

/// The modules, opened once for the fuzzing process (the plug-in starts then, as when a host
/// loads it) and closed as it ends.
inline const corvane::cli::LoadedModules& Modules() {
    static const corvane::cli::LoadedModules modules = [] {
        corvane::cli::LoadedModules opened = corvane::cli::LoadedModules::Load({});
        if (!opened.Ok()) { // a plug-in that could not start says why
            std::fprintf(stderr, "%s\n", opened.Error().c_str());
            std::abort();
        }
        return opened;
    }();
    return modules;
}

inline const corvane::cli::HalvexApi& Server() {
    return Modules().Server();
}

inline bool CallRecognised(const std::string& fileName) {
    return Modules().Plugin().RecognisedPCBFile(corvane::ExportString(fileName).Data()) != 0;
}

inline bool CallImport(const std::string& fileName) {
    const corvane::ExportString name(fileName);
    const corvane::ExportString reserved("");
    return Modules().Plugin().ImportFileIntoPcb(name.Data(), reserved.Data()) != 0;
}

/// The report of the last import in one of its forms.
inline const char* ImportReport(std::uint8_t format) {
    return Modules().Plugin().GetImportReport(format);
}

} // namespace corvanefuzz
