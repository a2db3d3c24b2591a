#pragma once
// A board read from standard input ("-" as FILE), kept in a temporary file for the plug-in.

#include "corvane-import/TemporaryBoardFile.h"

#include <string>

namespace corvane::cli {

class StandardInputBoard {
public:
    /// Reads standard input to its end.
    StandardInputBoard();

    /// The temporary file holding the board; empty when it could not be made (see Error).
    const std::string& Path() const { return copy_.Path(); }
    const std::string& Error() const { return copy_.Error(); }

private:
    TemporaryBoardFile copy_;
};

} // namespace corvane::cli
