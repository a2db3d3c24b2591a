#include "serverclient/EntryTable.h"

#include <string>

namespace corvane::pcbapi {

void ServerEntryTable::Bind() {
    module_ = modules::FindLoadedModule(ServerModuleName);
    for (std::size_t i = 0; i < EntryCount; ++i) {
        slots_[i] = module_ == nullptr
                        ? nullptr
                        : modules::FindModuleSymbol(module_, std::string(EntryNames[i]).c_str());
    }
}

void ServerEntryTable::EnsureBound() {
    if (module_ == nullptr) {
        Bind();
    }
}

void ServerEntryTable::Reset() {
    module_ = nullptr;
    slots_.fill(nullptr);
}

ServerEntryTable& ServerEntries() {
    static ServerEntryTable table;
    return table;
}

void BindServerEntries() {
    ServerEntries().Bind();
}

void EnsureServerBound() {
    ServerEntries().EnsureBound();
}

} // namespace corvane::pcbapi
