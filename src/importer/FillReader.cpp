// "FF" / "CF": X1 Y1 X2 Y2 (opposite corners) Layer. Read into a FileFill, converted by
// ConvertFill, written through TPcbFill.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

FileFill ReadFileFill(ImportState& state) {
    InputFile& input = *state.Input;
    FileFill file;
    file.X1 = ReadMils(state, file.Far);
    file.Y1 = ReadMils(state, file.Far);
    file.X2 = ReadMils(state, file.Far);
    file.Y2 = ReadMils(state, file.Far);
    file.Layer = ReadFileLayer(state);
    input.SkipLine();
    return file;
}

void CommitFill(ImportState& state, TFill& fill, const FileFill& file) {
    ConversionNotes notes;
    const HostFill host = ConvertFill(file, &notes);
    NoteClamped(state, notes, file.Far);
    fill.SetClassicLayer(host.Layer);
    fill.X = host.X;
    fill.Y = host.Y;
    fill.X2 = host.X2;
    fill.Y2 = host.Y2;
    fill.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadFillRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TFill>(
        state, use, "fill", [&] { return ReadFileFill(state); },
        [&](TFill& fill, const FileFill& file) { CommitFill(state, fill, file); });
}

} // namespace corvane
