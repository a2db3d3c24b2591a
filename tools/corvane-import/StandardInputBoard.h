#pragma once
// A board read from standard input ("-" as FILE). The plug-in opens its file by name and reads it
// twice, so the bytes are kept in a temporary file, removed when the object goes or the program
// is interrupted.

#include "cliplatform/SignalCleanup.h"

#include <memory>
#include <string>

namespace corvane::cli {

class StandardInputBoard {
public:
    /// Reads standard input to its end.
    StandardInputBoard();
    ~StandardInputBoard();
    StandardInputBoard(const StandardInputBoard&) = delete;
    StandardInputBoard& operator=(const StandardInputBoard&) = delete;

    /// The temporary file holding the board; empty when it could not be made (see Error).
    const std::string& Path() const { return path_; }
    const std::string& Error() const { return error_; }

private:
    std::string path_;
    std::unique_ptr<GuardedTemporaryFile> guard_;
    std::string error_;
};

} // namespace corvane::cli
