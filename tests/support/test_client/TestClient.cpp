#include "TestClient.h"

#include <sys/stat.h>

namespace testclient {
namespace {
corvane::IHostClient* theClient = nullptr;
int existCalls = 0;
} // namespace

void SetClientInterface(corvane::IHostClient* client) {
    theClient = client;
}

int ExistCalls() {
    return existCalls;
}

} // namespace testclient

extern "C" PCBAPI_EXPORT corvane::Bool8 PCBAPI_CALL ClientAPI_ExistSpecific(const char* fileName) {
    ++testclient::existCalls;
    struct stat info {};
    return fileName != nullptr && stat(fileName, &info) == 0 && S_ISREG(info.st_mode) ? 1 : 0;
}

extern "C" PCBAPI_EXPORT void PCBAPI_CALL
ClientAPI_GetClientInterface(corvane::IHostClient** client) {
    if (client != nullptr) {
        *client = testclient::theClient;
    }
}
