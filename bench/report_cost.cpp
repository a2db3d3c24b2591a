// report_cost: one import of a generated board by the importer's main loop, with or without the
// import report attached, for counting its instructions under callgrind (bench/run-bench.sh
// --micro does): instruction counts do not vary with the load of a shared machine, so the two
// modes can be compared to the last instruction.
//
//   report_cost clean|stray none|report [RECORDS]
//
// clean: a generated board with nothing to report; stray: the same with a stray line in every
// component. Prints the report's entry count.

#include "BoardGenerator.h"
#include "MainLoopImport.h"
#include "contract/HalvexHost.h"
#include "importer/ImportReport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const std::string board = argc > 1 ? argv[1] : "";
    const std::string mode = argc > 2 ? argv[2] : "";
    if ((board != "clean" && board != "stray") || (mode != "none" && mode != "report")) {
        std::fprintf(stderr, "usage: report_cost clean|stray none|report [RECORDS]\n");
        return 2;
    }
    const unsigned long records = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 5000;
    std::string text = corvane::bench::GenerateBoard(corvane::bench::ShapeForRecords(records));
    if (board == "stray") {
        text = corvane::bench::WithStrayLines(text);
    }
    corvane::ImportReport report;
    corvane::bench::ImportWithMainLoop(text, mode == "report" ? &report : nullptr);
    Halvex_CloseAllBoards();
    std::printf("entries=%llu\n", static_cast<unsigned long long>(report.EntryCount()));
    return 0;
}
