// The module's start-up against the substitute host: the preference location from the user's
// registry (written with the system's reg tool under wine), from PrefFolder.ini beside the host
// executable or by default, and the metric digits read from HALVEX.INI in the preference data
// folder through the host client's options reader.

#include "HalvexClient.h"
#include "contract/CorvaneImporter.h"
#include "importer/ModuleLifetime.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "serverclient/HostSettings.h"
#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace corvane {
namespace {

using settingstest::Joined;
using settingstest::WriteTextFile;

const std::string Separator(1, platform::PathSeparator);

struct ReaderRequest {
    std::string OptionsName;
    std::string FileName;
};

std::optional<ReaderRequest> LastReaderRequest() {
    char optionsName[256] = {};
    char fileName[4096] = {};
    if (HalvexClient_LastReaderRequest(optionsName, sizeof(optionsName), fileName,
                                       sizeof(fileName)) == 0) {
        return std::nullopt;
    }
    return ReaderRequest{optionsName, fileName};
}

/// PrefFolder.ini in the folder "System" beside the test program, the host executable here.
class HostPrefFolderIni {
public:
    explicit HostPrefFolderIni(const std::string& contents)
        : folder_(Joined(platform::HostExecutableFolder() + "System")),
          file_(Joined(folder_, "PrefFolder.ini")) {
        WriteTextFile(file_, contents);
    }
    ~HostPrefFolderIni() {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
        std::filesystem::remove(folder_, ignored); // only when nothing else is in it
    }
    HostPrefFolderIni(const HostPrefFolderIni&) = delete;
    HostPrefFolderIni& operator=(const HostPrefFolderIni&) = delete;

private:
    std::string folder_;
    std::string file_;
};

class SettingsAtStartUp : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(_WIN32)
        if (!settingstest::RunningUnderWine()) {
            GTEST_SKIP() << "changes the user's real host settings";
        }
        const char* appData = std::getenv("APPDATA");
        ASSERT_NE(appData, nullptr);
        appDataFolder = appData;
        ForgetProfile();
#else
        profile = std::make_unique<settingstest::IsolatedUserProfile>();
        appDataFolder = profile->AppDataFolder();
        registry = std::make_unique<settingstest::TestRegistry>(
            Joined(appDataFolder, "corvane-registry.ini"));
#endif
        HalvexClient_ResetTestHooks();
    }

    void TearDown() override {
        if (IsSkipped()) {
            return;
        }
        StopModule();
        EXPECT_EQ(HalvexClient_LiveInterfaces(), 0) << "host interfaces not released";
        HalvexClient_ResetTestHooks();
#if defined(_WIN32)
        ForgetProfile();
#endif
    }

    void SetRegistryValue(const std::string& value) {
#if defined(_WIN32)
        ASSERT_EQ(settingstest::RunReg("add \"HKCU\\Software\\Kelvora2004\\Preference Location\" "
                                       "/v Application /d " +
                                       value + " /f"),
                  0u);
#else
        registry->SetString("Software\\Kelvora2004\\Preference Location", "Application", value);
#endif
    }

    void RemoveRegistryKey() {
#if defined(_WIN32)
        settingstest::RunReg("delete \"HKCU\\Software\\Kelvora2004\" /f");
#else
        const std::string file = Joined(appDataFolder, "corvane-registry.ini");
        registry = std::make_unique<settingstest::TestRegistry>(file);
        std::filesystem::remove(file);
#endif
    }

    void WriteSettingsFile(const std::string& folder, const std::string& contents) const {
        WriteTextFile(Joined(appDataFolder, folder, "HALVEX.INI"), contents);
    }

#if defined(_WIN32)
    // The prefix belongs to this program: start each case without the host's key and folders.
    void ForgetProfile() {
        RemoveRegistryKey();
        for (const char* folder : {"Kelvora2004", "Custom", "FromIni"}) {
            std::error_code ignored;
            std::filesystem::remove_all(Joined(appDataFolder, folder), ignored);
        }
    }
#else
    std::unique_ptr<settingstest::IsolatedUserProfile> profile;
    std::unique_ptr<settingstest::TestRegistry> registry;
#endif
    std::string appDataFolder;
};

TEST_F(SettingsAtStartUp, WithNeitherSourceHalvexIniIsReadFromKelvora2004InTheAppDataFolder) {
    ASSERT_TRUE(StartModule());
    EXPECT_EQ(GetPreferenceLocation(), Separator + "Kelvora2004");
    const auto request = LastReaderRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->OptionsName, "Halvex");
    EXPECT_EQ(request->FileName, Joined(appDataFolder, "Kelvora2004", "HALVEX.INI"));
    EXPECT_TRUE(platform::FolderExists(Joined(appDataFolder, "Kelvora2004")));
    EXPECT_EQ(MetricDecimalDigits(), 5) << "no settings file yet";
    EXPECT_EQ(ImperialDecimalDigits(), 3);
}

TEST_F(SettingsAtStartUp, FractionalDigitsMmOfTheSettingsFile) {
    WriteSettingsFile("Kelvora2004", "[SystemOptions]\r\nFractionalDigits_mm=3\r\n");
    ASSERT_TRUE(StartModule());
    EXPECT_TRUE(ModuleReady());
    EXPECT_EQ(MetricDecimalDigits(), 3);
    EXPECT_EQ(ImperialDecimalDigits(), 3);
}

TEST_F(SettingsAtStartUp, RegistryValueWinsOverPrefFolderIniWhichWinsOverTheDefault) {
    const HostPrefFolderIni ini("[Preference Location]\r\nApplication=FromIni\r\n");
    SetRegistryValue("Custom");
    WriteSettingsFile("Custom", "[SystemOptions]\r\nFractionalDigits_mm=2\r\n");
    WriteSettingsFile("FromIni", "[SystemOptions]\r\nFractionalDigits_mm=4\r\n");

    ASSERT_TRUE(StartModule());
    EXPECT_EQ(GetPreferenceLocation(), Separator + "Custom");
    EXPECT_EQ(LastReaderRequest()->FileName, Joined(appDataFolder, "Custom", "HALVEX.INI"));
    EXPECT_EQ(MetricDecimalDigits(), 2);
    StopModule();

    RemoveRegistryKey();
    ASSERT_TRUE(StartModule());
    EXPECT_EQ(GetPreferenceLocation(), Separator + "FromIni");
    EXPECT_EQ(MetricDecimalDigits(), 4);
}

TEST_F(SettingsAtStartUp, WithoutAClientInterfaceNoFolderIsMadeAndNoFileRead) {
    WriteTextFile(Joined(appDataFolder, "unrelated.txt"), "");
    ReadFractionalDigits(nullptr);
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_EQ(ImperialDecimalDigits(), 3);
    EXPECT_FALSE(platform::FolderExists(Joined(appDataFolder, "Kelvora2004")));
    EXPECT_FALSE(LastReaderRequest());
}

class FailingClientCall : public SettingsAtStartUp,
                          public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(FailingClientCall, NegativeStatusEndsStartUp) {
    WriteSettingsFile("Kelvora2004", "[SystemOptions]\r\nFractionalDigits_mm=3\r\n");
    HalvexClient_FailNextStatus(GetParam(), -1);
    EXPECT_FALSE(StartModule());
    EXPECT_FALSE(ModuleReady());
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 0) << "a failed start-up keeps no interface";
    // The report says why, as its one entry, before and after an import that cannot run.
    const std::string failure = GetImportReport(CorvaneReportFailure);
    EXPECT_EQ(failure.rfind("the plug-in could not start: host settings: ", 0), 0u) << failure;
    EXPECT_NE(failure.find("answered status -1"), std::string::npos) << failure;
    const corvane::ExportString board(Joined(appDataFolder, "board.PCB"));
    EXPECT_EQ(ImportFileIntoPcb(board.Data(), corvane::ExportString("").Data()), 0);
    EXPECT_EQ(std::string(GetImportReport(CorvaneReportFailure)), failure);
    EXPECT_EQ(std::string(GetImportReport(CorvaneReportCounts)), "1 entry: 1 import-failed");
    StopModule();
    EXPECT_EQ(std::string(GetImportReport(CorvaneReportFailure)), "") << "stopped, not failed";
}

TEST_P(FailingClientCall, NegativeStatusOnTheLoadersRoadShowsOnFirstUse) {
    ASSERT_TRUE(BeginModuleStartUp());
    HalvexClient_FailNextStatus(GetParam(), -5);
    EXPECT_FALSE(ModuleReady());
    EXPECT_FALSE(ModuleReady()) << "a failed start-up stays failed";
    EXPECT_EQ(HalvexClient_LiveInterfaces(), 0);
}

INSTANTIATE_TEST_SUITE_P(HostClient, FailingClientCall,
                         ::testing::Values(HALVEX_CLIENT_GET_OPTIONS_MANAGER,
                                           HALVEX_CLIENT_GET_OPTIONS_READER,
                                           HALVEX_CLIENT_READ_INTEGER));

TEST_F(SettingsAtStartUp, LoadersRoadReadsTheSettingsOnFirstUse) {
    WriteSettingsFile("Kelvora2004", "[SystemOptions]\r\nFractionalDigits_mm=3\r\n");
    ASSERT_TRUE(BeginModuleStartUp());
    EXPECT_FALSE(LastReaderRequest()) << "nothing read under the loader";
    EXPECT_TRUE(ModuleReady());
    EXPECT_EQ(MetricDecimalDigits(), 3);
}

} // namespace
} // namespace corvane
