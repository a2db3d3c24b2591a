#pragma once
// The exit statuses of corvane-import, as --help and the README list them.

namespace halvex::cli {

enum class ExitStatus : int {
    /// The board was imported to its end and every requested output was written.
    Imported = 0,
    /// The file is missing, unreadable, or not a Corvane board: nothing was imported.
    NotImported = 1,
    /// The command line was wrong.
    Usage = 2,
    /// The import stopped before the end of the file (the user aborted it); the objects read so
    /// far are on the board and in the outputs.
    Aborted = 3,
    /// An output file could not be written.
    OutputFailed = 4,
    /// The plug-in or the server module could not be loaded.
    ModulesMissing = 5,
};

constexpr int ToInt(ExitStatus status) {
    return static_cast<int>(status);
}

} // namespace halvex::cli
