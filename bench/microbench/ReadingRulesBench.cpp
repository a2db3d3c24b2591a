// The reading rules on their own: lines, integers, reals, and the scan pass over a whole board.

#include "BoardGenerator.h"
#include "importer/ImportState.h"
#include "importer/InputFile.h"
#include "importer/ScanPass.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using corvane::InputFile;
using corvane::MemoryByteSource;

std::unique_ptr<InputFile> InMemory(std::string text) {
    return std::make_unique<InputFile>(std::make_unique<MemoryByteSource>(std::move(text)));
}

std::string Repeated(const std::string& line, int times) {
    std::string text;
    text.reserve(line.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

constexpr int LinesPerText = 4096;

// Whole lines, as keyword and name lines are read (read line, then skip line).
void BM_ReadWholeLine(benchmark::State& state) {
    const auto input = InMemory(Repeated("U1234-17\r\n", LinesPerText));
    std::size_t characters = 0;
    for (auto _ : state) {
        if (input->AtEnd()) {
            input->Rewind();
        }
        characters += input->ReadWholeLine(InputFile::KeywordLineLimit).size();
    }
    benchmark::DoNotOptimize(characters);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadWholeLine);

// The numbers of a pad data line, one integer per iteration.
void BM_ReadInteger(benchmark::State& state) {
    const auto input = InMemory(Repeated("10250 5850 62 62 2 25 1 13\r\n", LinesPerText));
    std::int64_t sum = 0;
    for (auto _ : state) {
        if (input->AtEnd()) {
            input->Rewind();
        }
        sum += input->ReadInteger();
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadInteger);

// Text orientation codes are reals.
void BM_ReadReal(benchmark::State& state) {
    const auto input = InMemory(Repeated("1.5 -0.25 16 32.0\r\n", LinesPerText));
    double sum = 0.0;
    for (auto _ : state) {
        if (input->AtEnd()) {
            input->Rewind();
        }
        sum += input->ReadReal();
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadReal);

// The scan pass over a generated board of about the given number of records.
void BM_ScanPass(benchmark::State& state) {
    corvane::bench::BoardCounts counts;
    const std::string board = corvane::bench::GenerateBoard(
        corvane::bench::ShapeForRecords(static_cast<std::uint64_t>(state.range(0))), &counts);
    const auto input = InMemory(board);
    for (auto _ : state) {
        input->Rewind();
        benchmark::DoNotOptimize(corvane::CountRecords(*input));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(board.size()));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(counts.Records));
}
BENCHMARK(BM_ScanPass)->Arg(10000)->Arg(100000);

} // namespace
