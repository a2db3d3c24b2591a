// "FV" / "CV": X Y Size HoleSize. A via spans the top to the bottom layer; a version-5 file's
// vias all take a 32 mil hole, whatever the record says.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"
#include "pcbserver/Layers.h"

namespace corvane {
namespace {

constexpr std::int32_t Version5HoleSize = 32; // mils

void ReadViaData(ImportState& state, TVia& via) {
    InputFile& input = *state.Input;
    via.StartLayer = layer::TopLayer;
    via.EndLayer = layer::BottomLayer;
    via.X = input.ReadInteger();
    via.Y = input.ReadInteger();
    via.Size = input.ReadInteger();
    via.HoleSize = input.ReadInteger();
    if (state.IsVersion5File) {
        via.HoleSize = Version5HoleSize;
    }
    input.SkipLine();
}

void CommitVia(ImportState& state, TVia& via) {
    if (via.Handle == 0) {
        return;
    }
    // The record carries no layer: the via keeps the host's.
    via.X = MilsToHost(state, via.X);
    via.Y = MilsToHost(state, via.Y);
    via.Size = MilsToHost(state, via.Size);
    via.HoleSize = MilsToHost(state, via.HoleSize);
    via.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadViaRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TVia>(
        state, use, "via", [&](TVia& via) { ReadViaData(state, via); },
        [&](TVia& via) { CommitVia(state, via); });
}

} // namespace corvane
