#pragma once
// Where the host application keeps its settings: the user's registry, ini files, the user's
// application-data folder and folder creation.
//
// The Windows implementation calls the system. The POSIX stand-in gives each its nearest
// equivalent, so that a native host finds the same settings laid out the same way:
//
//   - the registry of the current user is an ini-style file: the file named by the environment
//     variable CORVANE_REGISTRY_FILE, or else "corvane-registry.ini" in the application-data
//     folder. Each key is a section named by its full path, e.g.
//         [HKEY_CURRENT_USER\Software\Kelvora2004\Preference Location]
//         Application=Custom
//   - the application-data folder is the XDG configuration folder: $XDG_CONFIG_HOME when it is
//     an absolute path, else $HOME/.config, else none;
//   - ini files are read like Windows reads them: section and key names ignore case, the first
//     section and key of a name win, blanks around names and values and one pair of matching
//     quotes around a value are dropped, lines starting with ';' are comments;
//   - file names are joined with '/' and their case matters.

#include <optional>
#include <string>

namespace corvane::platform {

#if defined(_WIN32)
inline constexpr char PathSeparator = '\\';
inline constexpr bool FileNamesIgnoreCase = true;
#else
inline constexpr char PathSeparator = '/';
inline constexpr bool FileNamesIgnoreCase = false;
#endif

/// The string value of a key under HKEY_CURRENT_USER ("Software\Maker\Key", with backslashes on
/// every platform); nothing when the key, the value or a string of that name is absent.
std::optional<std::string> ReadUserRegistryString(const std::string& keyPath,
                                                  const std::string& valueName);

/// The value of a key in a section of an ini file; nothing when the file, the section or the key
/// is absent. A key that is present with no value gives the empty string.
std::optional<std::string> ReadIniString(const std::string& fileName, const std::string& section,
                                         const std::string& key);

/// The user's roaming application-data folder, without a trailing separator; empty when the
/// system names none.
std::string UserAppDataFolder();

/// True when the name is an existing folder.
bool FolderExists(const std::string& folder);

/// Creates the folder and any missing folders above it; false when it could not.
bool CreateFolder(const std::string& folder);

/// The name with Windows separators ('\') turned into this platform's separator.
std::string WithNativeSeparators(std::string name);

} // namespace corvane::platform
