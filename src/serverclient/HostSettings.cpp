#include "serverclient/HostSettings.h"

#include "platform/Platform.h"
#include "platform/Settings.h"

#include <algorithm>
#include <cctype>

namespace corvane {
namespace {

constexpr const char* PreferenceRegistryKey = "Software\\Kelvora2004\\Preference Location";
constexpr const char* PreferenceValueName = "Application";
constexpr const char* PrefFolderIniName = "PrefFolder.ini";
constexpr const char* PrefFolderIniFolder = "System";
constexpr const char* PrefFolderSection = "Preference Location";
constexpr const char* DefaultPreferenceFolder = "Kelvora2004";
constexpr const char* SettingsFileName = "HALVEX.INI";
constexpr const char* OptionsName = "Halvex";
constexpr const char* DigitsSection = "SystemOptions";
constexpr const char* MetricDigitsKey = "FractionalDigits_mm";

struct SettingsState {
    bool LocationFound = false;
    std::string Location;
    std::int32_t MetricDigits = DefaultMetricDecimalDigits;
    std::int32_t ImperialDigits = FixedImperialDecimalDigits;
};

SettingsState& Settings() {
    static SettingsState state;
    return state;
}

std::string UpperCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string LocationNamed(const std::string& folder) {
    return platform::PathSeparator + platform::WithNativeSeparators(folder);
}

void RequireSuccess(std::int32_t status, const char* what) {
    if (status < 0) {
        throw HostSettingsError(std::string("host settings: ") + what + " answered status " +
                                std::to_string(status));
    }
}

} // namespace

PreferenceSources HostPreferenceSources() {
    PreferenceSources sources;
    sources.RegistryKey = PreferenceRegistryKey;
    std::string hostFolder = platform::HostExecutableFolder();
    if (!hostFolder.empty()) {
        if (platform::FileNamesIgnoreCase) {
            hostFolder = UpperCased(hostFolder);
        }
        sources.PrefFolderIni =
            hostFolder + PrefFolderIniFolder + platform::PathSeparator + PrefFolderIniName;
    }
    return sources;
}

std::string LookUpPreferenceLocation(const PreferenceSources& sources) {
    if (!sources.RegistryKey.empty()) {
        if (const auto value =
                platform::ReadUserRegistryString(sources.RegistryKey, PreferenceValueName)) {
            return LocationNamed(*value);
        }
    }
    if (!sources.PrefFolderIni.empty()) {
        if (const auto value = platform::ReadIniString(sources.PrefFolderIni, PrefFolderSection,
                                                       PreferenceValueName)) {
            return LocationNamed(*value);
        }
    }
    return LocationNamed(DefaultPreferenceFolder);
}

std::string GetPreferenceLocation() {
    auto& state = Settings();
    if (!state.LocationFound) {
        state.Location = LookUpPreferenceLocation(HostPreferenceSources());
        state.LocationFound = true;
    }
    return state.Location;
}

void ResetPreferenceLocation() {
    auto& state = Settings();
    state.LocationFound = false;
    state.Location.clear();
}

std::string PreferenceDataFolderName() {
    return platform::UserAppDataFolder() + GetPreferenceLocation();
}

std::string GetPreferenceDataFolder() {
    const std::string folder = PreferenceDataFolderName();
    if (!platform::FolderExists(folder)) {
        platform::CreateFolder(folder);
    }
    return folder;
}

std::string GetSettingsFileName() {
    return GetPreferenceDataFolder() + platform::PathSeparator + SettingsFileName;
}

void ReadFractionalDigits(IHostClient* client) {
    auto& state = Settings();
    state.ImperialDigits = FixedImperialDecimalDigits;
    if (client == nullptr) {
        state.MetricDigits = DefaultMetricDecimalDigits;
        return;
    }
    IHostOptionsManager* managerOut = nullptr;
    const std::int32_t managerStatus = client->GetOptionsManager(&managerOut);
    const HostInterfaceRef<IHostOptionsManager> manager(managerOut);
    RequireSuccess(managerStatus, "the options manager");
    if (!manager) {
        return; // nothing to read through: the digits keep their value
    }
    IHostOptionsReader* readerOut = nullptr;
    const std::int32_t readerStatus =
        manager->GetOptionsReader(OptionsName, GetSettingsFileName().c_str(), &readerOut);
    const HostInterfaceRef<IHostOptionsReader> reader(readerOut);
    RequireSuccess(readerStatus, "the options reader");
    if (!reader) {
        return;
    }
    std::int32_t digits = state.MetricDigits;
    RequireSuccess(reader->ReadInteger(DigitsSection, MetricDigitsKey, state.MetricDigits, &digits),
                   "the read of FractionalDigits_mm");
    state.MetricDigits = digits;
}

std::int32_t MetricDecimalDigits() {
    return Settings().MetricDigits;
}

std::int32_t ImperialDecimalDigits() {
    return Settings().ImperialDigits;
}

void ClearHostSettings() {
    Settings() = SettingsState{};
}

} // namespace corvane
