#include "importer/ModuleLifetime.h"

#include "pcbmodel/lookups/ScratchComponent.h"
#include "serverclient/ClientEntryBinding.h"
#include "serverclient/EntryTable.h"
#include "serverclient/HostSettings.h"

#include <exception>
#include <string>

namespace corvane {
namespace {

enum class Stage { Stopped, ClientBound, Ready, Failed };

struct ModuleState {
    Stage Current = Stage::Stopped;
    HostInterfaceRef<IHostClient> Client;
    std::string Failure; // why start-up failed
};

// What a failure inside start-up says of itself.
std::string Reason(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an unexpected failure";
    }
}

ModuleState& TheModule() {
    static ModuleState module;
    return module;
}

// Frees what start-up made, in the reverse order of making it.
void ReleaseStartUpState(ModuleState& module) {
    FreeScratchComponent();
    module.Client.reset();
    ClearHostSettings();
    UnbindClientEntries();
}

// Everything after the client interface is obtained; on failure nothing is kept.
void FinishStartUp(ModuleState& module) {
    try {
        ResetPreferenceLocation();
        GetPreferenceLocation();
        ReadFractionalDigits(module.Client.get());
        CreateScratchComponent();
        pcbapi::ServerEntries().Reset();
        pcbapi::BindServerEntries();
        module.Current = Stage::Ready;
    } catch (...) {
        module.Failure = Reason(std::current_exception());
        ReleaseStartUpState(module);
        module.Current = Stage::Failed;
    }
}

} // namespace

bool BeginModuleStartUp() {
    auto& module = TheModule();
    try {
        BindClientEntries();
        module.Client.reset(ObtainClientInterface());
        module.Current = Stage::ClientBound;
        module.Failure.clear();
    } catch (...) {
        module.Failure = Reason(std::current_exception());
        ReleaseStartUpState(module);
        module.Current = Stage::Failed;
    }
    return module.Current == Stage::ClientBound;
}

bool StartModule() {
    auto& module = TheModule();
    if (BeginModuleStartUp()) {
        FinishStartUp(module);
    }
    return module.Current == Stage::Ready;
}

void StopModule() {
    auto& module = TheModule();
    ReleaseStartUpState(module);
    module.Current = Stage::Stopped;
    module.Failure.clear();
}

bool ModuleReady() {
    auto& module = TheModule();
    if (module.Current == Stage::ClientBound) {
        FinishStartUp(module);
    }
    return module.Current == Stage::Ready;
}

std::string StartUpFailure() {
    const auto& module = TheModule();
    return module.Current == Stage::Failed ? module.Failure : std::string();
}

} // namespace corvane
