// The host settings read at start-up: the ini and registry readers of the platform layer, the
// preference location with its sources and cache, the data folder and settings file, the metric
// digits read through the host client interface, and the module start-up around them.
//
// Natively every test gets a user profile of its own (XDG folders, registry stand-in). On Windows
// these tests leave the user's real host key alone: registry cases use a private key, and cases
// that look at the real application-data folder run only under wine.

#include "serverclient/HostSettings.h"
#include "TestClient.h"
#include "importer/ModuleLifetime.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "serverclient/ClientEntryBinding.h"
#include "serverclient/EntryTable.h"
#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

using settingstest::Joined;
using settingstest::TempFolder;
using settingstest::TestRegistry;
using settingstest::WriteTextFile;

const std::string Separator(1, platform::PathSeparator);
const std::string DefaultLocation = Separator + "Kelvora2004";

// ---------------------------------------------------------------------------------------------
// A host client whose calls answer chosen statuses and which counts the interfaces it hands out.

enum class HostCall { GetOptionsManager, GetOptionsReader, ReadInteger };

class FakeHost {
public:
    struct ReadRequest {
        std::string OptionsName;
        std::string FileName;
        std::string Section;
        std::string Key;
        std::int32_t DefaultValue = 0;
    };

    /// Status each call answers (0 when not set); a negative one hands out nothing.
    std::map<HostCall, std::int32_t> Statuses;
    /// What the reader writes; nothing is written when empty.
    std::optional<std::int32_t> StoredDigits;
    /// The manager call succeeds but hands out no manager.
    bool NoManager = false;

    IHostClient* HandOutClient() {
        ++live_;
        return &client_;
    }
    int LiveInterfaces() const { return live_; }
    const std::vector<HostCall>& Calls() const { return calls_; }
    const ReadRequest& Request() const { return request_; }

private:
    std::int32_t Answer(HostCall call) {
        calls_.push_back(call);
        const auto found = Statuses.find(call);
        return found == Statuses.end() ? 0 : found->second;
    }

    struct Reader final : IHostOptionsReader {
        explicit Reader(FakeHost& host) : Host(host) {}
        std::int32_t PCBAPI_CALL ReadInteger(const char* section, const char* key,
                                             std::int32_t defaultValue,
                                             std::int32_t* value) override {
            Host.request_.Section = section;
            Host.request_.Key = key;
            Host.request_.DefaultValue = defaultValue;
            const std::int32_t status = Host.Answer(HostCall::ReadInteger);
            if (status >= 0 && Host.StoredDigits) {
                *value = *Host.StoredDigits;
            }
            return status;
        }
        void PCBAPI_CALL Release() override { --Host.live_; }
        FakeHost& Host;
    };

    struct Manager final : IHostOptionsManager {
        explicit Manager(FakeHost& host) : Host(host) {}
        std::int32_t PCBAPI_CALL GetOptionsReader(const char* optionsName, const char* fileName,
                                                  IHostOptionsReader** reader) override {
            Host.request_.OptionsName = optionsName;
            Host.request_.FileName = fileName;
            const std::int32_t status = Host.Answer(HostCall::GetOptionsReader);
            *reader = status < 0 ? nullptr : &Host.reader_;
            Host.live_ += status < 0 ? 0 : 1;
            return status;
        }
        void PCBAPI_CALL Release() override { --Host.live_; }
        FakeHost& Host;
    };

    struct Client final : IHostClient {
        explicit Client(FakeHost& host) : Host(host) {}
        std::int32_t PCBAPI_CALL GetOptionsManager(IHostOptionsManager** manager) override {
            const std::int32_t status = Host.Answer(HostCall::GetOptionsManager);
            const bool handOut = status >= 0 && !Host.NoManager;
            *manager = handOut ? &Host.manager_ : nullptr;
            Host.live_ += handOut ? 1 : 0;
            return status;
        }
        void PCBAPI_CALL Release() override { --Host.live_; }
        FakeHost& Host;
    };

    Reader reader_{*this};
    Manager manager_{*this};
    Client client_{*this};
    int live_ = 0;
    std::vector<HostCall> calls_;
    ReadRequest request_;
};

// ---------------------------------------------------------------------------------------------
// Ini files, as the host's PrefFolder.ini is read. The same expectations hold for the system's
// reader on Windows and the stand-in natively.

class IniFileReading : public ::testing::Test {
protected:
    std::string Write(const std::string& contents) {
        const std::string file = Joined(folder.Path(), "PrefFolder.ini");
        WriteTextFile(file, contents);
        return file;
    }
    TempFolder folder;
};

TEST_F(IniFileReading, SectionAndKeyNamesIgnoreCase) {
    const auto file =
        Write("[Other]\nApplication=Wrong\n[preference LOCATION]\nAPPLICATION=Right\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), "Right");
}

TEST_F(IniFileReading, MissingFileSectionOrKeyGivesNothing) {
    const auto file = Write("[Preference Location]\nOther=1\n[Elsewhere]\nApplication=Wrong\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), std::nullopt);
    EXPECT_EQ(platform::ReadIniString(file, "Missing", "Other"), std::nullopt);
    EXPECT_EQ(platform::ReadIniString(Joined(folder.Path(), "absent.ini"), "Preference Location",
                                      "Application"),
              std::nullopt);
    // A folder is no ini file.
    EXPECT_EQ(platform::ReadIniString(folder.Path(), "Preference Location", "Application"),
              std::nullopt);
}

TEST_F(IniFileReading, KeyWithoutValueIsPresentAndEmpty) {
    const auto file = Write("[Preference Location]\nApplication=\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), "");
}

TEST_F(IniFileReading, BlanksAroundNamesAndValuesAndOneQuotePairAreDropped) {
    const auto file = Write("  [ Preference Location ]  \n  Application  =  \"My Prefs\"  \n"
                            "Quoted='It''s'\nHalf=\"open\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), "My Prefs");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Quoted"), "It''s");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Half"), "\"open");
}

TEST_F(IniFileReading, CommentLinesAndCrLfLineEnds) {
    const auto file = Write("; Application=Commented\r\n[Preference Location]\r\n"
                            ";Application=AlsoCommented\r\nApplication=Value\r\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), "Value");
}

TEST_F(IniFileReading, FirstKeyOfANameWins) {
    const auto file = Write("[Preference Location]\nApplication=First\napplication=Second\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), "First");
}

TEST_F(IniFileReading, LongValueIsReadWhole) {
    const std::string value(5000, 'x');
    const auto file = Write("[Preference Location]\nApplication=" + value + "\n");
    EXPECT_EQ(platform::ReadIniString(file, "Preference Location", "Application"), value);
}

// ---------------------------------------------------------------------------------------------
// String values of the user's registry.

TEST(RegistryReading, StringValueOfAKeyAndNothingForWhatIsMissing) {
    TestRegistry registry;
    const std::string key = registry.Key("Preference Location");
    registry.SetString(key, "Application", "Custom");
    registry.SetString(key, "Empty", "");

    EXPECT_EQ(platform::ReadUserRegistryString(key, "Application"), "Custom");
    EXPECT_EQ(platform::ReadUserRegistryString(key, "application"), "Custom"); // names ignore case
    EXPECT_EQ(platform::ReadUserRegistryString(key, "Empty"), "");
    EXPECT_EQ(platform::ReadUserRegistryString(key, "Missing"), std::nullopt);
    EXPECT_EQ(platform::ReadUserRegistryString(registry.Key("Missing"), "Application"),
              std::nullopt);
}

#if defined(_WIN32)
TEST(RegistryReading, NumberIsNoString) {
    TestRegistry registry;
    const std::string key = registry.Key("Preference Location");
    registry.SetNumber(key, "Application", 7);
    EXPECT_EQ(platform::ReadUserRegistryString(key, "Application"), std::nullopt);
}
#else
TEST(RegistryStandIn, FileDefaultsToTheAppDataFolderAndNeedsOne) {
    const settingstest::IsolatedUserProfile profile;
    TestRegistry registry(Joined(profile.AppDataFolder(), "corvane-registry.ini"));
    registry.SetString("Software\\Kelvora2004\\Preference Location", "Application", "Custom");
    EXPECT_EQ(platform::ReadUserRegistryString("Software\\Kelvora2004\\Preference Location",
                                               "Application"),
              "Custom");
    // The variable wins over the default file.
    {
        TestRegistry other;
        EXPECT_EQ(platform::ReadUserRegistryString("Software\\Kelvora2004\\Preference Location",
                                                   "Application"),
                  std::nullopt);
    }
    // No application-data folder and no variable: no registry at all.
    const settingstest::ScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
    const settingstest::ScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(platform::ReadUserRegistryString("Software\\Kelvora2004\\Preference Location",
                                               "Application"),
              std::nullopt);
}

TEST(RegistryStandIn, KeyPathsIgnoreCase) {
    TestRegistry registry;
    registry.SetString("Software\\Kelvora2004\\Preference Location", "Application", "Custom");
    EXPECT_EQ(platform::ReadUserRegistryString("SOFTWARE\\kelvora2004\\preference location",
                                               "Application"),
              "Custom");
}

TEST(AppDataStandIn, XdgConfigHomeWhenAbsoluteElseHomeConfig) {
    const settingstest::IsolatedUserProfile profile;
    EXPECT_EQ(platform::UserAppDataFolder(), profile.AppDataFolder());
    {
        const settingstest::ScopedEnvironment trailing("XDG_CONFIG_HOME",
                                                       profile.AppDataFolder() + "//");
        EXPECT_EQ(platform::UserAppDataFolder(), profile.AppDataFolder());
    }
    {
        const settingstest::ScopedEnvironment relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(platform::UserAppDataFolder(), Joined(profile.Root(), "home", ".config"));
    }
    {
        const settingstest::ScopedEnvironment empty("XDG_CONFIG_HOME", "");
        const settingstest::ScopedEnvironment root("HOME", "/");
        EXPECT_EQ(platform::UserAppDataFolder(), "/.config");
    }
    const settingstest::ScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
    const settingstest::ScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(platform::UserAppDataFolder(), "");
}
#endif

// ---------------------------------------------------------------------------------------------
// The preference location from given sources: registry first, then PrefFolder.ini, then the
// default.

class PreferenceLocationLookup : public ::testing::Test {
protected:
    PreferenceSources Sources() const {
        return {registry.Key("Preference Location"), Joined(folder.Path(), "PrefFolder.ini")};
    }
    void SetRegistryValue(const std::string& value) {
        registry.SetString(registry.Key("Preference Location"), "Application", value);
    }
    void WriteIni(const std::string& contents) { WriteTextFile(Sources().PrefFolderIni, contents); }

    TestRegistry registry;
    TempFolder folder;
};

TEST_F(PreferenceLocationLookup, NeitherSourceGivesTheDefault) {
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), DefaultLocation);
    EXPECT_EQ(LookUpPreferenceLocation(PreferenceSources{}), DefaultLocation);
}

TEST_F(PreferenceLocationLookup, RegistryValueWinsOverPrefFolderIni) {
    WriteIni("[Preference Location]\nApplication=Other\n");
    SetRegistryValue("Custom");
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), Separator + "Custom");
}

TEST_F(PreferenceLocationLookup, PrefFolderIniWhenTheRegistryKeyHasNoSuchValue) {
    WriteIni("[Preference Location]\nApplication=Other\n");
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), Separator + "Other");
    registry.CreateKey(registry.Key("Preference Location"));
    registry.SetString(registry.Key("Preference Location"), "Something", "Else");
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), Separator + "Other");
}

TEST_F(PreferenceLocationLookup, IniWithoutTheSectionOrKeyGivesTheDefault) {
    WriteIni("[Preference Location]\nDocuments=Other\n[Application]\nApplication=Other\n");
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), DefaultLocation);
}

TEST_F(PreferenceLocationLookup, ValueWithBackslashesNamesNestedFolders) {
    SetRegistryValue("Maker\\Prefs");
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), Joined("", "Maker", "Prefs"));
}

TEST_F(PreferenceLocationLookup, EmptyValueIsStillAValue) {
    WriteIni("[Preference Location]\nApplication=Other\n");
    SetRegistryValue("");
    EXPECT_EQ(LookUpPreferenceLocation(Sources()), Separator);
}

TEST(HostPreferenceSources, KelvoraKeyAndPrefFolderIniInTheHostsSystemFolder) {
    const PreferenceSources sources = HostPreferenceSources();
    EXPECT_EQ(sources.RegistryKey, "Software\\Kelvora2004\\Preference Location");
    std::string hostFolder = platform::HostExecutableFolder();
    ASSERT_FALSE(hostFolder.empty());
#if defined(_WIN32)
    // The folder is upper-cased as the host does; "System\PrefFolder.ini" keeps its case.
    for (char& c : hostFolder) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
#endif
    EXPECT_EQ(sources.PrefFolderIni, hostFolder + Joined("System", "PrefFolder.ini"));
}

// ---------------------------------------------------------------------------------------------
// The module's settings state, with the host's real sources in the test's user profile.

class HostSettingsState : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(_WIN32)
        if (!settingstest::RunningUnderWine()) {
            GTEST_SKIP() << "reads the user's real host settings";
        }
        const char* appData = std::getenv("APPDATA");
        ASSERT_NE(appData, nullptr);
        appDataFolder = appData;
#else
        profile = std::make_unique<settingstest::IsolatedUserProfile>();
        appDataFolder = profile->AppDataFolder();
#endif
        ClearHostSettings();
    }
    void TearDown() override {
        StopModule();
        testclient::SetClientInterface(nullptr);
        ClearHostSettings();
    }

#if !defined(_WIN32)
    std::unique_ptr<settingstest::IsolatedUserProfile> profile;
#endif
    std::string appDataFolder;
};

TEST_F(HostSettingsState, WithNeitherSourceTheSettingsFileIsInKelvora2004OfTheAppDataFolder) {
    EXPECT_EQ(GetPreferenceLocation(), DefaultLocation);
    EXPECT_EQ(GetSettingsFileName(), Joined(appDataFolder, "Kelvora2004", "HALVEX.INI"));
    EXPECT_TRUE(platform::FolderExists(Joined(appDataFolder, "Kelvora2004")));
}

#if !defined(_WIN32)
TEST_F(HostSettingsState, LocationIsLookedUpOnceUntilReset) {
    EXPECT_EQ(GetPreferenceLocation(), DefaultLocation);
    TestRegistry registry(Joined(appDataFolder, "corvane-registry.ini"));
    registry.SetString("Software\\Kelvora2004\\Preference Location", "Application", "Custom");
    EXPECT_EQ(GetPreferenceLocation(), DefaultLocation);
    ResetPreferenceLocation();
    EXPECT_EQ(GetPreferenceLocation(), "/Custom");
    EXPECT_EQ(GetSettingsFileName(), Joined(appDataFolder, "Custom", "HALVEX.INI"));
}

TEST_F(HostSettingsState, WithoutAnAppDataFolderTheLocationAloneNamesTheFolder) {
    const settingstest::ScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
    const settingstest::ScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(PreferenceDataFolderName(), "/Kelvora2004");
}

TEST_F(HostSettingsState, MissingAppDataFolderIsMadeWithTheDataFolder) {
    const std::string nested = Joined(profile->Root(), "not", "yet", "config");
    const settingstest::ScopedEnvironment config("XDG_CONFIG_HOME", nested);
    EXPECT_EQ(GetPreferenceDataFolder(), Joined(nested, "Kelvora2004"));
    EXPECT_TRUE(platform::FolderExists(Joined(nested, "Kelvora2004")));
}

TEST_F(HostSettingsState, DataFolderThatCannotBeMadeIsPassedOver) {
    const std::string blocker = Joined(profile->Root(), "a-file");
    WriteTextFile(blocker, "not a folder");
    const settingstest::ScopedEnvironment config("XDG_CONFIG_HOME", Joined(blocker, "config"));
    EXPECT_EQ(GetSettingsFileName(), Joined(blocker, "config", "Kelvora2004", "HALVEX.INI"));
    EXPECT_FALSE(platform::FolderExists(Joined(blocker, "config", "Kelvora2004")));
}
#endif

// ---------------------------------------------------------------------------------------------
// The metric digits, read through the host client interface.

class FractionalDigits : public HostSettingsState {
protected:
    std::string SettingsFile() const { return Joined(appDataFolder, "Kelvora2004", "HALVEX.INI"); }
    FakeHost host;
};

TEST_F(FractionalDigits, WithoutAClientInterfaceNothingIsReadAndTheDigitsAreTheDefaults) {
    ReadFractionalDigits(nullptr);
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_EQ(ImperialDecimalDigits(), 3);
    EXPECT_TRUE(host.Calls().empty());
#if !defined(_WIN32)
    // Elsewhere other programs may have made the folder in the shared profile.
    EXPECT_FALSE(platform::FolderExists(Joined(appDataFolder, "Kelvora2004")));
#endif
}

TEST_F(FractionalDigits, ReadsFractionalDigitsMmOfSystemOptionsFromTheSettingsFile) {
    host.StoredDigits = 3;
    IHostClient* client = host.HandOutClient();
    ReadFractionalDigits(client);
    client->Release();

    EXPECT_EQ(MetricDecimalDigits(), 3);
    EXPECT_EQ(ImperialDecimalDigits(), 3);
    EXPECT_EQ(host.Request().OptionsName, "Halvex");
    EXPECT_EQ(host.Request().FileName, SettingsFile());
    EXPECT_EQ(host.Request().Section, "SystemOptions");
    EXPECT_EQ(host.Request().Key, "FractionalDigits_mm");
    EXPECT_EQ(host.Request().DefaultValue, 5);
    EXPECT_TRUE(platform::FolderExists(Joined(appDataFolder, "Kelvora2004")));
    EXPECT_EQ(host.LiveInterfaces(), 0) << "the manager and the reader are released";
}

TEST_F(FractionalDigits, ValueTheReaderLeavesAloneKeepsTheCurrentDigitsUntilCleared) {
    host.StoredDigits = 2;
    ReadFractionalDigits(host.HandOutClient());
    host.StoredDigits.reset();
    ReadFractionalDigits(host.HandOutClient());
    EXPECT_EQ(host.Request().DefaultValue, 2);
    EXPECT_EQ(MetricDecimalDigits(), 2);

    ClearHostSettings();
    ReadFractionalDigits(host.HandOutClient());
    EXPECT_EQ(host.Request().DefaultValue, 5);
    EXPECT_EQ(MetricDecimalDigits(), 5);
}

TEST_F(FractionalDigits, PositiveStatusesAreSuccess) {
    host.Statuses = {{HostCall::GetOptionsManager, 1},
                     {HostCall::GetOptionsReader, 2},
                     {HostCall::ReadInteger, 3}};
    host.StoredDigits = 4;
    ReadFractionalDigits(host.HandOutClient());
    EXPECT_EQ(MetricDecimalDigits(), 4);
}

TEST_F(FractionalDigits, ManagerCallHandingOutNothingLeavesTheDefault) {
    host.NoManager = true;
    host.StoredDigits = 4;
    EXPECT_NO_THROW(ReadFractionalDigits(host.HandOutClient()));
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_EQ(host.Calls(), std::vector<HostCall>{HostCall::GetOptionsManager});
}

class FailingHostCall : public FractionalDigits, public ::testing::WithParamInterface<HostCall> {};

TEST_P(FailingHostCall, NegativeStatusIsAnErrorAndReleasesWhatWasHandedOut) {
    host.Statuses[GetParam()] = -1;
    host.StoredDigits = 3;
    IHostClient* client = host.HandOutClient();
    EXPECT_THROW(ReadFractionalDigits(client), HostSettingsError);
    client->Release();

    EXPECT_EQ(host.Calls().back(), GetParam()) << "no host call after the failing one";
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_EQ(host.LiveInterfaces(), 0);
}

INSTANTIATE_TEST_SUITE_P(HostSettings, FailingHostCall,
                         ::testing::Values(HostCall::GetOptionsManager, HostCall::GetOptionsReader,
                                           HostCall::ReadInteger));

// ---------------------------------------------------------------------------------------------
// Module start-up and shutdown around the settings, with the test executable as the host.

class ModuleStartUp : public FractionalDigits {
protected:
    void SetUp() override {
        FractionalDigits::SetUp();
        if (!IsSkipped()) {
            testclient::SetClientInterface(host.HandOutClient());
        }
    }
};

TEST_F(ModuleStartUp, ReadsTheDigitsAndReleasesTheClientAtShutdown) {
    host.StoredDigits = 3;
    ASSERT_TRUE(StartModule());
    EXPECT_TRUE(ModuleReady());
    EXPECT_EQ(MetricDecimalDigits(), 3);
    EXPECT_EQ(host.Request().FileName, SettingsFile());
    EXPECT_EQ(host.LiveInterfaces(), 1) << "the client interface is kept until shutdown";

    StopModule();
    EXPECT_FALSE(ModuleReady());
    EXPECT_EQ(host.LiveInterfaces(), 0);
    EXPECT_EQ(MetricDecimalDigits(), 5);
}

TEST_F(ModuleStartUp, NegativeStatusEndsStartUpAndKeepsNothing) {
    host.Statuses[HostCall::ReadInteger] = -1;
    pcbapi::ServerEntries().Reset();
    EXPECT_FALSE(StartModule());
    EXPECT_FALSE(ModuleReady());
    EXPECT_EQ(host.LiveInterfaces(), 0) << "the client interface is released";
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_FALSE(pcbapi::ServerEntries().ServerFound()) << "the server table is not bound";
}

TEST_F(ModuleStartUp, WithoutAClientInterfaceStartsWithTheDefaultDigits) {
    testclient::SetClientInterface(nullptr);
    ASSERT_TRUE(StartModule());
    EXPECT_EQ(MetricDecimalDigits(), 5);
    EXPECT_EQ(ImperialDecimalDigits(), 3);
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_EQ(GetPreferenceLocation(), DefaultLocation);
#if !defined(_WIN32)
    EXPECT_FALSE(platform::FolderExists(Joined(appDataFolder, "Kelvora2004")));
#endif
}

TEST_F(ModuleStartUp, LoaderStartUpReadsTheSettingsOnFirstUse) {
    host.StoredDigits = 4;
    ASSERT_TRUE(BeginModuleStartUp());
    EXPECT_TRUE(host.Calls().empty()) << "no settings read under the loader";
    EXPECT_TRUE(ModuleReady());
    EXPECT_EQ(MetricDecimalDigits(), 4);
    EXPECT_TRUE(ModuleReady());
    EXPECT_EQ(host.Calls().size(), 3u) << "read once";
    StopModule();
    EXPECT_EQ(host.LiveInterfaces(), 0) << "the interface obtained under the loader is released";
}

TEST_F(ModuleStartUp, LoaderStartUpThatFailsOnFirstUseStaysFailed) {
    host.Statuses[HostCall::GetOptionsReader] = -2;
    ASSERT_TRUE(BeginModuleStartUp());
    EXPECT_FALSE(ModuleReady());
    EXPECT_FALSE(ModuleReady());
    EXPECT_EQ(host.Calls().size(), 2u) << "start-up is not tried again";
    EXPECT_EQ(host.LiveInterfaces(), 0) << "the client interface is released";
}

#if !defined(_WIN32)
TEST_F(ModuleStartUp, StartUpLooksTheLocationUpAfresh) {
    EXPECT_EQ(GetPreferenceLocation(), DefaultLocation);
    TestRegistry registry(Joined(appDataFolder, "corvane-registry.ini"));
    registry.SetString("Software\\Kelvora2004\\Preference Location", "Application", "Custom");
    ASSERT_TRUE(StartModule());
    EXPECT_EQ(GetPreferenceLocation(), "/Custom");
    EXPECT_EQ(host.Request().FileName, Joined(appDataFolder, "Custom", "HALVEX.INI"));
}
#endif

} // namespace
} // namespace corvane
