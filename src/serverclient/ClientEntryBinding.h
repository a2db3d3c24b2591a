#pragma once
// The host client entries, looked up once at start-up in the host executable's module.

#include "contract/HostClient.h"

#include <string>

namespace corvane {

/// Looks the client entries up in the host executable (null where the host lacks one).
void BindClientEntries();
/// Forgets the client entries (shutdown).
void UnbindClientEntries();

/// Asks the host whether the file exists; false when the entry is missing.
bool ClientExistSpecific(const std::string& fileName);

/// The host client interface, or nullptr when the host has none.
IHostClient* ObtainClientInterface();

} // namespace corvane
