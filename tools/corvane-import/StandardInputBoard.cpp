#include "corvane-import/StandardInputBoard.h"

#include "cliplatform/PlatformFiles.h"
#include "safeoutput/SafeOutputs.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

namespace corvane::cli {

StandardInputBoard::StandardInputBoard() {
    UseBinaryStandardStreams();
    const std::string path = TemporaryPathBeside(SystemTemporaryFolder() + "/stdin.PCB");
    guard_ = std::make_unique<GuardedTemporaryFile>(path);
    std::FILE* file = CreateNewFile(path, "", error_);
    if (file == nullptr) {
        error_ = "cannot make a temporary file for standard input in " + SystemTemporaryFolder() +
                 ": " + error_;
        guard_.reset();
        return;
    }
    path_ = path;
    std::vector<char> chunk(256 * 1024);
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), stdin);
        if (got > 0 && std::fwrite(chunk.data(), 1, got, file) != got) {
            error_ = "cannot keep standard input in " + path_ + ": " +
                     std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
            break;
        }
        if (got < chunk.size()) {
            if (std::ferror(stdin)) {
                error_ =
                    "cannot read standard input: " +
                    std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
            }
            break;
        }
    }
    std::string closing;
    if (!SyncAndClose(file, closing) && error_.empty()) {
        error_ = "cannot keep standard input in " + path_ + ": " + closing;
    }
}

StandardInputBoard::~StandardInputBoard() {
    if (!path_.empty()) {
        RemoveFile(path_);
    }
}

} // namespace corvane::cli
