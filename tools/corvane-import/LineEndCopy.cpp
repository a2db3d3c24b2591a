#include "corvane-import/LineEndCopy.h"

#include "cliplatform/PlatformFiles.h"
#include "safeoutput/SafeOutputs.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

namespace corvane::cli {
namespace {

std::string ErrnoText() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::string CarriageReturnsToLineFeeds(const std::string& bytes, bool& pendingCr, bool last) {
    std::string out;
    out.reserve(bytes.size() + 1);
    for (const char c : bytes) {
        if (pendingCr) {
            out.push_back(c == '\n' ? '\r' : '\n');
            pendingCr = false;
        }
        if (c == '\r') {
            pendingCr = true;
        } else {
            out.push_back(c);
        }
    }
    if (last && pendingCr) {
        out.push_back('\n');
        pendingCr = false;
    }
    return out;
}

LineEndCopy::LineEndCopy(const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> source(std::fopen(path.c_str(), "rb"));
    if (!source) {
        error_ = "cannot read " + path + ": " + ErrnoText();
        return;
    }
    const std::string copy = TemporaryPathBeside(SystemTemporaryFolder() + "/lf.PCB");
    guard_ = std::make_unique<GuardedTemporaryFile>(copy);
    std::FILE* file = CreateNewFile(copy, "", error_);
    if (file == nullptr) {
        error_ =
            "cannot make a copy with LF line ends in " + SystemTemporaryFolder() + ": " + error_;
        guard_.reset();
        return;
    }
    path_ = copy;
    std::vector<char> chunk(256 * 1024);
    bool pendingCr = false;
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), source.get());
        if (got < chunk.size() && std::ferror(source.get())) {
            error_ = "cannot read " + path + ": " + ErrnoText();
            break;
        }
        const bool last = got < chunk.size();
        const std::string converted =
            CarriageReturnsToLineFeeds(std::string(chunk.data(), got), pendingCr, last);
        if (std::fwrite(converted.data(), 1, converted.size(), file) != converted.size()) {
            error_ = "cannot write the copy with LF line ends " + path_ + ": " + ErrnoText();
            break;
        }
        if (last) {
            break;
        }
    }
    std::string closing;
    if (!SyncAndClose(file, closing) && error_.empty()) {
        error_ = "cannot write the copy with LF line ends " + path_ + ": " + closing;
    }
}

LineEndCopy::~LineEndCopy() {
    if (!path_.empty()) {
        RemoveFile(path_);
    }
}

} // namespace corvane::cli
