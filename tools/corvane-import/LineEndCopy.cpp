#include "corvane-import/LineEndCopy.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

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
    bool pendingCr = false;
    copy_ = std::make_unique<TemporaryBoardFile>(
        source.get(), "lf.PCB",
        CopyWords{"a copy with LF line ends", path, "write the copy with LF line ends"},
        [&](const std::string& piece, bool last) {
            return CarriageReturnsToLineFeeds(piece, pendingCr, last);
        });
}

const std::string& LineEndCopy::Path() const {
    static const std::string none;
    return copy_ ? copy_->Path() : none;
}

const std::string& LineEndCopy::Error() const {
    return copy_ ? copy_->Error() : error_;
}

} // namespace corvane::cli
