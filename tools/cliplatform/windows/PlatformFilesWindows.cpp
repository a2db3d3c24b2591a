// The file operations on Windows: handles opened with the system's calls, then given to the C
// runtime as streams.

#include "cliplatform/PlatformFiles.h"

#include <atomic>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace corvane::cli {
namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length)
                                                        : "system error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

std::optional<FileIdentity> IdentityOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr ||
        !GetFileInformationByHandle(handle, &information)) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                            information.nFileIndexLow};
}

// The handle as a C runtime stream; the handle is closed when the stream is.
std::FILE* StreamOn(HANDLE handle, int flags, const char* mode, std::string& error) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (fd < 0) {
        error = "cannot make a stream of the file";
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, mode);
    if (file == nullptr) {
        error = "cannot make a stream of the file";
        _close(fd);
    }
    return file;
}

} // namespace

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const auto identity = IdentityOfHandle(handle);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    return identity;
}

std::optional<FileIdentity> IdentifyStandardStream(StandardStream stream) {
    HANDLE handle =
        GetStdHandle(stream == StandardStream::Input ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr ||
        GetFileType(handle) != FILE_TYPE_DISK) {
        return std::nullopt;
    }
    return IdentityOfHandle(handle);
}

PathKind KindOfPath(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::Missing;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::Folder;
    }
    HANDLE handle = CreateFileA(path.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return PathKind::RegularFile; // exists; opening it for writing will tell what is wrong
    }
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_DISK ? PathKind::RegularFile : PathKind::Special;
}

bool NamesIgnoreCase() {
    return true;
}

std::string WhyNotWritable(const std::string& path) {
    HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return SystemErrorText(GetLastError());
    }
    CloseHandle(handle);
    return {};
}

std::FILE* CreateNewFile(const std::string& path, const std::string&, std::string& error) {
    // Others may delete it while it is open: the console's Ctrl-C handler removes it that way.
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return nullptr;
    }
    return StreamOn(handle, _O_WRONLY, "wb", error);
}

std::FILE* OpenSpecialFile(const std::string& path, std::string& error) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return nullptr;
    }
    return StreamOn(handle, _O_WRONLY, "wb", error);
}

std::FILE* OpenScratchFile(const std::string& folder, std::string& error) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = folder + "\\corvane-scratch-" +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(counter++) + ".tmp";
        HANDLE handle =
            CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return StreamOn(handle, _O_RDWR, "w+b", error);
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            error = SystemErrorText(GetLastError());
            return nullptr;
        }
    }
    error = "no free name for a scratch file";
    return nullptr;
}

bool SyncAndClose(std::FILE* file, std::string& error) {
    bool ok = std::fflush(file) == 0;
    if (!ok) {
        error = "cannot write the file";
    }
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (ok && GetFileType(handle) == FILE_TYPE_DISK && !FlushFileBuffers(handle)) {
        error = SystemErrorText(GetLastError());
        ok = false;
    }
    if (std::fclose(file) != 0 && ok) {
        error = "cannot close the file";
        ok = false;
    }
    return ok;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, std::string& error) {
    if (!MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

std::string SystemTemporaryFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof(folder), folder);
    std::string text = length > 0 && length <= MAX_PATH ? std::string(folder, length) : ".";
    while (text.size() > 3 && (text.back() == '\\' || text.back() == '/')) {
        text.pop_back();
    }
    return text;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace corvane::cli
