#pragma once
// A board the plug-in reads from a temporary file: it opens its file by name and reads it twice,
// so a board from standard input, or one whose line ends it cannot take, is copied into a new file
// in the system's temporary folder first. The file is removed when the object goes or the program
// is ended.

#include "cliplatform/SignalCleanup.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace corvane::cli {

/// What the messages of a failed copy call its parts.
struct CopyWords {
    std::string Copy;   // "a copy with LF line ends": what cannot be made in the folder
    std::string Source; // "standard input": what cannot be read
    std::string Write;  // "keep standard input in": what cannot be done to the copy
};

class TemporaryBoardFile {
public:
    /// Makes each piece read of the source into what is written; last is true for the final one
    /// (which may be empty).
    using Convert = std::function<std::string(const std::string& piece, bool last)>;

    /// Copies the source to its end into a new file named like name; on failure Error() says why
    /// and Path() is empty or names a copy that is not to be read.
    TemporaryBoardFile(std::FILE* source, const std::string& name, const CopyWords& words,
                       const Convert& convert);
    ~TemporaryBoardFile();
    TemporaryBoardFile(const TemporaryBoardFile&) = delete;
    TemporaryBoardFile& operator=(const TemporaryBoardFile&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& Error() const { return error_; }

private:
    std::string path_;
    std::unique_ptr<GuardedTemporaryFile> guard_;
    std::string error_;
};

} // namespace corvane::cli
