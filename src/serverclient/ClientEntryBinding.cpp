#include "serverclient/ClientEntryBinding.h"

#include "modules/ModuleLookup.h"

namespace corvane {
namespace {

struct ClientEntryTable {
#define CORVANE_CLIENT_ENTRY_SLOT(name) clientapi::name##_fn name = nullptr;
    CORVANE_CLIENT_ENTRIES(CORVANE_CLIENT_ENTRY_SLOT)
#undef CORVANE_CLIENT_ENTRY_SLOT
};

ClientEntryTable& ClientEntries() {
    static ClientEntryTable table;
    return table;
}

} // namespace

void BindClientEntries() {
    const auto module = modules::HostExecutableModule();
    auto& table = ClientEntries();
#define CORVANE_BIND_CLIENT_ENTRY(name)                                                            \
    table.name = reinterpret_cast<clientapi::name##_fn>(modules::FindModuleSymbol(module, #name));
    CORVANE_CLIENT_ENTRIES(CORVANE_BIND_CLIENT_ENTRY)
#undef CORVANE_BIND_CLIENT_ENTRY
}

void UnbindClientEntries() {
    ClientEntries() = ClientEntryTable{};
}

bool ClientExistSpecific(const std::string& fileName) {
    const auto entry = ClientEntries().ClientAPI_ExistSpecific;
    return entry != nullptr && entry(fileName.c_str()) != 0;
}

IHostClient* ObtainClientInterface() {
    const auto entry = ClientEntries().ClientAPI_GetClientInterface;
    if (entry == nullptr) {
        return nullptr;
    }
    IHostClient* client = nullptr;
    entry(&client);
    return client;
}

} // namespace corvane
