#include "corvane-import/TemporaryBoardFile.h"

#include "cliplatform/PlatformFiles.h"
#include "safeoutput/SafeOutputs.h"

#include <cerrno>
#include <system_error>
#include <vector>

namespace corvane::cli {
namespace {

std::string ErrnoText() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
}

} // namespace

TemporaryBoardFile::TemporaryBoardFile(std::FILE* source, const std::string& name,
                                       const CopyWords& words, const Convert& convert) {
    const std::string path = TemporaryPathBeside(SystemTemporaryFolder() + "/" + name);
    guard_ = std::make_unique<GuardedTemporaryFile>(path);
    std::FILE* file = CreateNewFile(path, "", error_);
    if (file == nullptr) {
        error_ = "cannot make " + words.Copy + " in " + SystemTemporaryFolder() + ": " + error_;
        guard_.reset();
        return;
    }
    path_ = path;
    std::vector<char> chunk(256 * 1024);
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), source);
        if (got < chunk.size() && std::ferror(source)) {
            error_ = "cannot read " + words.Source + ": " + ErrnoText();
            break;
        }
        const bool last = got < chunk.size();
        const std::string converted = convert(std::string(chunk.data(), got), last);
        if (std::fwrite(converted.data(), 1, converted.size(), file) != converted.size()) {
            error_ = "cannot " + words.Write + " " + path_ + ": " + ErrnoText();
            break;
        }
        if (last) {
            break;
        }
    }
    std::string closing;
    if (!SyncAndClose(file, closing) && error_.empty()) {
        error_ = "cannot " + words.Write + " " + path_ + ": " + closing;
    }
}

TemporaryBoardFile::~TemporaryBoardFile() {
    if (!path_.empty()) {
        RemoveFile(path_);
    }
}

} // namespace corvane::cli
