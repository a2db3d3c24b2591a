// The host client's entries and test hooks (HalvexClient.h).

#include "HalvexClient.h"

#include "ClientInterfaces.h"
#include "ClientState.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <type_traits>

using namespace halvex::client;

namespace {

void CopyOut(const std::string& text, char* target, std::int32_t size) {
    if (target == nullptr || size <= 0) {
        return;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

} // namespace

// The entry types the plug-in binds these two with.
static_assert(std::is_same_v<decltype(&ClientAPI_ExistSpecific),
                             corvane::clientapi::ClientAPI_ExistSpecific_fn>);
static_assert(std::is_same_v<decltype(&ClientAPI_GetClientInterface),
                             corvane::clientapi::ClientAPI_GetClientInterface_fn>);

extern "C" {

std::uint8_t HALVEX_CLIENT_CALL ClientAPI_ExistSpecific(const char* fileName) {
    if (fileName == nullptr) {
        return 0;
    }
    struct stat status {};
    return stat(fileName, &status) == 0 && S_ISREG(status.st_mode) ? 1 : 0;
}

void HALVEX_CLIENT_CALL ClientAPI_GetClientInterface(HalvexHostClient** client) {
    if (client != nullptr) {
        *client = new HostClient();
    }
}

void HalvexClient_FailNextStatus(std::int32_t call, std::int32_t status) {
    if (call >= HALVEX_CLIENT_GET_OPTIONS_MANAGER && call <= HALVEX_CLIENT_READ_INTEGER) {
        ClientState::Instance().ForceNextStatus(static_cast<ClientCall>(call), status);
    }
}

void HalvexClient_ResetTestHooks(void) {
    ClientState::Instance().ResetHooks();
}

std::int32_t HalvexClient_LiveInterfaces(void) {
    return ClientState::Instance().LiveInterfaces();
}

std::int32_t HalvexClient_LastReaderRequest(char* optionsName, std::int32_t optionsNameSize,
                                            char* fileName, std::int32_t fileNameSize) {
    const auto& request = ClientState::Instance().LastReaderRequest();
    if (!request) {
        return 0;
    }
    CopyOut(request->OptionsName, optionsName, optionsNameSize);
    CopyOut(request->FileName, fileName, fileNameSize);
    return 1;
}

} // extern "C"
