// "FT" / "CT": X1 Y1 X2 Y2 Width Layer.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

void ReadTrackData(ImportState& state, TTrack& track) {
    InputFile& input = *state.Input;
    track.X = input.ReadInteger();
    track.Y = input.ReadInteger();
    track.X2 = input.ReadInteger();
    track.Y2 = input.ReadInteger();
    track.Width = input.ReadInteger();
    ReadLayerInto(state, track);
    input.SkipLine();
}

void CommitTrack(ImportState& state, TTrack& track) {
    if (track.Handle == 0) {
        return;
    }
    MapImportedLayer(track);
    track.X = MilsToHost(state, track.X);
    track.Y = MilsToHost(state, track.Y);
    track.X2 = MilsToHost(state, track.X2);
    track.Y2 = MilsToHost(state, track.Y2);
    track.Width = MilsToHost(state, track.Width);
    track.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadTrackRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TTrack>(
        state, use, "track", [&](TTrack& track) { ReadTrackData(state, track); },
        [&](TTrack& track) { CommitTrack(state, track); });
}

} // namespace corvane
