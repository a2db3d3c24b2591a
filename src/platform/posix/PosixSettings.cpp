// The POSIX stand-in of the user's registry, ini files and application-data folder
// (see platform/Settings.h for the layout).

#include "platform/Settings.h"
#include "platform/posix/IniText.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace corvane::platform {
namespace {

constexpr const char* RegistryFileVariable = "CORVANE_REGISTRY_FILE";
constexpr const char* RegistryFileName = "corvane-registry.ini";
constexpr const char* CurrentUserRoot = "HKEY_CURRENT_USER\\";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string RegistryFile() {
    std::string file = Environment(RegistryFileVariable);
    if (!file.empty()) {
        return file;
    }
    const std::string appData = UserAppDataFolder();
    return appData.empty() ? std::string() : appData + '/' + RegistryFileName;
}

} // namespace

std::optional<std::string> ReadUserRegistryString(const std::string& keyPath,
                                                  const std::string& valueName) {
    const std::string file = RegistryFile();
    if (file.empty()) {
        return std::nullopt;
    }
    return ReadIniString(file, CurrentUserRoot + keyPath, valueName);
}

std::optional<std::string> ReadIniString(const std::string& fileName, const std::string& section,
                                         const std::string& key) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::ifstream text(fileName, std::ios::binary);
    if (!text) {
        return std::nullopt;
    }
    return posix::FindIniValue(text, section, key);
}

std::string UserAppDataFolder() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as XDG readers do.
    const std::string configHome = Environment("XDG_CONFIG_HOME");
    if (!configHome.empty() && configHome.front() == '/') {
        return WithoutTrailingSeparators(configHome);
    }
    const std::string home = Environment("HOME");
    if (!home.empty()) {
        const std::string base = WithoutTrailingSeparators(home);
        return (base == "/" ? std::string() : base) + "/.config";
    }
    return {};
}

bool FolderExists(const std::string& folder) {
    struct stat info {};
    return !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && FolderExists(folder);
}

std::string WithNativeSeparators(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

} // namespace corvane::platform
