// corvane-import: runs the CorvaneImport plug-in the way the host editor does, on the substitute
// server, and reports what landed on the board (summary, JSON, SVG, KiCad board, BOM, placement).

#include "AssemblyFiles.h"
#include "BoardSnapshot.h"
#include "ExitStatus.h"
#include "ImportRun.h"
#include "InputDiagnosis.h"
#include "JsonWriter.h"
#include "KicadBoardWriter.h"
#include "ModuleLoader.h"
#include "Options.h"
#include "OutputFile.h"
#include "Summary.h"
#include "SvgWriter.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
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

// Writes the requested outputs; false when one of them failed (already reported).
bool WriteOutputs(const Options& options, const Board& board, const LoadedModules& modules) {
    bool ok = true;
    std::string error;
    if (!options.ReportFormat.empty()) {
        const auto format = options.ReportFormat == "json" ? CorvaneReportJson : CorvaneReportText;
        const std::string path = StandardOutput(options.ReportPath) ? "-" : options.ReportPath;
        if (!WriteOutput(path, ImportReport(modules, format), error)) {
            PrintError("cannot write " + path + ": " + error);
            ok = false;
        }
    }
    if (options.JsonPath && !WriteOutput(*options.JsonPath, BoardToJson(board), error)) {
        PrintError("cannot write " + *options.JsonPath + ": " + error);
        ok = false;
    }
    if (options.SvgPath && !WriteOutput(*options.SvgPath, BoardToSvg(board), error)) {
        PrintError("cannot write " + *options.SvgPath + ": " + error);
        ok = false;
    }
    if (options.BomPath && !WriteOutput(*options.BomPath, BoardToBom(board), error)) {
        PrintError("cannot write " + *options.BomPath + ": " + error);
        ok = false;
    }
    if (options.PositionsPath &&
        !WriteOutput(*options.PositionsPath, BoardToPositions(board), error)) {
        PrintError("cannot write " + *options.PositionsPath + ": " + error);
        ok = false;
    }
    if (options.KicadPath &&
        !WriteOutput(*options.KicadPath, BoardToKicad(board, options.EdgeLayer), error)) {
        PrintError("cannot write " + *options.KicadPath + ": " + error);
        ok = false;
    }
    return ok;
}

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
    // The board is read back from the server only for what shows it: the summary or an output.
    const bool boardShown = !options.Quiet || options.JsonPath || options.SvgPath ||
                            options.KicadPath || options.BomPath || options.PositionsPath;
    Board board = boardShown ? SnapshotBoard(modules.Server(), run.Board) : Board{};
    board.File = BaseName(fileName);
    board.Version = diagnosis.Version;
    board.Imported = run.Outcome.Completed;

    const bool written = WriteOutputs(options, board, modules);
    if (!options.Quiet) {
        // Standard output may be carrying the JSON, the SVG or the report.
        const bool stdoutTaken =
            options.JsonPath == "-" || options.SvgPath == "-" || options.KicadPath == "-" ||
            options.BomPath == "-" || options.PositionsPath == "-" ||
            (!options.ReportFormat.empty() && StandardOutput(options.ReportPath));
        const std::string summary = SummaryText(run.Outcome, board) +
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
