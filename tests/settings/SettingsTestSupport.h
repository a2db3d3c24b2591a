#pragma once
// What the host-settings tests share: temporary folders and files, a private corner of the user's
// registry, and (natively) a user profile of the test's own for the POSIX stand-in.

#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#include <unistd.h>
#endif

namespace settingstest {

inline std::string UniqueName(const std::string& prefix) {
    static std::mt19937_64 random{std::random_device{}()};
    return prefix + std::to_string(random());
}

/// Joins names with the platform's separator: Joined("a", "b") is "a\b" on Windows, "a/b" else.
inline std::string Joined(const std::string& first) {
    return first;
}
template <class... Rest> std::string Joined(const std::string& first, const Rest&... rest) {
    return first + corvane::platform::PathSeparator + Joined(rest...);
}

inline void WriteTextFile(const std::string& path, const std::string& contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

/// A fresh folder in the system's temporary folder, removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder()
        : path_(
              (std::filesystem::temp_directory_path() / UniqueName("corvane-settings-")).string()) {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

#if defined(_WIN32)

/// True when the tests run under wine, whose user profile belongs to the build tree. On a real
/// Windows machine the tests leave the user's own host settings alone.
inline bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

/// Runs the system's reg.exe with the arguments, its output discarded; answers its exit code.
inline DWORD RunReg(const std::string& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    std::string commandLine = "reg.exe " + arguments;
    DWORD exitCode = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (nul != INVALID_HANDLE_VALUE) {
        CloseHandle(nul);
    }
    return exitCode;
}

/// A key of the test's own under HKEY_CURRENT_USER\Software, deleted with its subkeys at the end.
class TestRegistry {
public:
    TestRegistry() : root_("Software\\CorvaneTests\\" + UniqueName("settings-")) {}
    ~TestRegistry() { RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str()); }
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    /// The path of a subkey below the test's key.
    std::string Key(const std::string& subkey) const { return root_ + "\\" + subkey; }

    void SetString(const std::string& keyPath, const std::string& name, const std::string& value) {
        const HKEY key = Create(keyPath);
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    void SetNumber(const std::string& keyPath, const std::string& name, DWORD value) {
        const HKEY key = Create(keyPath);
        RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof(value));
        RegCloseKey(key);
    }
    void CreateKey(const std::string& keyPath) { RegCloseKey(Create(keyPath)); }

private:
    static HKEY Create(const std::string& keyPath) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }

    std::string root_;
};

#else

/// An environment variable set (or removed) for the life of the object, then put back.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) {
            old_ = old;
        }
        Apply(value);
    }
    ~ScopedEnvironment() { Apply(old_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Apply(const std::optional<std::string>& value) const {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

/// The user's registry stand-in: an ini-style file with one section per key path.
class TestRegistry {
public:
    /// Writes the file named by CORVANE_REGISTRY_FILE, pointed at a file of the test's own.
    TestRegistry() : file_(Joined(folder_.Path(), "registry.ini")), variable_(VariableFor(file_)) {}
    /// Writes the given file; CORVANE_REGISTRY_FILE is left as it is.
    explicit TestRegistry(std::string file) : file_(std::move(file)) {}

    std::string Key(const std::string& subkey) const { return "Software\\CorvaneTests\\" + subkey; }

    void SetString(const std::string& keyPath, const std::string& name, const std::string& value) {
        keys_[keyPath][name] = value;
        Save();
    }
    void CreateKey(const std::string& keyPath) {
        keys_[keyPath];
        Save();
    }

private:
    static std::unique_ptr<ScopedEnvironment> VariableFor(const std::string& file) {
        return std::make_unique<ScopedEnvironment>("CORVANE_REGISTRY_FILE", file);
    }
    void Save() const {
        std::string text;
        for (const auto& [key, values] : keys_) {
            text += "[HKEY_CURRENT_USER\\" + key + "]\n";
            for (const auto& [name, value] : values) {
                text += name + "=" + value + "\n";
            }
        }
        WriteTextFile(file_, text);
    }

    TempFolder folder_;
    std::string file_;
    std::unique_ptr<ScopedEnvironment> variable_;
    std::map<std::string, std::map<std::string, std::string>> keys_;
};

/// A user profile of the test's own: the XDG configuration folder (the application-data folder)
/// and the home folder in a fresh temporary folder, no registry file named in the environment.
class IsolatedUserProfile {
public:
    IsolatedUserProfile()
        : configHome_("XDG_CONFIG_HOME", Joined(root_.Path(), "config")),
          home_("HOME", Joined(root_.Path(), "home")), registryFile_("CORVANE_REGISTRY_FILE", {}) {}

    std::string AppDataFolder() const { return Joined(root_.Path(), "config"); }
    std::string Root() const { return root_.Path(); }

private:
    TempFolder root_;
    ScopedEnvironment configHome_;
    ScopedEnvironment home_;
    ScopedEnvironment registryFile_;
};

#endif

} // namespace settingstest
