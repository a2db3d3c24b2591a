#include "importer/ImportDriver.h"

#include "importer/ImportReport.h"
#include "importer/Keywords.h"
#include "importer/MainLoop.h"
#include "importer/ObjectLines.h"
#include "importer/ScanPass.h"
#include "pcbmodel/lookups/ScratchComponent.h"
#include "serverclient/ClientEntryBinding.h"
#include "serverclient/PcbApi.h"

#include <algorithm>

namespace corvane {
namespace {

std::string UpperCaseAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return text;
}

// Whatever way the import ends, the file is closed, the bar finished and the board freed.
class ImportCleanup {
public:
    explicit ImportCleanup(ImportState& state) : state_(state) {}
    ~ImportCleanup() {
        state_.Input.reset();
        if (barStarted_) {
            PcbApi_Percent_Finish();
        }
        state_.Board.reset();
        state_.Nodes.reset();
        state_.ComponentEnds.Clear();
    }
    ImportCleanup(const ImportCleanup&) = delete;
    ImportCleanup& operator=(const ImportCleanup&) = delete;

    void BarStarted() { barStarted_ = true; }

private:
    ImportState& state_;
    bool barStarted_ = false;
};

// Marks the state as in use for as long as the import runs, however it ends.
class RunningImport {
public:
    explicit RunningImport(ImportState& state) : state_(state) { state_.Running = true; }
    ~RunningImport() { state_.Running = false; }
    RunningImport(const RunningImport&) = delete;
    RunningImport& operator=(const RunningImport&) = delete;

private:
    ImportState& state_;
};

} // namespace

bool RecognisePcbFile(const std::string& fileName) {
    if (!ClientExistSpecific(fileName)) {
        return false;
    }
    const auto reader = InputFile::Open(fileName);
    if (reader == nullptr) {
        return false; // a file that cannot be opened reads as an empty first line
    }
    const std::string firstLine =
        UpperCaseAscii(reader->ReadWholeLine(InputFile::KeywordLineLimit));
    return firstLine.find(keyword::Version4Marker) != std::string::npos ||
           firstLine.find(keyword::Version5Marker) != std::string::npos;
}

bool ImportFile(ImportState& state, const std::string& fileName) {
    if (state.Running) {
        return false; // started from a window message the running import's abort poll delivered
    }
    const RunningImport running(state);
    state.AbortRequested = false;
    state.ComponentEnds.Clear();
    ForgetScratchComponent();
    state.RecordLine = 0;
    if (state.Report != nullptr) {
        state.Report->Clear();
    }
    if (state.Lines != nullptr) {
        state.Lines->Clear();
    }
    if (!RecognisePcbFile(fileName)) {
        return false;
    }
    const String255 hostFileName(fileName);
    const HostHandle boardHandle = PcbApi_GetBoardHandleFromFullFileName(&hostFileName);
    if (boardHandle == 0 && state.Report != nullptr) {
        state.Report->Add(ReportKind::NoHostObject, 1,
                          "no board is open for the file (or no server): every record was read "
                          "past");
    }

    ImportCleanup cleanup(state);
    state.Board = std::make_unique<TPcbBoard>(boardHandle);
    state.Nodes = state.MakeNodeLookup(boardHandle);
    state.Input = InputFile::Open(fileName);
    if (state.Input == nullptr) {
        return false;
    }
    const std::string firstLine = state.Input->ReadWholeLine(InputFile::KeywordLineLimit);
    state.IsVersion5File = firstLine.starts_with(keyword::Version5Marker);

    cleanup.BarStarted();
    RunScanPass(state, fileName);
    state.Input->SetObserver(state.Report);
    RunMainLoop(state);
    // Importing into nothing is not a success.
    return !state.AbortRequested && boardHandle != 0;
}

} // namespace corvane
