#pragma once
// The files the host's modules are in, where the program loads them from files.

#include <string>

namespace corvane::cli {

/// The file name of a module of that name on this system: "libHalvex.so", "Halvex.dll".
std::string ModuleFileName(const std::string& name);

/// Where an installed program's modules are, relative to the program's folder: next to it on
/// Windows (""), in its own library folder beside bin/ elsewhere ("../lib/corvane-import/").
std::string InstalledModuleFolder();

} // namespace corvane::cli
