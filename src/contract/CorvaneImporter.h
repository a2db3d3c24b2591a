#pragma once
// The plug-in's exports, as a host sees them: standard calling convention on 32-bit Windows,
// length-prefixed string arguments passed by address, one-byte Boolean results.

#include <cstdint>

#if defined(_WIN32)
#define CORVANE_IMPORTER_CALL __stdcall
#else
#define CORVANE_IMPORTER_CALL
#endif

extern "C" {

/// May this file be imported? FileName: length byte and at most 255 characters.
typedef std::uint8_t(CORVANE_IMPORTER_CALL* RecognisedPCBFile_fn)(const std::uint8_t* fileName);
/// The file-filter text "Corvane Files (*.PCB)", valid for the life of the module.
typedef const char*(CORVANE_IMPORTER_CALL* GetPcbImporterDescription_fn)();
/// Imports the file into the board the host has opened for it; true unless not recognised or
/// aborted. Reserved is copied and otherwise ignored.
typedef std::uint8_t(CORVANE_IMPORTER_CALL* ImportFileIntoPcb_fn)(const std::uint8_t* fileName,
                                                                  const std::uint8_t* reserved);

/// Forms of the import report.
enum CorvaneReportFormat : std::uint8_t {
    CorvaneReportText = 0,        // one group a line, for people
    CorvaneReportJson = 1,        // a JSON document, for programs
    CorvaneReportCounts = 2,      // one line counting the entries by kind
    CorvaneReportLosses = 3,      // the kinds of the entries that may have lost data, "" when none
    CorvaneReportFailure = 4,     // why the import failed inside the plug-in, "" when it did not
    CorvaneReportObjectLines = 5, // "handle line" of every object the import made, one a line
};

/// What the last import passed over or changed, with line numbers, as zero-terminated text in
/// the requested form; valid until the next import. The host editor does not call it.
typedef const char*(CORVANE_IMPORTER_CALL* GetImportReport_fn)(std::uint8_t format);
}
