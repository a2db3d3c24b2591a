#include "safeoutput/SafeOutputs.h"

#include "cliplatform/SignalCleanup.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

// Where an output's bytes go.
enum class Route {
    StandardOutput,
    Device,  // written directly: a device or a pipe
    Replace, // a temporary file beside it, renamed over it when complete
};

// What a path reaches: the route, the file there now or the folder and name a new one will have.
struct Target {
    Route Way = Route::Replace;
    std::string Final; // the file to replace (links followed), or the device
    std::optional<FileIdentity> Existing;
    std::optional<FileIdentity> Folder; // a new file's folder, when it exists
    std::string Name;                   // a new file's name
    bool IsFolder = false;
};

std::string FolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string FoldedName(std::string name) {
    if (NamesIgnoreCase()) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return name;
}

Target Resolve(const std::string& path) {
    Target target;
    if (NamesStandardOutput(path)) {
        target.Way = Route::StandardOutput;
        return target;
    }
    const PathKind kind = KindOfPath(path);
    target.Existing = IdentifyFile(path);
    if (target.Existing && target.Existing == IdentifyStandardStream(StandardStream::Output)) {
        target.Way = Route::StandardOutput; // another name of the file standard output writes
        return target;
    }
    target.Final = path;
    target.IsFolder = kind == PathKind::Folder;
    if (kind == PathKind::Special) {
        target.Way = Route::Device;
        return target;
    }
    if (kind == PathKind::RegularFile) {
        // A link is followed: the file it names is replaced, and the link stays.
        std::error_code error;
        const fs::path real = fs::canonical(fs::path(path), error);
        if (!error) {
            target.Final = real.string();
        }
        return target;
    }
    target.Folder = IdentifyFile(FolderOf(path));
    target.Name = FoldedName(fs::path(path).filename().string());
    return target;
}

bool SameFile(const Target& a, const Target& b) {
    if (a.Way != Route::Replace || b.Way != Route::Replace) {
        return false; // devices hold nothing to lose; standard output is counted on its own
    }
    if (a.Existing || b.Existing) {
        return a.Existing == b.Existing;
    }
    return a.Folder && a.Folder == b.Folder && a.Name == b.Name;
}

std::optional<OutputProblem> Refused(const std::string& message) {
    return OutputProblem{true, message};
}

} // namespace

std::string TemporaryPathBeside(const std::string& final) {
    static std::mt19937_64 random{std::random_device{}()};
    static std::atomic<unsigned> counter{0};
    const fs::path path(final);
    // Room for the marks around the name within the 255 bytes a file name may have.
    constexpr std::size_t KeptOfName = 200;
    std::string name(1, '.');
    name += path.filename().string().substr(0, KeptOfName);
    name += ".corvane-";
    const std::uint64_t value = random() ^ counter++;
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int i = 0; i < 8; ++i) {
        name += digits[(value >> (i * 5)) % 36];
    }
    return (path.parent_path() / (name + ".tmp")).string();
}

bool NamesStandardOutput(const std::string& path) {
    static const std::array<const char*, 4> names = {"-", "/dev/stdout", "/dev/fd/1",
                                                     "/proc/self/fd/1"};
    return std::find_if(names.begin(), names.end(),
                        [&](const char* name) { return path == name; }) != names.end();
}

std::optional<OutputProblem> FindSameFileProblem(const std::vector<OutputRequest>& outputs,
                                                 const std::vector<FileIdentity>& inputs,
                                                 bool summaryToStdout) {
    std::vector<Target> targets;
    targets.reserve(outputs.size());
    const OutputRequest* toStdout = nullptr;
    for (const OutputRequest& output : outputs) {
        targets.push_back(Resolve(output.Path));
        const Target& target = targets.back();
        if (target.Way == Route::StandardOutput) {
            if (toStdout != nullptr) {
                return Refused("only one output can write to standard output, not both " +
                               toStdout->Option + " and " + output.Option);
            }
            toStdout = &output;
        }
        if (target.Existing && target.Way != Route::StandardOutput &&
            std::find(inputs.begin(), inputs.end(), *target.Existing) != inputs.end()) {
            return Refused(output.Option + " " + output.Path +
                           " is an input file; refusing to overwrite it");
        }
        for (std::size_t i = 0; i + 1 < targets.size(); ++i) {
            if (SameFile(targets[i], target)) {
                return Refused(outputs[i].Option + " " + outputs[i].Path + " and " + output.Option +
                               " " + output.Path + " are the same file; each output needs its own");
            }
        }
    }
    const auto stdoutFile = IdentifyStandardStream(StandardStream::Output);
    if ((summaryToStdout || toStdout != nullptr) && stdoutFile &&
        std::find(inputs.begin(), inputs.end(), *stdoutFile) != inputs.end()) {
        return Refused("standard output is an input file; refusing to write to it");
    }
    return std::nullopt;
}

namespace {

// The stream of an output: it reaches the output's file once that is prepared.
class PreparedStream final : public OutputStream {
public:
    using OutputStream::OutputStream;
    std::FILE* File = nullptr;

private:
    bool Deliver(std::string_view bytes, std::string& error) override {
        if (File == nullptr) {
            error = "the output was not prepared";
            return false;
        }
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), File) != bytes.size()) {
            error = std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
            return false;
        }
        return true;
    }
};

} // namespace

struct SafeOutputs::Output {
    Output(OutputRequest request, std::string scratchFolder)
        : Request(std::move(request)), Stream(std::move(scratchFolder)) {}
    OutputRequest Request;
    Target Where;
    std::string Temporary;
    std::unique_ptr<GuardedTemporaryFile> Guard;
    std::FILE* File = nullptr; // owned, except standard output
    PreparedStream Stream;
};

SafeOutputs::SafeOutputs(std::vector<FileIdentity> inputs) : inputs_(std::move(inputs)) {}

SafeOutputs::~SafeOutputs() {
    Discard();
}

OutputStream& SafeOutputs::Add(const std::string& option, const std::string& path) {
    // Scratch files of the output's writer go beside it; for standard output, where the system
    // keeps temporary files.
    std::string scratch = NamesStandardOutput(path) ? SystemTemporaryFolder() : FolderOf(path);
    outputs_.push_back(std::make_unique<Output>(OutputRequest{option, path}, std::move(scratch)));
    return outputs_.back()->Stream;
}

bool SafeOutputs::UsesStandardOutput() const {
    return std::any_of(outputs_.begin(), outputs_.end(), [](const auto& output) {
        return Resolve(output->Request.Path).Way == Route::StandardOutput;
    });
}

std::optional<OutputProblem> SafeOutputs::Prepare(bool summaryToStdout) {
    std::vector<OutputRequest> requests;
    for (const auto& output : outputs_) {
        requests.push_back(output->Request);
    }
    if (auto problem = FindSameFileProblem(requests, inputs_, summaryToStdout)) {
        return problem;
    }
    for (const auto& output : outputs_) {
        const std::string reason = Prepare(*output);
        if (!reason.empty()) {
            Discard();
            return OutputProblem{false, "cannot write " + output->Request.Path + ": " + reason};
        }
    }
    return std::nullopt;
}

std::string SafeOutputs::Prepare(Output& output) {
    output.Where = Resolve(output.Request.Path);
    const Target& where = output.Where;
    std::string error;
    switch (where.Way) {
    case Route::StandardOutput:
        UseBinaryStandardStreams();
        output.Stream.File = stdout;
        return {};
    case Route::Device:
        output.File = OpenSpecialFile(where.Final, error);
        break;
    case Route::Replace: {
        if (where.IsFolder) {
            return "it is a folder";
        }
        if (where.Existing) {
            error = WhyNotWritable(where.Final);
            if (!error.empty()) {
                return error;
            }
        } else if (!where.Folder) {
            return "no such folder: " + FolderOf(where.Final);
        }
        output.Temporary = TemporaryPathBeside(where.Final);
        output.Guard = std::make_unique<GuardedTemporaryFile>(output.Temporary);
        output.File = CreateNewFile(output.Temporary, where.Existing ? where.Final : "", error);
        if (output.File == nullptr) {
            output.Guard.reset();
            output.Temporary.clear();
        }
        break;
    }
    }
    if (output.File == nullptr) {
        return error;
    }
    output.Stream.File = output.File;
    return {};
}

std::vector<std::string> SafeOutputs::Commit() {
    std::vector<std::string> failures;
    for (const auto& output : outputs_) {
        const std::string reason = Commit(*output);
        if (!reason.empty()) {
            failures.push_back("cannot write " + output->Request.Path + ": " + reason);
        }
    }
    Discard();
    return failures;
}

std::string SafeOutputs::Commit(Output& output) {
    output.Stream.Flush();
    std::string error = output.Stream.Error();
    if (output.Stream.File == nullptr) {
        return error.empty() ? "it was never opened" : error;
    }
    output.Stream.File = nullptr;
    if (output.Where.Way == Route::StandardOutput) {
        if (error.empty() && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
            error = std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message();
        }
        return error;
    }
    std::FILE* file = output.File;
    output.File = nullptr;
    std::string closing;
    if (!SyncAndClose(file, closing) && error.empty()) {
        error = closing;
    }
    if (error.empty() && output.Where.Way == Route::Replace) {
        MoveIntoPlace(output.Temporary, output.Where.Final, error);
    }
    if (!error.empty()) {
        return error;
    }
    output.Temporary.clear(); // it is the output now
    output.Guard.reset();
    return {};
}

void SafeOutputs::Discard() {
    for (const auto& output : outputs_) {
        output->Stream.File = nullptr;
        if (output->File != nullptr) {
            std::fclose(output->File);
            output->File = nullptr;
        }
        if (!output->Temporary.empty()) {
            RemoveFile(output->Temporary);
            output->Temporary.clear();
        }
        output->Guard.reset();
    }
}

} // namespace corvane::cli
