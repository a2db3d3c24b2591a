// The module exports, under their plain names, every entry the plug-in calls and none of the other
// names of the host's table, as a server that lacks those entries would.

#include "ServerFixture.h"

#include "serverclient/EntryNames.h"

#include <set>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace servertest {
namespace {

void* ServerModule() {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetModuleHandleA("Halvex.dll"));
#else
    // The test is linked with the server, so it is loaded; the lookup takes no lasting reference.
    void* module = dlopen("libHalvex.so", RTLD_NOW | RTLD_NOLOAD);
    if (module != nullptr) {
        dlclose(module);
    }
    return module;
#endif
}

void* Export(void* module, const std::string& name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name.c_str()));
#else
    return dlsym(module, name.c_str());
#endif
}

std::set<std::string> CalledEntries() {
    std::set<std::string> names;
#define HALVEX_TEST_ENTRY_NAME(kind, result, name, unbound, params, args) names.insert(#name);
    CORVANE_PCBAPI_ENTRIES(HALVEX_TEST_ENTRY_NAME)
#undef HALVEX_TEST_ENTRY_NAME
    return names;
}

TEST(ServerExportsTest, EveryEntryThePlugInCallsIsExportedByItsPlainName) {
    void* module = ServerModule();
    ASSERT_NE(nullptr, module);
    for (const std::string& name : CalledEntries()) {
        EXPECT_NE(nullptr, Export(module, name)) << name;
    }
}

TEST(ServerExportsTest, TheOtherNamesOfTheHostsTableAreNotExported) {
    void* module = ServerModule();
    ASSERT_NE(nullptr, module);
    const auto called = CalledEntries();
    int others = 0;
    for (const std::string_view name : corvane::pcbapi::EntryNames) {
        if (called.count(std::string(name)) == 0) {
            ++others;
            EXPECT_EQ(nullptr, Export(module, std::string(name))) << name;
        }
    }
    EXPECT_EQ(static_cast<int>(corvane::pcbapi::EntryCount - called.size()), others);
}

TEST(ServerExportsTest, TheHostFunctionsAreExported) {
    void* module = ServerModule();
    for (const char* name :
         {"Halvex_OpenBoard", "Halvex_FindBoard", "Halvex_CloseAllBoards", "Halvex_SetProgressSink",
          "Halvex_GetBoardInfo", "Halvex_GetMemberCount", "Halvex_GetMemberAt",
          "Halvex_GetLayerInfo", "Halvex_GetStackLayer", "Halvex_GetLayerPair",
          "Halvex_GetObjectInfo", "Halvex_LayerName", "Halvex_SetHostRules"}) {
        EXPECT_NE(nullptr, Export(module, name)) << name;
    }
}

} // namespace
} // namespace servertest
