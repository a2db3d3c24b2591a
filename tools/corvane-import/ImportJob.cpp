#include "corvane-import/ImportJob.h"

#include "cliplatform/Terminal.h"
#include "contract/CorvaneImporter.h"
#include "corvane-import/Documents.h"
#include "corvane-import/ImportRun.h"
#include "corvane-import/InputDiagnosis.h"
#include "corvane-import/LineEndCopy.h"
#include "corvane-import/OutputPlan.h"
#include "corvane-import/ProgressBar.h"
#include "corvane-import/ReadingNotes.h"
#include "corvane-import/StandardInputBoard.h"
#include "corvane-import/Summary.h"
#include "hostlink/BoardWalker.h"
#include "hostlink/ModuleLoader.h"
#include "safeoutput/SafeOutputs.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace corvane::cli {
namespace {

// The exports take file names of at most this many characters.
constexpr std::size_t MaxBoardFileName = 255;
// Standard input as FILE, and as the documents name the file it held.
constexpr const char* StandardInputName = "-";
// Standard input in messages and the summary.
constexpr const char* StandardInputShown = "standard input";

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

// What all the files of one run share.
struct Run {
    const Options& Settings;
    const LoadedModules& Modules;
    std::vector<FileIdentity> Inputs; // every input, which no output may be
    const StandardInputBoard* Stdin = nullptr;
    bool Several = false; // a status line per file instead of the summary
    const ProgressListener& Listener;
};

// Writes the summary or a status line; false (reported) when it could not be written.
bool WriteSummary(const std::string& text, std::FILE* stream) {
    errno = 0;
    if (std::fputs(text.c_str(), stream) < 0 || std::fflush(stream) != 0 || std::ferror(stream)) {
        PrintError("cannot write the summary to standard " +
                   std::string(stream == stdout ? "output" : "error") + ": " +
                   std::error_code(errno != 0 ? errno : EIO, std::generic_category()).message());
        return false;
    }
    return true;
}

// A document's name as the "Writing" caption lists it.
std::string ShownDocumentName(const PlannedDocument& document) {
    return document.Path == "-" ? std::string("standard output") : BaseName(document.Path);
}

// The names the "Writing" caption lists.
std::string WritingCaption(const FileOutputs& file) {
    std::string names;
    for (const PlannedDocument& document : file.Documents) {
        names += (names.empty() ? "" : ", ") + ShownDocumentName(document);
    }
    return "Writing " + names;
}

std::string StatusLine(const std::string& shownName, ExitStatus status,
                       const ImportOutcome& outcome, const BoardCounter& board,
                       const std::string& reportCounts) {
    const BoardCounts& counts = board.Counts();
    const std::string contents = std::to_string(board.Primitives()) + " objects, " +
                                 std::to_string(counts.Components) + " components, " +
                                 std::to_string(counts.Nets) + " nets; report: " + reportCounts;
    switch (status) {
    case ExitStatus::Imported:
    case ExitStatus::MayHaveLostData:
    case ExitStatus::Aborted:
        return shownName + ": " + OutcomeWords(outcome) + "; " + contents;
    case ExitStatus::OutputFailed:
        return shownName + ": an output could not be written; " + contents;
    default:
        return shownName + ": not imported";
    }
}

// What a document tells of the import: the summary's words (without the pointer to --report,
// as the page shows the report itself) and the report.
ImportFacts FactsOf(const ImportOutcome& outcome, const std::string& losses,
                    std::string reportJson) {
    ImportOutcome words = outcome;
    words.Losses.clear();
    return {losses.empty() || !outcome.Completed ? OutcomeWords(words)
                                                 : "data may have been lost (" + losses + ")",
            losses, std::move(reportJson)};
}

// A document being written: its kind, and the stream SafeOutputs gave it.
struct DocumentStream {
    const DocumentKind* Kind;
    OutputStream* Stream;
    std::string Name; // as the progress bar shows it
};

// What the walk over an imported board serves: the documents asked for, and the summary's counter
// unless the program is quiet (null then).
struct WalkTargets {
    const DocumentHeader& Header;
    const DocumentSettings& Settings;
    const ImportFacts& Facts;
    const std::vector<DocumentStream>& Documents;
    DocumentNotes& Notes;
    BoardCounter* Counter = nullptr;
};

// Reads the board back from the server once, for everything that shows it, with the writing on
// the progress bar. Nothing is read when nothing shows the board, and the board is kept whole in
// memory only for the documents made from all of it.
void WalkForOutputs(const LoadedModules& modules, std::uint32_t handle, const WalkTargets& targets,
                    const std::string& caption, ProgressBar& bar) {
    // The file line of each object, from the plug-in, for the documents that name objects by it.
    std::optional<ObjectLineIndex> lines;
    if (std::any_of(targets.Documents.begin(), targets.Documents.end(),
                    [](const DocumentStream& document) { return document.Kind->NamesLines; })) {
        lines.emplace(ImportReport(modules, CorvaneReportObjectLines));
        // The plug-in keeps the text it handed out until it is asked again (16 bytes an object):
        // a short form frees it before the board is read.
        ImportReport(modules, CorvaneReportCounts);
    }
    BoardStore board;
    VisitorFanOut visitors;
    if (targets.Counter != nullptr) {
        visitors.Add(*targets.Counter);
    }
    if (std::any_of(targets.Documents.begin(), targets.Documents.end(),
                    [](const DocumentStream& document) { return document.Kind->NeedsBoard; })) {
        visitors.Add(board); // before the documents made from it
    }
    std::vector<std::unique_ptr<BoardVisitor>> writers;
    for (const DocumentStream& document : targets.Documents) {
        const DocumentContext context{targets.Header, targets.Settings, board,
                                      targets.Facts,  targets.Notes,    bar,
                                      document.Name};
        writers.push_back(document.Kind->Make(*document.Stream, context));
        visitors.Add(*writers.back());
    }
    if (visitors.Empty()) {
        return;
    }
    const bool writing = !writers.empty();
    if (writing) {
        bar.Init(caption, BoardMemberCount(modules.Server(), handle));
    }
    WalkBoard(
        modules.Server(), handle, targets.Header, visitors,
        [&] {
            if (writing) {
                bar.Step();
            }
        },
        lines ? &*lines : nullptr);
    bar.Finish();
}

// The status of an import that ran: a failed output outweighs an abort, an abort the losses
// --strict counts.
ExitStatus OutcomeStatus(bool outputFailed, bool completed, bool strictAndLost) {
    if (outputFailed) {
        return ExitStatus::OutputFailed;
    }
    if (!completed) {
        return ExitStatus::Aborted;
    }
    return strictAndLost ? ExitStatus::MayHaveLostData : ExitStatus::Imported;
}

// Imports one file and writes its outputs and its summary or status line (statusLine: whether it
// did write a status line).
ExitStatus ImportOne(const FileOutputs& file, Run& run, bool& statusLine) {
    const Options& options = run.Settings;
    const LoadedModules& modules = run.Modules;
    const bool fromStdin = file.Input == StandardInputName;
    const std::string fileName = fromStdin ? run.Stdin->Path() : BoardFileName(file.Input);
    const std::string shownName = fromStdin ? std::string(StandardInputShown) : fileName;
    if (fileName.size() > MaxBoardFileName) {
        PrintError(file.Input + ": the path is longer than " + std::to_string(MaxBoardFileName) +
                   " characters, which the importer cannot take");
        return ExitStatus::NotImported;
    }
    const InputDiagnosis diagnosis = DiagnoseInput(fileName);
    // Lines ending with CR alone are how old Macintosh programs wrote the format: the plug-in
    // reads a copy with LF line ends, and everything shown still names the user's file.
    std::optional<LineEndCopy> lineEndCopy;
    std::vector<ReadingNote> notes;
    if (diagnosis.CarriageReturnLineEnds) {
        if (!lineEndCopy.emplace(fileName).Error().empty()) {
            PrintError(shownName + ": " + lineEndCopy->Error());
            return ExitStatus::NotImported;
        }
        notes.push_back(ReadingNote::CarriageReturnLineEnds);
    }
    const std::string readPath = lineEndCopy ? lineEndCopy->Path() : fileName;
    // The plug-in decides; the diagnosis only explains a refusal.
    if (modules.Plugin().RecognisedPCBFile(ExportString(readPath).Data()) == 0) {
        const std::string reason = DescribeProblem(shownName, diagnosis);
        PrintError(reason.empty() ? shownName + ": not recognised as a Corvane board by the plug-in"
                                  : reason);
        return ExitStatus::NotImported;
    }

    SafeOutputs outputs(run.Inputs);
    OutputStream* report =
        file.Report ? &outputs.Add(*file.Report == "-" ? "--report" : "--report-file", *file.Report)
                    : nullptr;
    std::vector<DocumentStream> documents;
    for (const PlannedDocument& document : file.Documents) {
        documents.push_back({document.Kind,
                             &outputs.Add(std::string(document.Kind->Option), document.Path),
                             ShownDocumentName(document)});
    }
    if (const auto problem = outputs.Prepare(!options.Quiet)) {
        PrintError(problem->Message);
        return problem->Refused ? ExitStatus::Usage : ExitStatus::OutputFailed;
    }

    ProgressBar bar(stderr, !options.Quiet && StandardErrorIsTerminal(), TerminalColumns(),
                    run.Listener);
    const ImportRunResult imported = RunImport(modules, readPath, diagnosis.Version, bar);
    if (!imported.Outcome.Completed && !imported.Outcome.UserAborted) {
        // The outputs are not written: their earlier files stay as they were.
        const std::string failure = ImportReport(modules, CorvaneReportFailure);
        PrintError(shownName + ": the import failed: " +
                   (failure.empty() ? "the plug-in stopped before the end of the file" : failure));
        return ExitStatus::InternalFailure;
    }

    // An aborted import replaces no earlier output unless asked to: its documents would hold
    // only the part of the board read before the abort.
    const bool writesOutputs = imported.Outcome.Completed || options.KeepPartial;
    if (!writesOutputs) {
        outputs.Discard();
        documents.clear();
        report = nullptr;
    }
    const std::string losses = ImportReport(modules, CorvaneReportLosses);
    if (report != nullptr) {
        report->Write(options.ReportFormat == "json"
                          ? JsonReportWithNotes(ImportReport(modules, CorvaneReportJson), notes)
                          : TextReportWithNotes(ImportReport(modules, CorvaneReportText), notes));
    }
    const DocumentHeader header{fromStdin ? StandardInputName : BaseName(fileName),
                                diagnosis.Version, imported.Outcome.Completed, !losses.empty()};
    ImportFacts facts;
    if (std::any_of(documents.begin(), documents.end(), [](const DocumentStream& document) {
            return document.Kind->NeedsImportFacts;
        })) {
        facts = FactsOf(imported.Outcome, losses,
                        JsonReportWithNotes(ImportReport(modules, CorvaneReportJson), notes));
    }
    BoardCounter counter;
    DocumentNotes documentNotes;
    WalkForOutputs(modules, imported.Board,
                   {header, options.WriterSettings, facts, documents, documentNotes,
                    options.Quiet ? nullptr : &counter},
                   WritingCaption(file), bar);
    const std::vector<std::string> failures =
        writesOutputs ? outputs.Commit() : std::vector<std::string>{};
    for (const std::string& failure : failures) {
        PrintError(failure);
    }

    // What a document could not hold as the file has it is a possible loss too.
    const std::string outputLosses = documentNotes.Losses();
    ExitStatus status = OutcomeStatus(!failures.empty(), imported.Outcome.Completed,
                                      options.Strict && !(losses + outputLosses).empty());
    if (!options.Quiet) {
        ImportOutcome outcome = imported.Outcome;
        outcome.Path = shownName;
        outcome.Losses = losses;
        outcome.OutputLosses = outputLosses;
        outcome.DocumentLines = documentNotes.BoardLines();
        for (const ReadingNote note : notes) {
            outcome.Notes.emplace_back(KindOf(note).Detail);
        }
        const std::string noteKinds = NoteKinds(notes);
        const std::string counts = ImportReport(modules, CorvaneReportCounts) +
                                   (noteKinds.empty() ? "" : "; note: " + noteKinds);
        const bool noOutputWritten = !writesOutputs && (!file.Documents.empty() || file.Report);
        const std::string text =
            run.Several ? StatusLine(shownName, status, outcome, counter, counts) +
                              (noOutputWritten ? "; no output written" : "") + "\n"
                        : SummaryText(outcome, counter) + documentNotes.ClosingLines() +
                              (noOutputWritten ? "Outputs:     none written: earlier files are as "
                                                 "they were (--keep-partial writes what was read)\n"
                                               : "") +
                              "Report:      " + counts + "\n";
        // Standard output may be carrying the JSON, the SVG or the report.
        statusLine = run.Several;
        if (!WriteSummary(text, outputs.UsesStandardOutput() ? stderr : stdout)) {
            status = std::max(status, ExitStatus::OutputFailed);
        }
    }
    return status;
}

} // namespace

void PrintError(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName, message.c_str());
}

// Everything before the first import: the outputs are planned and checked, the output folder
// made, standard input read, the modules loaded. Then the files, one after the other.
ExitStatus ImportAll(const Options& options, const ProgressListener& listener) {
    const OutputPlan plan = PlanOutputs(options);
    if (!plan.Error.empty()) {
        PrintError(plan.Error);
        return ExitStatus::Usage;
    }
    std::vector<FileIdentity> inputs;
    std::vector<OutputRequest> requests;
    for (const FileOutputs& file : plan.Files) {
        const auto input = file.Input == StandardInputName
                               ? IdentifyStandardStream(StandardStream::Input)
                               : IdentifyFile(file.Input);
        if (input) {
            inputs.push_back(*input);
        }
        if (file.Report) {
            requests.push_back({"--report-file", *file.Report});
        }
        for (const PlannedDocument& document : file.Documents) {
            requests.push_back({std::string(document.Kind->Option), document.Path});
        }
    }
    if (const auto problem = FindSameFileProblem(requests, inputs, !options.Quiet)) {
        PrintError(problem->Message);
        return ExitStatus::Usage;
    }
    if (options.OutDir) {
        std::error_code error;
        std::filesystem::create_directories(*options.OutDir, error);
        if (error) {
            PrintError("cannot make the output folder " + *options.OutDir + ": " + error.message());
            return ExitStatus::OutputFailed;
        }
    }
    std::optional<StandardInputBoard> stdinBoard;
    const bool readsStdin = std::any_of(plan.Files.begin(), plan.Files.end(),
                                        [](const auto& f) { return f.Input == StandardInputName; });
    if (readsStdin && !stdinBoard.emplace().Error().empty()) {
        PrintError(stdinBoard->Error());
        return ExitStatus::NotImported;
    }
    const LoadedModules modules = LoadedModules::Load({options.ServerPath, options.PluginPath});
    if (!modules.Ok()) {
        PrintError(modules.Error());
        return ExitStatus::ModulesMissing;
    }

    Run run{options, modules, inputs, stdinBoard ? &*stdinBoard : nullptr, plan.Files.size() > 1,
            listener};
    ExitStatus worst = ExitStatus::Imported;
    bool stopped = false;
    for (const FileOutputs& file : plan.Files) {
        if (stopped) {
            if (!options.Quiet) {
                std::printf("%s: not imported: an earlier import was aborted\n",
                            file.Input.c_str());
            }
            continue;
        }
        bool statusLine = false;
        const ExitStatus status = ImportOne(file, run, statusLine);
        if (run.Several && !options.Quiet && !statusLine) {
            std::printf("%s: not imported\n", file.Input.c_str());
        }
        worst = std::max(worst, status);
        // An abort is the user's answer for the whole run; a board left on the server by one
        // file would only take memory from the next.
        stopped = status == ExitStatus::Aborted;
        modules.Server().CloseAllBoards();
    }
    std::fflush(stdout);
    return worst;
}

} // namespace corvane::cli
