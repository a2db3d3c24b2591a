// Importing one record of each kind into a board of the substitute server, through the same
// readers the main loop calls. Each benchmark reads a generated board of only that kind, record by
// record, and starts it over (with a fresh server board now and then) when it runs out.

#include "BoardGenerator.h"
#include "MainLoopImport.h"
#include "contract/HalvexHost.h"
#include "importer/InputFile.h"
#include "importer/RecordTable.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using corvane::bench::BoardCounts;
using corvane::bench::BoardShape;

// Objects the server may hold before the board is started afresh, to keep memory flat.
constexpr std::uint64_t ObjectsPerServerBoard = 200000;

BoardShape OnlyFree() {
    BoardShape shape;
    shape.PinShareInNets = 0.0;
    return shape;
}

class ServerImport {
public:
    explicit ServerImport(std::string text) : text_(std::move(text)) { Restart(); }
    ~ServerImport() { Halvex_CloseAllBoards(); }
    ServerImport(const ServerImport&) = delete;
    ServerImport& operator=(const ServerImport&) = delete;

    /// A new server board and the file from its first byte.
    void Restart() {
        state_ = corvane::bench::ImportIntoFreshBoard(text_);
        made_ = 0;
    }

    void Rewind() {
        state_.Input = std::make_unique<corvane::InputFile>(
            std::make_unique<corvane::MemoryByteSource>(text_));
    }

    /// Reads lines up to the next top-level record and imports it; false at the end of the file.
    bool ImportNextRecord() {
        corvane::InputFile& input = *state_.Input;
        while (!input.AtEnd()) {
            const std::string line = input.ReadWholeLine(corvane::InputFile::KeywordLineLimit);
            if (const corvane::RecordKind* record =
                    corvane::FindRecord(line, corvane::RecordPlace::TopLevel)) {
                state_.Board->AddObject(record->Reader(state_, corvane::RecordUse::Import));
                ++made_;
                return true;
            }
        }
        return false;
    }

    /// Imports every record up to the end of the file.
    void ImportAll() {
        while (ImportNextRecord()) {
        }
    }

    corvane::InputFile& Input() { return *state_.Input; }
    bool Full() const { return made_ * objectsPerRecord_ > ObjectsPerServerBoard; }
    void SetObjectsPerRecord(std::uint64_t objects) { objectsPerRecord_ = objects; }

private:
    std::string text_;
    corvane::ImportState state_;
    std::uint64_t made_ = 0;
    std::uint64_t objectsPerRecord_ = 1;
};

// Imports records of one kind, one per iteration.
void ImportRecordsOfBoard(benchmark::State& state, const BoardShape& shape,
                          std::uint64_t objectsPerRecord) {
    BoardCounts counts;
    ServerImport import(corvane::bench::GenerateBoard(shape, &counts));
    import.SetObjectsPerRecord(objectsPerRecord);
    for (auto _ : state) {
        if (!import.ImportNextRecord()) {
            state.PauseTiming();
            if (import.Full()) {
                import.Restart();
            } else {
                import.Rewind();
            }
            state.ResumeTiming();
            import.ImportNextRecord();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ImportTrack(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.FreeTracks = 4096;
    ImportRecordsOfBoard(state, shape, 1);
}
BENCHMARK(BM_ImportTrack);

void BM_ImportVia(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.FreeVias = 4096;
    ImportRecordsOfBoard(state, shape, 1);
}
BENCHMARK(BM_ImportVia);

void BM_ImportPad(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.FreePads = 4096;
    ImportRecordsOfBoard(state, shape, 1);
}
BENCHMARK(BM_ImportPad);

void BM_ImportArc(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.FreeArcs = 4096;
    ImportRecordsOfBoard(state, shape, 1);
}
BENCHMARK(BM_ImportArc);

void BM_ImportFill(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.FreeFills = 4096;
    ImportRecordsOfBoard(state, shape, 1);
}
BENCHMARK(BM_ImportFill);

void BM_ImportString(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.FreeStrings = 4096;
    ImportRecordsOfBoard(state, shape, 1);
}
BENCHMARK(BM_ImportString);

// A whole component of 20 pads, 4 outline tracks and an arc per iteration.
void BM_ImportComponent(benchmark::State& state) {
    BoardShape shape = OnlyFree();
    shape.Components = 512;
    ImportRecordsOfBoard(state, shape, 28);
}
BENCHMARK(BM_ImportComponent);

// Net definitions of 2 to 6 nodes over a board of the given number of components, imported
// before the timing starts: the time per net must not grow with the board.
void BM_ImportNet(benchmark::State& state) {
    BoardShape components = OnlyFree();
    components.Components = static_cast<std::uint32_t>(state.range(0));
    BoardShape withNets = components;
    withNets.PinShareInNets = 0.8;
    BoardCounts counts;
    const std::string board = corvane::bench::GenerateBoard(withNets, &counts);
    // The nets follow the components, which are imported once, outside the timing; then the
    // nets are read again and again over the same board.
    const std::size_t netsStart = board.find("NETDEF");
    ServerImport import(board);
    import.ImportAll();
    const auto rewindToNets = [&import, netsStart] {
        import.Rewind();
        while (import.Input().Tell().Offset < netsStart && !import.Input().AtEnd()) {
            import.Input().SkipLine();
        }
    };
    rewindToNets();
    for (auto _ : state) {
        if (!import.ImportNextRecord()) {
            state.PauseTiming();
            rewindToNets();
            state.ResumeTiming();
            import.ImportNextRecord();
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["nodes_per_net"] = static_cast<double>(counts.Nodes) /
                                      static_cast<double>(std::max<std::uint64_t>(1, counts.Nets));
}
BENCHMARK(BM_ImportNet)->Arg(100)->Arg(1000)->Arg(10000);

} // namespace
