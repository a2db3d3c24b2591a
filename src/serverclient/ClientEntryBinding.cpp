#include "serverclient/ClientEntryBinding.h"

#include "platform/Platform.h"

namespace corvane {
namespace {

struct ClientEntryTable {
    clientapi::ClientAPI_ExistSpecific_fn ExistSpecific = nullptr;
    clientapi::ClientAPI_GetClientInterface_fn GetClientInterface = nullptr;
};

ClientEntryTable& ClientEntries() {
    static ClientEntryTable table;
    return table;
}

} // namespace

void BindClientEntries() {
    const auto module = platform::HostExecutableModule();
    auto& table = ClientEntries();
    table.ExistSpecific = reinterpret_cast<clientapi::ClientAPI_ExistSpecific_fn>(
        platform::FindModuleSymbol(module, "ClientAPI_ExistSpecific"));
    table.GetClientInterface = reinterpret_cast<clientapi::ClientAPI_GetClientInterface_fn>(
        platform::FindModuleSymbol(module, "ClientAPI_GetClientInterface"));
}

void UnbindClientEntries() {
    ClientEntries() = ClientEntryTable{};
}

bool ClientExistSpecific(const std::string& fileName) {
    const auto entry = ClientEntries().ExistSpecific;
    return entry != nullptr && entry(fileName.c_str()) != 0;
}

IHostClient* ObtainClientInterface() {
    const auto entry = ClientEntries().GetClientInterface;
    if (entry == nullptr) {
        return nullptr;
    }
    IHostClient* client = nullptr;
    entry(&client);
    return client;
}

} // namespace corvane
