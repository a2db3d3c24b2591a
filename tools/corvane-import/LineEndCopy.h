#pragma once
// A board whose lines end with CR alone, as old Macintosh programs wrote them. The plug-in takes
// only LF (or CR LF) as a line end, so the program hands it a temporary copy in which every CR
// without LF is an LF: the same number of bytes and lines, so the report's line numbers still
// point into the user's file. The copy is removed when the object goes or the program is ended.

#include "corvane-import/TemporaryBoardFile.h"

#include <memory>
#include <string>

namespace corvane::cli {

class LineEndCopy {
public:
    /// Copies the board at path; on failure Error() says why.
    explicit LineEndCopy(const std::string& path);

    const std::string& Path() const;
    const std::string& Error() const;

private:
    std::string error_; // the board could not be opened
    std::unique_ptr<TemporaryBoardFile> copy_;
};

/// The bytes with every CR that no LF follows made an LF; pendingCr carries a CR at the end of
/// one piece to the next, and is flushed by a final call with no bytes.
std::string CarriageReturnsToLineFeeds(const std::string& bytes, bool& pendingCr, bool last);

} // namespace corvane::cli
