#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace halvex::cli {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

bool WriteAll(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
}

} // namespace

bool WriteOutput(const std::string& path, const std::string& text, std::string& error) {
    errno = 0;
    if (path == "-") {
#if defined(_WIN32)
        // Line ends stay LF, as in a file: the same bytes as the native program.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        if (!WriteAll(stdout, text)) {
            error = ErrnoText(errno != 0 ? errno : EIO);
            return false;
        }
        return true;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = ErrnoText(errno);
        return false;
    }
    if (!WriteAll(file.get(), text)) {
        error = ErrnoText(errno != 0 ? errno : EIO);
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        error = ErrnoText(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}

} // namespace halvex::cli
