#pragma once
// Start-up and shutdown of the loaded module.

namespace corvane {

/// In this order: bind the host client entries and obtain the client interface; read the host's
/// settings; create the scratch component; bind the PCB server entry table. False when start-up
/// failed: the module is then unusable and its exports answer false.
bool StartModule();

/// Frees the scratch component, releases the client interface and clears cached strings.
void StopModule();

/// True between a successful StartModule and StopModule.
bool ModuleReady();

} // namespace corvane
