#pragma once
// The output files of an import, written so that they never destroy data:
//
// - An output that is an input file, or the same file as another output, is refused before
//   anything runs. Files are compared as the system knows them (device and inode, volume and file
//   index), so links and other names of a file count; "-", /dev/stdout and any name of the file
//   standard output goes to are standard output, which one output at most may use.
// - Each file is written to a temporary file in its folder and renamed over its name only when it
//   is complete: an earlier file of that name stays as it was until then. On a write error, a full
//   disk, an interruption (SIGINT, SIGTERM, Ctrl-C) or a crash the temporary file is removed.
// - The temporary files are made before the import, so that a wrong path fails at once.
//
// Devices and pipes (/dev/null, a named pipe) are written directly: they hold no earlier file.
//
// Use: Add each output (one line per output), Prepare before the import, write each document to
// its stream, then Commit. What is not committed is removed when the object goes.

#include "cliplatform/PlatformFiles.h"
#include "safeoutput/OutputStream.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

/// Why the outputs cannot be written as asked.
struct OutputProblem {
    /// True for a request that would destroy data or mix outputs (a usage error), false for an
    /// output that cannot be created (a wrong folder, no permission).
    bool Refused = false;
    std::string Message; // one line, without the program's name
};

/// One output as it was asked for.
struct OutputRequest {
    std::string Option; // the option that named it, for messages ("--json")
    std::string Path;   // "-": standard output
};

/// The same-file refusal alone, for a whole batch before anything runs: an output that is one of
/// the inputs, two outputs that are one file, or two outputs to standard output. summaryToStdout:
/// the program also writes to standard output (then standard output must not be an input either).
std::optional<OutputProblem> FindSameFileProblem(const std::vector<OutputRequest>& outputs,
                                                 const std::vector<FileIdentity>& inputs,
                                                 bool summaryToStdout);

/// A name for a temporary file beside the file: hidden, and not guessable.
std::string TemporaryPathBeside(const std::string& path);

/// True for "-" and the names of standard output (/dev/stdout, /dev/fd/1, /proc/self/fd/1).
bool NamesStandardOutput(const std::string& path);

class SafeOutputs {
public:
    /// inputs: the files being imported, which no output may be.
    explicit SafeOutputs(std::vector<FileIdentity> inputs);
    ~SafeOutputs();
    SafeOutputs(const SafeOutputs&) = delete;
    SafeOutputs& operator=(const SafeOutputs&) = delete;

    /// Registers an output; its stream is ready once Prepare succeeded.
    OutputStream& Add(const std::string& option, const std::string& path);

    /// True when one of the outputs goes to standard output.
    bool UsesStandardOutput() const;

    /// Before the import: the same-file refusal, then every file is made ready (its temporary
    /// file created, a device opened). summaryToStdout as for FindSameFileProblem.
    std::optional<OutputProblem> Prepare(bool summaryToStdout);

    /// After the documents were written: each complete file is synced and renamed into place.
    /// Returns one line per output that failed (already removed); empty when all were written.
    std::vector<std::string> Commit();

    /// Removes every temporary file not committed and closes what is open.
    void Discard();

private:
    struct Output;
    std::string Prepare(Output& output);
    std::string Commit(Output& output);

    std::vector<FileIdentity> inputs_;
    std::vector<std::unique_ptr<Output>> outputs_;
};

} // namespace corvane::cli
