// The user's registry, ini files and application-data folder on Windows.

#include "platform/Settings.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

#include <windows.h>

#include <shlobj.h>

namespace corvane::platform {
namespace {

// Registry strings and ini values longer than this are not names of anything we read.
constexpr DWORD LargestValue = 64 * 1024;

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

RegistryKey OpenUserKey(const std::string& keyPath) {
    HKEY key = nullptr;
    // Read access only: the host may have made its key read-only for the user.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return RegistryKey(key);
}

std::string UpToFirstNull(const std::vector<char>& bytes, DWORD size) {
    std::string text(bytes.data(), std::min<std::size_t>(size, bytes.size()));
    const auto end = text.find('\0');
    return end == std::string::npos ? text : text.substr(0, end);
}

// One call of GetPrivateProfileStringA with a buffer that grows until the answer fits; with a
// null key the answer is the section's key names, each ended by a null.
std::optional<std::string> ProfileString(const std::string& fileName, const std::string& section,
                                         const char* key) {
    for (DWORD size = 256; size <= LargestValue; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key, "", buffer.data(), size,
                                                      fileName.c_str());
        // A cut answer has length size - 1 (a value) or size - 2 (a list of names).
        if (length + 2 < size) {
            return std::string(buffer.data(), length);
        }
    }
    return std::nullopt;
}

bool SectionHasKey(const std::string& keyNames, const std::string& key) {
    std::size_t start = 0;
    while (start < keyNames.size()) {
        const auto end = keyNames.find('\0', start);
        const std::string name = keyNames.substr(start, end - start);
        if (lstrcmpiA(name.c_str(), key.c_str()) == 0) {
            return true;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return false;
}

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') &&
           folder[folder.size() - 2] != ':') {
        folder.pop_back();
    }
    return folder;
}

} // namespace

std::optional<std::string> ReadUserRegistryString(const std::string& keyPath,
                                                  const std::string& valueName) {
    const RegistryKey key = OpenUserKey(keyPath);
    if (!key) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > LargestValue) {
        return std::nullopt;
    }
    std::vector<char> bytes(size + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(bytes.data()), &read) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt; // changed between the two calls: taken as absent
    }
    return UpToFirstNull(bytes, read);
}

std::optional<std::string> ReadIniString(const std::string& fileName, const std::string& section,
                                         const std::string& key) {
    // The value alone cannot tell a key with no value from a missing key: look for its name.
    const auto keyNames = ProfileString(fileName, section, nullptr);
    if (!keyNames || !SectionHasKey(*keyNames, key)) {
        return std::nullopt;
    }
    return ProfileString(fileName, section, key.c_str());
}

std::string UserAppDataFolder() {
    char path[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return WithoutTrailingSeparators(path);
}

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return !folder.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::string& folder) {
    const std::string name = WithoutTrailingSeparators(folder);
    if (name.empty()) {
        return false;
    }
    if (CreateDirectoryA(name.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        return FolderExists(name);
    }
    if (GetLastError() != ERROR_PATH_NOT_FOUND) {
        return false;
    }
    // Make the folder above first; the walk ends at a drive, a share or the top.
    const auto separator = name.find_last_of("\\/");
    if (separator == std::string::npos || separator == 0) {
        return false;
    }
    const std::string parent = name.substr(0, separator);
    if (parent.back() == ':' || !CreateFolder(parent)) {
        return false;
    }
    return CreateDirectoryA(name.c_str(), nullptr) != 0 || FolderExists(name);
}

std::string WithNativeSeparators(std::string name) {
    return name;
}

} // namespace corvane::platform
