#pragma once
// The import report as text for people and as JSON for programs.

#include "importer/ImportReport.h"

#include <string>

namespace corvane {

/// One group a line: kind, detail, count and first line numbers.
std::string ReportAsText(const ImportReport& report);

/// A JSON document: {"entries": n, "mayHaveLostData": b, "counts": {kind: n, ...},
/// "groups": [...]}.
std::string ReportAsJson(const ImportReport& report);

/// One line counting the entries by kind, e.g. "3 entries: 2 skipped-line, 1 node-not-found".
std::string ReportCounts(const ImportReport& report);

/// The kinds present that may stand for lost data, e.g. "missing-endpcb, line-cut"; empty when
/// there are none.
std::string ReportLosses(const ImportReport& report);

/// Why the import failed inside the plug-in ("out of memory"); empty when it did not.
std::string ReportFailure(const ImportReport& report);

} // namespace corvane
