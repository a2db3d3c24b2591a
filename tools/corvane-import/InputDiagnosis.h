#pragma once
// Why a file can or cannot be imported, told from its first line as the importer reads it. The
// plug-in decides whether to import; this only explains its answer to a person.

#include <string>

namespace corvane::cli {

enum class InputProblem {
    None,       // a Corvane board
    Missing,    // no such file
    NotAFile,   // a directory or another non-regular file
    Unreadable, // exists, but cannot be opened or read
    NotCorvane, // the first line holds neither marker
};

struct InputDiagnosis {
    InputProblem Problem = InputProblem::None;
    /// 5 when the first line starts with exactly "PCB FILE 5" (as the importer decides it), else 4.
    int Version = 4;
    /// The system's reason for Unreadable (for example "Permission denied").
    std::string Reason;
    /// The first line as read (at most 255 characters), for messages.
    std::string FirstLine;
    /// The first line ends with a CR that no LF follows: the file's lines end with CR alone.
    bool CarriageReturnLineEnds = false;
};

/// Looks at the file the way the importer will: its first line, up to the first line end or
/// Ctrl-Z, at most 255 characters, upper-cased for the marker test. A CR that no LF follows ends
/// the first line too: the program then hands the importer a copy with LF line ends.
InputDiagnosis DiagnoseInput(const std::string& path);

/// One line, without the program name, saying what is wrong with the file (empty for None).
std::string DescribeProblem(const std::string& path, const InputDiagnosis& diagnosis);

} // namespace corvane::cli
