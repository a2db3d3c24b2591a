#pragma once
// The host application's own entry points (the host client) and the client interface through
// which the host's settings are read. Shared by the plug-in and the substitute host client.

#include "contract/HostTypes.h"

#include <cstdint>

namespace corvane {

/// Reads values from one options file of the host. Statuses: 0 or positive success, negative error.
struct IHostOptionsReader {
    virtual std::int32_t PCBAPI_CALL ReadInteger(const char* section, const char* key,
                                                 std::int32_t defaultValue,
                                                 std::int32_t* value) = 0;
    virtual void PCBAPI_CALL Release() = 0;

protected:
    ~IHostOptionsReader() = default;
};

/// Hands out options readers for a named options set stored in a file.
struct IHostOptionsManager {
    virtual std::int32_t PCBAPI_CALL GetOptionsReader(const char* optionsName, const char* fileName,
                                                      IHostOptionsReader** reader) = 0;
    virtual void PCBAPI_CALL Release() = 0;

protected:
    ~IHostOptionsManager() = default;
};

/// The host client interface, kept by the module from start-up to shutdown.
struct IHostClient {
    virtual std::int32_t PCBAPI_CALL GetOptionsManager(IHostOptionsManager** manager) = 0;
    virtual void PCBAPI_CALL Release() = 0;

protected:
    ~IHostClient() = default;
};

namespace clientapi {
/// Does a file exist? Takes a zero-terminated ANSI name; answers a one-byte Boolean.
using ClientAPI_ExistSpecific_fn = Bool8(PCBAPI_CALL*)(const char* fileName);
/// Fills the reference with the host client interface (nullptr when there is none).
using ClientAPI_GetClientInterface_fn = void(PCBAPI_CALL*)(IHostClient** client);
} // namespace clientapi

} // namespace corvane

// Every entry above, which a host executable exports under its plain name: the one list from
// which the plug-in's table of them and the table of a host client linked into a program are made.
#define CORVANE_CLIENT_ENTRIES(X)                                                                  \
    X(ClientAPI_ExistSpecific)                                                                     \
    X(ClientAPI_GetClientInterface)
