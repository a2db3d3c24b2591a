// The three exported functions the host uses. Nothing escapes them: any failure inside an import
// ends it cleanly (file closed, bar finished, board wrapper freed) and answers false.

#include "contract/CorvaneImporter.h"
#include "contract/HostTypes.h"
#include "contract/ShortString.h"
#include "importer/ImportDriver.h"
#include "importer/ImportReport.h"
#include "importer/ImportState.h"
#include "importer/ModuleLifetime.h"
#include "importer/ObjectLines.h"
#include "importer/ReportFormat.h"

#include <cstring>
#include <exception>
#include <new>
#include <string>

namespace corvane {
namespace {

// Copies a caller's length-prefixed string into a buffer of our own; the caller's is never written.
String255 CopyArgument(const std::uint8_t* argument) {
    String255 copy;
    if (argument != nullptr) {
        copy.Length = argument[0];
        std::memcpy(copy.Chars, argument + 1, copy.Length);
    }
    return copy;
}

constexpr const char* ImporterDescription = "Corvane Files (*.PCB)";

// The report of the last import and the text last handed out for it.
struct ReportState {
    ImportReport Report;
    ObjectLines Lines;
    std::string Text;
};

ReportState& ModuleReport() {
    static ReportState state;
    return state;
}

// A failure that ended the import inside the plug-in: never an abort, always in the report.
// Recording it may itself fail when memory is short; the Boolean answer stays false either way.
void NoteImportFailed(const char* why) noexcept {
    try {
        ModuleReport().Report.Add(ReportKind::ImportFailed, ModuleImportState().RecordLine, why);
    } catch (...) {
    }
}

// A module whose start-up failed imports nothing, and its report says why as its one entry (at
// line 0: no line of a file). False unless the module is ready.
bool ReadyElseReported() {
    if (ModuleReady()) {
        return true;
    }
    ImportReport& report = ModuleReport().Report;
    report.Clear();
    const std::string failure = StartUpFailure();
    if (!failure.empty()) {
        report.Add(ReportKind::ImportFailed, 0, "the plug-in could not start: " + failure);
    }
    return false;
}

} // namespace
} // namespace corvane

extern "C" {

PCBAPI_EXPORT std::uint8_t CORVANE_IMPORTER_CALL RecognisedPCBFile(const std::uint8_t* fileName) {
    try {
        const corvane::String255 name = corvane::CopyArgument(fileName);
        return corvane::ModuleReady() && corvane::RecognisePcbFile(name.Str()) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

PCBAPI_EXPORT const char* CORVANE_IMPORTER_CALL GetPcbImporterDescription() {
    return corvane::ImporterDescription;
}

PCBAPI_EXPORT std::uint8_t CORVANE_IMPORTER_CALL ImportFileIntoPcb(const std::uint8_t* fileName,
                                                                   const std::uint8_t* reserved) {
    try {
        const corvane::String255 name = corvane::CopyArgument(fileName);
        const corvane::String255 reservedCopy = corvane::CopyArgument(reserved);
        (void)reservedCopy;
        auto& state = corvane::ModuleImportState();
        // An import started while one runs (from a window message of its abort poll) touches
        // nothing, not even the report the running one writes.
        if (state.Running || !corvane::ReadyElseReported()) {
            return 0;
        }
        auto& report = corvane::ModuleReport();
        report.Text.clear();
        state.Report = &report.Report;
        state.Lines = &report.Lines;
        return corvane::ImportFile(state, name.Str()) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        corvane::NoteImportFailed("out of memory");
    } catch (const std::exception& failure) {
        corvane::NoteImportFailed(failure.what());
    } catch (...) {
        corvane::NoteImportFailed("an unexpected failure");
    }
    return 0;
}

PCBAPI_EXPORT const char* CORVANE_IMPORTER_CALL GetImportReport(std::uint8_t format) {
    try {
        auto& report = corvane::ModuleReport();
        (void)corvane::ReadyElseReported(); // a failed start-up is the report
        switch (format) {
        case CorvaneReportJson:
            report.Text = corvane::ReportAsJson(report.Report);
            break;
        case CorvaneReportCounts:
            report.Text = corvane::ReportCounts(report.Report);
            break;
        case CorvaneReportLosses:
            report.Text = corvane::ReportLosses(report.Report);
            break;
        case CorvaneReportFailure:
            report.Text = corvane::ReportFailure(report.Report);
            break;
        case CorvaneReportObjectLines:
            report.Text = report.Lines.AsText();
            break;
        default:
            report.Text = corvane::ReportAsText(report.Report);
            break;
        }
        return report.Text.c_str();
    } catch (...) {
        return "";
    }
}

} // extern "C"
