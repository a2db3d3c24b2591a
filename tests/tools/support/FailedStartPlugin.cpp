// A plug-in module whose start-up failed, as the real one answers then: it recognises no file,
// imports nothing, and its report's failure form says why.

#include "contract/CorvaneImporter.h"
#include "contract/HostTypes.h"

#include <cstdint>

extern "C" {

PCBAPI_EXPORT std::uint8_t CORVANE_IMPORTER_CALL RecognisedPCBFile(const std::uint8_t*) {
    return 0;
}

PCBAPI_EXPORT const char* CORVANE_IMPORTER_CALL GetPcbImporterDescription() {
    return "Corvane Files (*.PCB)";
}

PCBAPI_EXPORT std::uint8_t CORVANE_IMPORTER_CALL ImportFileIntoPcb(const std::uint8_t*,
                                                                   const std::uint8_t*) {
    return 0;
}

PCBAPI_EXPORT const char* CORVANE_IMPORTER_CALL GetImportReport(std::uint8_t format) {
    return format == CorvaneReportFailure
               ? "the plug-in could not start: host settings: ReadInteger answered status -5"
               : "";
}

} // extern "C"
