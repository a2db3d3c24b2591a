// The module exports, under their plain names, every entry the plug-in calls and none of the other
// names of the host's table, as a server that lacks those entries would.

#include "ServerFixture.h"

#include "modules/ModuleLookup.h"
#include "serverclient/EntryNames.h"

#include <set>
#include <string>

namespace servertest {
namespace {

// The test is linked with the server, so it is loaded: found as the plug-in finds it.
corvane::modules::ModuleHandle ServerModule() {
    return corvane::modules::FindLoadedModule("Halvex.dll");
}

void* Export(corvane::modules::ModuleHandle module, const std::string& name) {
    return corvane::modules::FindModuleSymbol(module, name.c_str());
}

std::set<std::string> CalledEntries() {
    return {std::begin(corvane::pcbapi::CalledEntryNames),
            std::end(corvane::pcbapi::CalledEntryNames)};
}

TEST(ServerExportsTest, EveryEntryThePlugInCallsIsExportedByItsPlainName) {
    const auto module = ServerModule();
    ASSERT_NE(nullptr, module);
    for (const std::string& name : CalledEntries()) {
        EXPECT_NE(nullptr, Export(module, name)) << name;
    }
}

TEST(ServerExportsTest, TheOtherNamesOfTheHostsTableAreNotExported) {
    const auto module = ServerModule();
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

// (On Windows the test's own addresses of them are its import stubs, so presence is what counts.)
TEST(ServerExportsTest, TheHostFunctionsAreExported) {
    const auto module = ServerModule();
#define HALVEX_TEST_HOST_FUNCTION(name)                                                            \
    EXPECT_NE(nullptr, Export(module, "Halvex_" #name)) << #name;
    HALVEX_HOST_FUNCTIONS(HALVEX_TEST_HOST_FUNCTION)
#undef HALVEX_TEST_HOST_FUNCTION
}

} // namespace
} // namespace servertest
