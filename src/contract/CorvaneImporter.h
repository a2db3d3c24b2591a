#pragma once
// The plug-in's exports, as a host sees them: standard calling convention on 32-bit Windows,
// length-prefixed string arguments passed by address, one-byte Boolean results.

#include "contract/ShortString.h"

#include <cstdint>
#include <string_view>

#if defined(_WIN32)
#define CORVANE_IMPORTER_CALL __stdcall
#else
#define CORVANE_IMPORTER_CALL
#endif

extern "C" {

/// Forms of the import report.
enum CorvaneReportFormat : std::uint8_t {
    CorvaneReportText = 0,        // one group a line, for people
    CorvaneReportJson = 1,        // a JSON document, for programs
    CorvaneReportCounts = 2,      // one line counting the entries by kind
    CorvaneReportLosses = 3,      // the kinds of the entries that are possible losses, "" when none
    CorvaneReportFailure = 4,     // why the import failed inside the plug-in or the plug-in could
                                  // not start, "" when neither
    CorvaneReportObjectLines = 5, // "handle line" of every object the import made, one a line
};

/// May this file be imported? FileName: length byte and at most 255 characters.
std::uint8_t CORVANE_IMPORTER_CALL RecognisedPCBFile(const std::uint8_t* fileName);
/// The file-filter text "Corvane Files (*.PCB)", valid for the life of the module.
const char* CORVANE_IMPORTER_CALL GetPcbImporterDescription();
/// Imports the file into the board the host has opened for it; true unless not recognised or
/// aborted. Reserved is copied and otherwise ignored.
std::uint8_t CORVANE_IMPORTER_CALL ImportFileIntoPcb(const std::uint8_t* fileName,
                                                     const std::uint8_t* reserved);
/// What the last import passed over or changed, with line numbers, as zero-terminated text in
/// the requested form; valid until the next import. The host editor does not call it.
const char* CORVANE_IMPORTER_CALL GetImportReport(std::uint8_t format);

typedef decltype(&RecognisedPCBFile) RecognisedPCBFile_fn;
typedef decltype(&GetPcbImporterDescription) GetPcbImporterDescription_fn;
typedef decltype(&ImportFileIntoPcb) ImportFileIntoPcb_fn;
typedef decltype(&GetImportReport) GetImportReport_fn;
}

// Every export above, and whether a host needs it (the host editor's three) or may do without it
// (the report): the one list from which a host's table of them (its function pointers and their
// lookup by name) and the table of a plug-in linked into a program are made.
#define CORVANE_IMPORTER_EXPORTS(X)                                                                \
    X(RecognisedPCBFile, true)                                                                     \
    X(GetPcbImporterDescription, true)                                                             \
    X(ImportFileIntoPcb, true)                                                                     \
    X(GetImportReport, false)

namespace corvane {

/// A string argument of the exports as a host passes it: the layout of String255 (one length
/// byte, then at most 255 characters, cut there), by the address of its length byte.
class ExportString {
public:
    explicit ExportString(std::string_view text) : text_(text) {}
    const std::uint8_t* Data() const { return &text_.Length; }

private:
    String255 text_;
};

} // namespace corvane
