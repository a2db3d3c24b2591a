#pragma once
// How code finds the modules of its process and their exports, whether the modules were loaded
// from files by the system (dlopen, LoadLibrary) or linked into the one program: the build binds
// each program one way (CORVANE_MODULE_BINDING, cmake/ModuleBinding.cmake), and the code that
// looks a module up is the same for both. The plug-in finds the server and the host executable's
// entries here; a host opens the server and the plug-in with Module (modules/Module.h).

namespace corvane::modules {

/// A module of the process, opaque; nullptr when there is none.
using ModuleHandle = const void*;

/// The module of that name ("Halvex.dll") when it is in the process already; never loads one.
/// Loaded: a module a host loaded (natively the library of soname libHalvex.so). Linked: the
/// module linked in under that name.
ModuleHandle FindLoadedModule(const char* moduleName);

/// The host executable's own module, whose exports are the host client's entries.
ModuleHandle HostExecutableModule();

/// The address the module exports under that exact name, or nullptr.
void* FindModuleSymbol(ModuleHandle module, const char* symbolName);

/// True when this program's modules are linked into it: no module is ever loaded from a file.
bool ModulesAreLinked();

} // namespace corvane::modules
