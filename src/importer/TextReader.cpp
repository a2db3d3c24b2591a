// "FS" / "CS": X Y Height OrientationCode Spare Layer, then the string itself. Read into a
// FileText, converted by ConvertText, written through TPcbText. A component's designator and
// comment take the same road.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

constexpr std::size_t TextLimit = 254;

} // namespace

void ReadTextGeometry(ImportState& state, FileText& file) {
    InputFile& input = *state.Input;
    file.X = ReadMils(state, file.Far);
    file.Y = ReadMils(state, file.Far);
    file.Height = ReadMils(state, file.Far);
    file.OrientationCode = input.ReadReal();
    input.ReadInteger(); // spare: read and discarded
    file.Layer = ReadFileLayer(state);
    input.SkipLine();
}

void ReadTextString(ImportState& state, FileText& file) {
    file.Text.Assign(state.Input->ReadWholeLine(TextLimit));
}

void CommitText(ImportState& state, TText& text, const FileText& file) {
    ConversionNotes notes;
    const HostText host = ConvertText(file, &notes);
    NoteClamped(state, notes, file.Far);
    text.SetClassicLayer(host.Layer);
    text.Text.AssignFrom(file.Text);
    text.FontId = host.FontId;
    text.X = host.X;
    text.Y = host.Y;
    text.Size = host.Size;
    text.SetLineWidth(host.StrokeWidth);
    text.Rotation = host.Rotation;
    text.Mirror = host.Mirrored ? 1 : 0;
    text.Exchange(ExchangeWrite);
}

HostHandle ReadStringRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TText>(
        state, use, "string",
        [&] {
            FileText file;
            ReadTextGeometry(state, file);
            ReadTextString(state, file);
            return file;
        },
        [&](TText& text, const FileText& file) { CommitText(state, text, file); });
}

} // namespace corvane
