// "FS" / "CS": X Y Height OrientationCode Spare Layer, then the string itself.

#include "importer/GeometryRules.h"
#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

constexpr std::size_t TextLimit = 254;
constexpr std::int32_t StrokeFontId = 1;

} // namespace

void ReadTextGeometry(ImportState& state, TText& text) {
    InputFile& input = *state.Input;
    text.X = input.ReadInteger();
    text.Y = input.ReadInteger();
    text.Size = input.ReadInteger();
    text.Rotation = input.ReadReal(); // the raw orientation code until the commit
    input.ReadInteger();              // spare: read and discarded
    ReadLayerInto(state, text);
    input.SkipLine();
    text.FontId = StrokeFontId;
}

void CommitText(ImportState& state, TText& text) {
    if (text.Handle == 0) {
        return;
    }
    MapImportedLayer(text);
    text.X = MilsToHost(state, text.X);
    text.Y = MilsToHost(state, text.Y);
    text.Size = MilsToHost(state, text.Size);
    text.SetLineWidth(TextStrokeWidth(text.Size));
    const TextOrientation orientation =
        DecodeTextOrientation(RoundOrientationCode(text.Rotation));
    text.Rotation = orientation.Angle;
    text.Mirror = orientation.Mirrored ? 1 : 0;
    text.Exchange(ExchangeWrite);
}

HostHandle ReadStringRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TText>(
        state, use, "string",
        [&](TText& text) {
            ReadTextGeometry(state, text);
            text.Text.Assign(state.Input->ReadWholeLine(TextLimit));
        },
        [&](TText& text) { CommitText(state, text); });
}

} // namespace corvane
