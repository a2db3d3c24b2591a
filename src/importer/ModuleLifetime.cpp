#include "importer/ModuleLifetime.h"

#include "pcbserver/ClientEntries.h"
#include "pcbserver/EntryTable.h"

namespace corvane {
namespace {

struct ModuleState {
    bool Ready = false;
    IHostClient* Client = nullptr;
};

ModuleState& TheModule() {
    static ModuleState module;
    return module;
}

} // namespace

bool StartModule() {
    auto& module = TheModule();
    try {
        BindClientEntries();
        module.Client = ObtainClientInterface();
        pcbapi::ServerEntries().Reset();
        pcbapi::BindServerEntries();
        module.Ready = true;
    } catch (...) {
        StopModule();
        return false;
    }
    return true;
}

void StopModule() {
    auto& module = TheModule();
    module.Ready = false;
    if (module.Client != nullptr) {
        module.Client->Release();
        module.Client = nullptr;
    }
    UnbindClientEntries();
}

bool ModuleReady() { return TheModule().Ready; }

} // namespace corvane
