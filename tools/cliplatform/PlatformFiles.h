#pragma once
// The file operations the outputs need, on POSIX systems and on Windows: which file a name
// reaches, creating a file that did not exist, replacing one file by another in one step, and
// anonymous scratch files. Paths are the program's own 8-bit strings (on Windows in the system's
// ANSI code page, as the command line gives them).

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace corvane::cli {

/// A file as the system knows it, whatever name or link reaches it: device and inode number; on
/// Windows the volume serial number and the file index.
struct FileIdentity {
    std::uint64_t Device = 0;
    std::uint64_t Index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

/// The file a path reaches (links followed), or nothing when it does not exist.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

enum class StandardStream { Input, Output };

/// The file behind standard input or output, when it is a file or a pipe (not a terminal or a
/// device, which are shared by everything written to them).
std::optional<FileIdentity> IdentifyStandardStream(StandardStream stream);

/// What a path names, links followed.
enum class PathKind {
    Missing,
    Folder,
    RegularFile,
    Special, // a device, a pipe or a socket: written as it is, never replaced
};
PathKind KindOfPath(const std::string& path);

/// True when the path's name (its last part) is one that names the same file whatever the case of
/// its letters, as on Windows.
bool NamesIgnoreCase();

/// The reason an existing file cannot be written, or empty when it can.
std::string WhyNotWritable(const std::string& path);

/// Creates a file that must not exist yet, for writing. Its permissions are those of
/// permissionsFrom when that names a file (the file it will replace), else the default for a new
/// file. nullptr with the reason when it cannot.
std::FILE* CreateNewFile(const std::string& path, const std::string& permissionsFrom,
                         std::string& error);

/// Opens an existing device or pipe for writing.
std::FILE* OpenSpecialFile(const std::string& path, std::string& error);

/// A file for the program's own use in the folder, with no name: the system removes it when it is
/// closed or the program ends, however it ends.
std::FILE* OpenScratchFile(const std::string& folder, std::string& error);

/// Writes what the stream holds to the disk (not only to the system's cache) and closes it; the
/// stream is closed whatever the result.
bool SyncAndClose(std::FILE* file, std::string& error);

/// Puts the file `from` in the place of `to` in one step: `to` is either the earlier file or the
/// new one, never a mixture or nothing.
bool MoveIntoPlace(const std::string& from, const std::string& to, std::string& error);

/// Removes a file; false when it could not (or did not exist).
bool RemoveFile(const std::string& path);

/// The system's folder for temporary files.
std::string SystemTemporaryFolder();

/// Standard input and output carry bytes as they are (no line-end translation on Windows).
void UseBinaryStandardStreams();

} // namespace corvane::cli
