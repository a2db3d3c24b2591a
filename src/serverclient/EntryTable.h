#pragma once
// The table of host PCB server entry points, bound by name from the server module found in the
// process (loaded by the host, or linked into the program: modules/ModuleLookup.h).

#include "modules/ModuleLookup.h"
#include "serverclient/EntryNames.h"

#include <array>

namespace corvane::pcbapi {

/// Name of the host PCB server module; looked up among the process's modules, never loaded.
inline constexpr const char* ServerModuleName = "Halvex.dll";

class ServerEntryTable {
public:
    /// Looks the server module up and fills every slot from its exports (null where missing).
    void Bind();
    /// Binds again while the server has not been found; once found, the table stays as it is.
    void EnsureBound();
    /// Forgets the module and clears every slot (start-up state).
    void Reset();

    void* Slot(std::size_t index) const { return index < EntryCount ? slots_[index] : nullptr; }
    bool ServerFound() const { return module_ != nullptr; }

private:
    modules::ModuleHandle module_ = nullptr;
    std::array<void*, EntryCount> slots_{};
};

/// The module-wide entry table.
ServerEntryTable& ServerEntries();

/// Sets the server module handle afresh and binds all 278 names.
void BindServerEntries();
/// Runs BindServerEntries while the server module has not been found.
void EnsureServerBound();

} // namespace corvane::pcbapi
