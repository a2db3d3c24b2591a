#pragma once
// The host application's settings that the module reads at start-up: where the host keeps its
// preferences, and how many fractional digits it shows for metric and imperial values.

#include "contract/HostClient.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace corvane {

/// A host call of the settings read answered with a negative status; start-up cannot go on.
class HostSettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Releases a host interface when its reference goes.
struct HostInterfaceRelease {
    template <class Interface> void operator()(Interface* object) const { object->Release(); }
};
template <class Interface>
using HostInterfaceRef = std::unique_ptr<Interface, HostInterfaceRelease>;

inline constexpr std::int32_t DefaultMetricDecimalDigits = 5;
inline constexpr std::int32_t FixedImperialDecimalDigits = 3;

/// Where the name of the host's preference location may be written, in the order they are tried.
struct PreferenceSources {
    std::string RegistryKey;   ///< under HKEY_CURRENT_USER; its string value "Application"
    std::string PrefFolderIni; ///< ini file; key "Application" of section "Preference Location"
};

/// The host's own sources: the key "Software\Kelvora2004\Preference Location", and the file
/// "PrefFolder.ini" in the folder "System" of the host executable's folder (upper-cased where
/// file names ignore case). The ini file is left out when the executable's folder is unknown.
PreferenceSources HostPreferenceSources();

/// The location from the first source that names one, else the default; it always begins with
/// the path separator: "\Custom" for a value Custom, "\Kelvora2004" by default ('/' on POSIX,
/// where backslashes in the value become '/' as well).
std::string LookUpPreferenceLocation(const PreferenceSources& sources);

/// The preference location from the host's sources, looked up once and cached.
std::string GetPreferenceLocation();
/// Forgets the cached location, so that the next GetPreferenceLocation looks it up again.
void ResetPreferenceLocation();

/// The user's application-data folder followed by the preference location (the location alone
/// when the system names no application-data folder). Only names the folder.
std::string PreferenceDataFolderName();
/// PreferenceDataFolderName, creating the folder when it is missing; a failure to create it is
/// ignored, since the host may still have its settings elsewhere.
std::string GetPreferenceDataFolder();
/// The host's settings file: GetPreferenceDataFolder followed by "HALVEX.INI".
std::string GetSettingsFileName();

/// Reads the metric digits through the host client interface (nullptr: there is none, and the
/// metric digits are the default); the imperial digits are fixed. Throws HostSettingsError when
/// the options manager, the options reader or the read answers a negative status.
void ReadFractionalDigits(IHostClient* client);

std::int32_t MetricDecimalDigits();
std::int32_t ImperialDecimalDigits();

/// Back to the state before start-up: no cached location, default digits.
void ClearHostSettings();

} // namespace corvane
