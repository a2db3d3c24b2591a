// The module seam's linked binding, in a program with the server, the plug-in and the host client
// linked in: each module is found by the names a loaded one is found by, with the same exports,
// and opening the plug-in starts it as loading it would.

#include "HalvexClient.h"
#include "contract/HalvexHost.h"
#include "contract/HostClient.h"
#include "entries/ServerEntries.h"
#include "hostlink/ModuleLoader.h"
#include "modules/Module.h"
#include "serverclient/EntryNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using corvane::modules::FindLoadedModule;
using corvane::modules::FindModuleSymbol;
using corvane::modules::Module;

TEST(LinkedBinding, TheServerIsFoundByItsModuleNameWithExactlyTheExportsOfTheLoadedOne) {
    ASSERT_TRUE(corvane::modules::ModulesAreLinked());
    const auto server = FindLoadedModule("Halvex.dll");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(FindLoadedModule("Halvex"), server);
    EXPECT_EQ(FindLoadedModule("halvex.dll"), nullptr); // names are exact, as the loader's

    const std::set<std::string_view> called(std::begin(corvane::pcbapi::CalledEntryNames),
                                            std::end(corvane::pcbapi::CalledEntryNames));
    for (const std::string_view name : corvane::pcbapi::EntryNames) {
        const bool exported = FindModuleSymbol(server, std::string(name).c_str()) != nullptr;
        EXPECT_EQ(exported, called.count(name) == 1) << name;
    }
    EXPECT_EQ(FindModuleSymbol(server, "PcbApi_QueryTrack"),
              reinterpret_cast<void*>(&PcbApi_QueryTrack));
#define CORVANE_TEST_HOST_FUNCTION(name)                                                           \
    EXPECT_EQ(FindModuleSymbol(server, "Halvex_" #name), reinterpret_cast<void*>(&Halvex_##name));
    HALVEX_HOST_FUNCTIONS(CORVANE_TEST_HOST_FUNCTION)
#undef CORVANE_TEST_HOST_FUNCTION
    EXPECT_EQ(FindModuleSymbol(server, "RecognisedPCBFile"), nullptr); // the plug-in's, not its
}

TEST(LinkedBinding, TheHostExecutableExportsTheClientEntries) {
    const auto self = corvane::modules::HostExecutableModule();
#define CORVANE_TEST_CLIENT_ENTRY(name)                                                            \
    EXPECT_EQ(FindModuleSymbol(self, #name), reinterpret_cast<void*>(&name));
    CORVANE_CLIENT_ENTRIES(CORVANE_TEST_CLIENT_ENTRY)
#undef CORVANE_TEST_CLIENT_ENTRY
    EXPECT_EQ(FindModuleSymbol(self, "Halvex_OpenBoard"), nullptr);
    EXPECT_EQ(FindModuleSymbol(nullptr, "ClientAPI_ExistSpecific"), nullptr);
}

// The plug-in holds the host client's interface from its start to its stop.
TEST(LinkedBinding, ThePlugInStartsAtTheFirstOpeningAndStopsAtTheLastClosing) {
    ASSERT_EQ(HalvexClient_LiveInterfaces(), 0);
    Module first = Module::Open("CorvaneImport", {"/no/such/file"}, Module::Visibility::Local);
    ASSERT_TRUE(first.Opened()) << first.Error();
    EXPECT_EQ(first.Source(), "linked into the program");
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 1);
    {
        const Module second = Module::Open("CorvaneImport", {}, Module::Visibility::Local);
        EXPECT_EQ(second.Handle(), first.Handle());
        EXPECT_EQ(HalvexClient_LiveInterfaces(), 1);
    }
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 1);
    Module moved = std::move(first);
    first.Close(); // moved from: closes nothing
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 1);
    moved.Close();
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 0);
    moved.Close();
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 0);
}

TEST(LinkedBinding, NothingIsLoadedFromAFile) {
    const Module unknown = Module::Open("Other", {}, Module::Visibility::Local);
    EXPECT_FALSE(unknown.Opened());
    EXPECT_EQ(unknown.Error(), "no module Other is linked into this program");
    const Module file = Module::Load("/some/libHalvex.so", Module::Visibility::Global);
    EXPECT_FALSE(file.Opened());
    EXPECT_NE(file.Error().find("loads none from a file"), std::string::npos) << file.Error();
}

TEST(LinkedBinding, AHostFindsEveryFunctionAndTakesNoModulePaths) {
    const auto modules = corvane::cli::LoadedModules::Load({});
    ASSERT_TRUE(modules.Ok()) << modules.Error();
    EXPECT_EQ(modules.Server().OpenBoard, &Halvex_OpenBoard);
    EXPECT_EQ(modules.Plugin().ImportFileIntoPcb, &ImportFileIntoPcb);
    EXPECT_EQ(modules.Plugin().GetImportReport, &GetImportReport);
    EXPECT_EQ(std::string(modules.Plugin().GetPcbImporterDescription()), "Corvane Files (*.PCB)");

    for (const corvane::cli::ModulePaths& paths :
         {corvane::cli::ModulePaths{"libHalvex.so", ""}, corvane::cli::ModulePaths{"", "x"}}) {
        const auto refused = corvane::cli::LoadedModules::Load(paths);
        EXPECT_FALSE(refused.Ok());
        EXPECT_NE(refused.Error().find("linked into this program"), std::string::npos)
            << refused.Error();
    }
}

} // namespace
