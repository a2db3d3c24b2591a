// Where the loader starts and stops the module.

#include "importer/ModuleLifetime.h"

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        // Under the loader lock only the client binding; the registry, shell and options reads
        // of start-up wait for the first export call (ModuleReady). A failed start-up refuses
        // the load rather than leaving a half-initialised module.
        return corvane::BeginModuleStartUp() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        // At process exit the host's own objects may already be gone: release nothing then.
        if (reserved == nullptr) {
            corvane::StopModule();
        }
        return TRUE;
    default:
        return TRUE;
    }
}

#else

namespace {

struct ModuleEntry {
    ModuleEntry() { corvane::StartModule(); }
    ~ModuleEntry() { corvane::StopModule(); }
};

const ModuleEntry entry;

} // namespace

#endif
