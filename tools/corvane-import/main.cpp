// corvane-import: runs the CorvaneImport plug-in the way the host editor does, on the substitute
// server, and reports what landed on the board (summary, JSON, SVG).

#include "BoardWalker.h"
#include "ExitStatus.h"
#include "ImportRun.h"
#include "InputDiagnosis.h"
#include "JsonWriter.h"
#include "ModuleLoader.h"
#include "Options.h"
#include "OutputStream.h"
#include "PlatformFiles.h"
#include "Summary.h"
#include "SvgWriter.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace halvex::cli {
namespace {

constexpr const char* ProgramName = "corvane-import";
// The exports take file names of at most this many characters.
constexpr std::size_t MaxBoardFileName = 255;

void PrintError(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName, message.c_str());
}

// The board is opened under the file's full path, as the host editor does; a path too long for
// the exports falls back to the name as given.
std::string BoardFileName(const std::string& given) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(given), error);
    if (error) {
        return given;
    }
    const std::string full = absolute.lexically_normal().string();
    return full.size() <= MaxBoardFileName || given.size() > MaxBoardFileName ? full : given;
}

std::string BaseName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The plug-in's report of the last import in one of its forms; empty without a report export.
std::string ImportReport(const LoadedModules& modules, CorvaneReportFormat format) {
    const auto report = modules.Plugin().GetImportReport;
    const char* text = report != nullptr ? report(format) : nullptr;
    return text != nullptr ? text : "";
}

bool StandardOutput(const std::string& path) {
    return path.empty() || path == "-";
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A document being written: its file (none for standard output) and its stream.
class OpenDocument {
public:
    explicit OpenDocument(const std::string& path) : path_(path) {
        if (path == "-") {
            UseBinaryStandardStreams();
            stream_ = std::make_unique<FileOutputStream>(stdout, SystemTemporaryFolder());
            return;
        }
        file_.reset(std::fopen(path.c_str(), "wb"));
        if (!file_) {
            error_ = std::error_code(errno, std::generic_category()).message();
            return;
        }
        const auto folder = std::filesystem::absolute(path).parent_path().string();
        stream_ = std::make_unique<FileOutputStream>(file_.get(), folder);
    }
    OutputStream* Stream() { return stream_.get(); }
    // Finishes the document; false (already reported) when it failed.
    bool Close() {
        if (stream_ != nullptr) {
            stream_->Flush();
            error_ = stream_->Error();
            if (error_.empty() &&
                (file_ ? std::fclose(file_.release()) : std::fflush(stdout)) != 0) {
                error_ = std::error_code(errno, std::generic_category()).message();
            }
        }
        if (!error_.empty()) {
            PrintError("cannot write " + path_ + ": " + error_);
        }
        return error_.empty();
    }

private:
    std::string path_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::unique_ptr<FileOutputStream> stream_;
    std::string error_;
};

ExitStatus Import(const Options& options) {
    const std::string fileName = BoardFileName(options.InputFile);
    if (fileName.size() > MaxBoardFileName) {
        PrintError(options.InputFile + ": the path is longer than " +
                   std::to_string(MaxBoardFileName) +
                   " characters, which the importer cannot take");
        return ExitStatus::NotImported;
    }
    const InputDiagnosis diagnosis = DiagnoseInput(fileName);
    const LoadedModules modules = LoadedModules::Load({options.ServerPath, options.PluginPath});
    if (!modules.Ok()) {
        PrintError(modules.Error());
        return ExitStatus::ModulesMissing;
    }
    // The plug-in decides; the diagnosis only explains a refusal.
    if (modules.Plugin().RecognisedPCBFile(LengthPrefixed(fileName).Data()) == 0) {
        const std::string reason = DescribeProblem(fileName, diagnosis);
        PrintError(reason.empty() ? fileName + ": not recognised as a Corvane board by the plug-in"
                                  : reason);
        return ExitStatus::NotImported;
    }
    const ImportRunResult run = RunImport(modules, fileName, diagnosis.Version, !options.Quiet);
    const DocumentHeader header{BaseName(fileName), diagnosis.Version, run.Outcome.Completed};

    bool written = true;
    if (!options.ReportFormat.empty()) {
        const auto format = options.ReportFormat == "json" ? CorvaneReportJson : CorvaneReportText;
        OpenDocument report(StandardOutput(options.ReportPath) ? "-" : options.ReportPath);
        if (report.Stream() != nullptr) {
            report.Stream()->Write(ImportReport(modules, format));
        }
        written = report.Close() && written;
    }
    // The board is read back from the server only for what shows it: the summary, JSON or SVG.
    std::optional<OpenDocument> jsonFile;
    std::optional<OpenDocument> svgFile;
    std::optional<JsonDocumentWriter> json;
    std::optional<SvgDocumentWriter> svg;
    BoardCounter counter;
    VisitorFanOut visitors;
    if (!options.Quiet) {
        visitors.Add(counter);
    }
    if (options.JsonPath && jsonFile.emplace(*options.JsonPath).Stream() != nullptr) {
        visitors.Add(json.emplace(*jsonFile->Stream(), header));
    }
    if (options.SvgPath && svgFile.emplace(*options.SvgPath).Stream() != nullptr) {
        visitors.Add(svg.emplace(*svgFile->Stream(), header.File));
    }
    if (!visitors.Empty()) {
        WalkBoard(modules.Server(), run.Board, visitors);
    }
    for (std::optional<OpenDocument>* document : {&jsonFile, &svgFile}) {
        if (document->has_value()) {
            written = (*document)->Close() && written;
        }
    }
    if (!options.Quiet) {
        // Standard output may be carrying the JSON, the SVG or the report.
        const bool stdoutTaken =
            options.JsonPath == "-" || options.SvgPath == "-" ||
            (!options.ReportFormat.empty() && StandardOutput(options.ReportPath));
        const std::string summary = SummaryText(run.Outcome, counter) +
                                    "Report:      " + ImportReport(modules, CorvaneReportCounts) +
                                    "\n";
        std::fputs(summary.c_str(), stdoutTaken ? stderr : stdout);
    }
    if (!written) {
        return ExitStatus::OutputFailed;
    }
    return run.Outcome.Completed ? ExitStatus::Imported : ExitStatus::Aborted;
}

int Main(const std::vector<std::string>& arguments) {
    const ParsedOptions parsed = ParseOptions(arguments);
    if (!parsed.Ok()) {
        PrintError(parsed.Error);
        std::fprintf(stderr, "Try '%s --help' for more information.\n", ProgramName);
        return ToInt(ExitStatus::Usage);
    }
    if (parsed.Values.ShowHelp) {
        std::fputs(HelpText().c_str(), stdout);
        return ToInt(ExitStatus::Imported);
    }
    if (parsed.Values.ShowVersion) {
        std::fputs(VersionText().c_str(), stdout);
        return ToInt(ExitStatus::Imported);
    }
    return ToInt(Import(parsed.Values));
}

} // namespace
} // namespace halvex::cli

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    try {
        return halvex::cli::Main(arguments);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane-import: %s\n", error.what());
        return 1;
    }
}
