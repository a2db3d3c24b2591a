// "FP" / "CP": X Y XSize YSize ShapeCode HoleSize PlaneCode Layer, then the pad name. Read into a
// FilePad, converted by ConvertPad, written through TPcbPad. The plane code is kept in the pad's
// Tag until the net definitions use it.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

constexpr std::size_t PadNameLimit = 20;

FilePad ReadFilePad(ImportState& state) {
    InputFile& input = *state.Input;
    FilePad file;
    file.X = ReadMils(state, file.Far);
    file.Y = ReadMils(state, file.Far);
    file.XSize = ReadMils(state, file.Far);
    file.YSize = ReadMils(state, file.Far);
    file.ShapeCode = static_cast<FileCode>(input.ReadInteger());
    file.HoleSize = ReadMils(state, file.Far);
    file.PlaneCode = static_cast<FileCode>(input.ReadInteger());
    file.Layer = ReadFileLayer(state);
    input.SkipLine();
    file.Name.Assign(input.ReadWholeLine(PadNameLimit));
    return file;
}

void CommitPad(ImportState& state, TPad& pad, const FilePad& file) {
    ConversionNotes notes;
    const HostPad host = ConvertPad(file, state.IsVersion5File, &notes);
    NoteClamped(state, notes, file.Far);
    pad.SetClassicLayer(host.Layer);
    pad.Tag = host.Tag;
    pad.Name.AssignFrom(file.Name);
    pad.X = host.X;
    pad.Y = host.Y;
    pad.HoleSize = host.HoleSize;
    // The pad is the same on every layer.
    pad.TopXSize = pad.MidXSize = pad.BotXSize = host.XSize;
    pad.TopYSize = pad.MidYSize = pad.BotYSize = host.YSize;
    pad.TopShape = pad.MidShape = pad.BotShape = host.Shape;
    pad.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadPadRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TPad>(
        state, use, "pad", [&] { return ReadFilePad(state); },
        [&](TPad& pad, const FilePad& file) { CommitPad(state, pad, file); });
}

} // namespace corvane
