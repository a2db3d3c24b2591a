#pragma once
// Start-up and shutdown of the loaded module.

#include <string>

namespace corvane {

/// In this order: bind the host client entries and obtain the client interface; look up the
/// host's preference location and read its metric digits setting; create the scratch component;
/// bind the PCB server entry table. False when start-up failed: the module is then unusable, its
/// exports answer false, and nothing of the failed start-up is kept.
bool StartModule();

/// The part of start-up that may run while the system loader holds its lock (on Windows, inside
/// DllMain): binds the host client entries and obtains the client interface, which the host hands
/// its plug-ins as they load. The rest of start-up, which reads the registry, ini files and the
/// host's options and asks the shell for a folder, runs on the first ModuleReady(). False when
/// even the first part failed.
bool BeginModuleStartUp();

/// Frees the scratch component, releases the client interface and clears cached strings.
void StopModule();

/// Why start-up failed (the failure's own words); empty unless it failed.
std::string StartUpFailure();

/// True between a successful start-up and StopModule. Finishes a start-up begun by
/// BeginModuleStartUp first; a start-up that failed stays failed until StopModule.
bool ModuleReady();

} // namespace corvane
