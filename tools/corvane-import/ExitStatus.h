#pragma once
// The exit statuses of corvane-import, as --help and the README list them. A run of several files
// ends with the highest status of its files.

namespace corvane::cli {

enum class ExitStatus : int {
    /// The board was imported to its end and every requested output was written.
    Imported = 0,
    /// The file is missing, unreadable, or not a Corvane board: nothing was imported.
    NotImported = 1,
    /// The command line was wrong.
    Usage = 2,
    /// The import stopped before the end of the file (the user aborted it): no output was
    /// written, or with --keep-partial the objects read so far, marked partial.
    Aborted = 3,
    /// An output file could not be written.
    OutputFailed = 4,
    /// The plug-in or the server module could not be loaded, or the plug-in could not start.
    ModulesMissing = 5,
    /// --strict: the import report holds an entry that may have lost data (the outputs were
    /// written).
    MayHaveLostData = 6,
    /// The import failed inside the plug-in, or the program ran out of memory or failed inside:
    /// nothing was written, and earlier files of the outputs' names are as they were.
    InternalFailure = 7,
};

constexpr int ToInt(ExitStatus status) {
    return static_cast<int>(status);
}

} // namespace corvane::cli
