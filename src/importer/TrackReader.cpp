// "FT" / "CT": X1 Y1 X2 Y2 Width Layer. Read into a FileTrack, converted by ConvertTrack, written
// through TPcbTrack.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

FileTrack ReadFileTrack(ImportState& state) {
    InputFile& input = *state.Input;
    FileTrack file;
    file.X1 = ReadMils(state, file.Far);
    file.Y1 = ReadMils(state, file.Far);
    file.X2 = ReadMils(state, file.Far);
    file.Y2 = ReadMils(state, file.Far);
    file.Width = ReadMils(state, file.Far);
    file.Layer = ReadFileLayer(state);
    input.SkipLine();
    return file;
}

void CommitTrack(ImportState& state, TTrack& track, const FileTrack& file) {
    ConversionNotes notes;
    const HostTrack host = ConvertTrack(file, &notes);
    NoteClamped(state, notes, file.Far);
    track.SetClassicLayer(host.Layer);
    track.X = host.X;
    track.Y = host.Y;
    track.X2 = host.X2;
    track.Y2 = host.Y2;
    track.Width = host.Width;
    track.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadTrackRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TTrack>(
        state, use, "track", [&] { return ReadFileTrack(state); },
        [&](TTrack& track, const FileTrack& file) { CommitTrack(state, track, file); });
}

} // namespace corvane
