// What recording the import report costs, in time. The same board is imported by the main loop
// with the report attached (as the plug-in always runs) and with no report at all; on a clean
// board, where there is nothing to record, the two must take the same time. A board with a stray
// line in every component shows what recording costs when there is something to record.
// bench/report_cost counts the instructions of the same imports, which a shared machine does not
// disturb.
//
// Arg(0): no report attached. Arg(1): the report attached, as in the plug-in.

#include "BoardGenerator.h"
#include "MainLoopImport.h"
#include "contract/HalvexHost.h"
#include "importer/ImportReport.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Components with nets over most of their pins and free records of every kind, as the boards of
// bench/run-bench.sh.
std::string MixedBoard() {
    return corvane::bench::GenerateBoard(corvane::bench::ShapeForRecords(5000));
}

void ImportBoard(benchmark::State& state, const std::string& text) {
    const bool withReport = state.range(0) != 0;
    corvane::ImportReport report;
    for (auto _ : state) {
        corvane::bench::ImportWithMainLoop(text, withReport ? &report : nullptr);
    }
    Halvex_CloseAllBoards();
    state.SetLabel(withReport ? "report attached" : "no report");
    state.counters["entries"] = static_cast<double>(report.EntryCount());
}

void BM_ImportCleanBoard(benchmark::State& state) {
    static const std::string board = MixedBoard();
    ImportBoard(state, board);
}
BENCHMARK(BM_ImportCleanBoard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ImportBoardWithStrayLines(benchmark::State& state) {
    static const std::string board = corvane::bench::WithStrayLines(MixedBoard());
    ImportBoard(state, board);
}
BENCHMARK(BM_ImportBoardWithStrayLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
