// "FF" / "CF": X1 Y1 X2 Y2 (opposite corners) Layer.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

void ReadFillData(ImportState& state, TFill& fill) {
    InputFile& input = *state.Input;
    fill.X = input.ReadInteger();
    fill.Y = input.ReadInteger();
    fill.X2 = input.ReadInteger();
    fill.Y2 = input.ReadInteger();
    ReadLayerInto(state, fill);
    input.SkipLine();
}

void CommitFill(ImportState& state, TFill& fill) {
    if (fill.Handle == 0) {
        return;
    }
    MapImportedLayer(fill);
    fill.X = MilsToHost(state, fill.X);
    fill.Y = MilsToHost(state, fill.Y);
    fill.X2 = MilsToHost(state, fill.X2);
    fill.Y2 = MilsToHost(state, fill.Y2);
    fill.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadFillRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TFill>(
        state, use, "fill", [&](TFill& fill) { ReadFillData(state, fill); },
        [&](TFill& fill) { CommitFill(state, fill); });
}

} // namespace corvane
