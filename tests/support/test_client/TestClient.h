#pragma once
// A minimal host client for tests that run the importer in process: the executable exports
// ClientAPI_ExistSpecific and ClientAPI_GetClientInterface, which the plug-in looks up by name.

#include "contract/HostClient.h"

namespace testclient {

/// The interface ClientAPI_GetClientInterface hands out (nullptr: none).
void SetClientInterface(corvane::IHostClient* client);

/// Number of ClientAPI_ExistSpecific calls so far.
int ExistCalls();

} // namespace testclient
