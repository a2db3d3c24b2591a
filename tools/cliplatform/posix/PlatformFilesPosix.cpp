// The file operations on POSIX systems.

#include "cliplatform/PlatformFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace corvane::cli {
namespace {

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

FileIdentity IdentityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::FILE* StreamOn(int fd, std::string& error) {
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        error = ErrnoText(errno);
        close(fd);
    }
    return file;
}

} // namespace

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return IdentityOf(status);
}

std::optional<FileIdentity> IdentifyStandardStream(StandardStream stream) {
    struct stat status {};
    const int fd = stream == StandardStream::Input ? STDIN_FILENO : STDOUT_FILENO;
    if (fstat(fd, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode))) {
        return std::nullopt;
    }
    return IdentityOf(status);
}

PathKind KindOfPath(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return PathKind::Missing;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::RegularFile : PathKind::Special;
}

bool NamesIgnoreCase() {
    return false;
}

std::string WhyNotWritable(const std::string& path) {
    return access(path.c_str(), W_OK) == 0 ? std::string() : ErrnoText(errno);
}

std::FILE* CreateNewFile(const std::string& path, const std::string& permissionsFrom,
                         std::string& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = ErrnoText(errno);
        return nullptr;
    }
    // The replacement keeps the earlier file's permissions and, where allowed, its owner.
    struct stat earlier {};
    if (!permissionsFrom.empty() && stat(permissionsFrom.c_str(), &earlier) == 0) {
        // A change of owner needs privileges: without them the file belongs to whoever runs this.
        const bool ownerKept = fchown(fd, earlier.st_uid, earlier.st_gid) == 0;
        const bool modeKept = fchmod(fd, earlier.st_mode & 07777) == 0;
        (void)ownerKept;
        (void)modeKept;
    }
    return StreamOn(fd, error);
}

std::FILE* OpenSpecialFile(const std::string& path, std::string& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = ErrnoText(errno);
        return nullptr;
    }
    return StreamOn(fd, error);
}

std::FILE* OpenScratchFile(const std::string& folder, std::string& error) {
#if defined(O_TMPFILE)
    const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        std::FILE* file = fdopen(fd, "w+b");
        if (file == nullptr) {
            error = ErrnoText(errno);
            close(fd);
        }
        return file;
    }
#endif
    // Without unnamed files: a named one, unlinked at once.
    std::string name = folder + "/.corvane-scratch-XXXXXX";
    const int named = mkstemp(name.data());
    if (named < 0) {
        error = ErrnoText(errno);
        return nullptr;
    }
    unlink(name.c_str());
    std::FILE* file = fdopen(named, "w+b");
    if (file == nullptr) {
        error = ErrnoText(errno);
        close(named);
    }
    return file;
}

bool SyncAndClose(std::FILE* file, std::string& error) {
    int failure = 0;
    if (std::fflush(file) != 0) {
        failure = errno;
    } else if (fsync(fileno(file)) != 0 && errno != EINVAL && errno != EROFS) {
        failure = errno; // EINVAL: a pipe or device, which has nothing to sync
    }
    if (std::fclose(file) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure != 0) {
        error = ErrnoText(failure);
    }
    return failure == 0;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, std::string& error) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        error = ErrnoText(errno);
        return false;
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

std::string SystemTemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && folder[0] == '/' ? folder : "/tmp";
}

void UseBinaryStandardStreams() {}

} // namespace corvane::cli
