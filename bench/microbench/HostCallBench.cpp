// The cost of single host calls through the plug-in's wrappers into the substitute server: the
// unit that a pad's exchange (336 calls on a read) is made of.

#include "contract/HalvexHost.h"
#include "pcbmodel/PcbObject.h"
#include "pcbmodel/PcbPad.h"
#include "serverclient/EntryTable.h"
#include "serverclient/PcbApi.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// A board holding one pad, for as long as the benchmark runs.
class OnePad {
public:
    OnePad() {
        Halvex_CloseAllBoards();
        corvane::pcbapi::ServerEntries().Reset();
        board_ = Halvex_OpenBoard("bench.pcb");
        pad_ = corvane::PcbApi_CreateObject(corvane::KindCodeOf(corvane::ObjectKind::Pad));
    }
    ~OnePad() { Halvex_CloseAllBoards(); }
    OnePad(const OnePad&) = delete;
    OnePad& operator=(const OnePad&) = delete;

    corvane::HostHandle Pad() const { return pad_; }

private:
    std::uint32_t board_ = 0;
    corvane::HostHandle pad_ = 0;
};

// One per-layer query, over the layers in turn as a pad's read asks them.
void BM_HostCallPadShapeOnLayer(benchmark::State& state) {
    const OnePad board;
    std::uint8_t shape = 0;
    corvane::TLayer layer = 0;
    for (auto _ : state) {
        corvane::PcbApi_QueryPadOrViaShapeOnLayer(board.Pad(), layer, &shape);
        benchmark::DoNotOptimize(shape);
        layer = layer == corvane::MaxClassicLayer ? 0 : static_cast<corvane::TLayer>(layer + 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HostCallPadShapeOnLayer);

// A whole read of the pad's description: the simple description, the stack mode and four queries
// for each of the 83 layers.
void BM_PadExchangeRead(benchmark::State& state) {
    const OnePad board;
    for (auto _ : state) {
        corvane::TPcbPad pad(board.Pad());
        pad.Exchange(corvane::ExchangeRead);
        benchmark::DoNotOptimize(pad.LayerShape[1]);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PadExchangeRead);

} // namespace
