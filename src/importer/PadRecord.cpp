// "FP" / "CP": X Y XSize YSize ShapeCode HoleSize PlaneCode Layer, then the pad name.
// The plane code is kept in the pad's Tag until the net definitions use it.

#include "importer/GeometryRules.h"
#include "importer/LayerMapping.h"
#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"
#include "pcbserver/Layers.h"

namespace corvane {
namespace {

constexpr std::size_t PadNameLimit = 20;
constexpr std::int32_t Version5MultiLayerHole = 32; // mils

void ReadPadData(ImportState& state, TPad& pad) {
    InputFile& input = *state.Input;
    pad.X = input.ReadInteger();
    pad.Y = input.ReadInteger();
    pad.TopXSize = input.ReadInteger();
    pad.TopYSize = input.ReadInteger();
    pad.TopShape = static_cast<std::uint8_t>(input.ReadInteger());
    pad.HoleSize = input.ReadInteger();
    const auto planeCode = static_cast<std::uint8_t>(input.ReadInteger());
    ReadLayerInto(state, pad);
    input.SkipLine();
    pad.Tag = PlaneCodeMap(planeCode);
    pad.Name.Assign(input.ReadWholeLine(PadNameLimit));
    if (state.IsVersion5File) {
        // A version-5 file drills only the pads that go through every layer.
        const bool throughHole = ImportLayerMap(pad.GetClassicLayer()) == layer::MultiLayer;
        pad.HoleSize = throughHole ? Version5MultiLayerHole : 0;
    }
}

void CommitPad(ImportState& state, TPad& pad) {
    if (pad.Handle == 0) {
        return;
    }
    MapImportedLayer(pad);
    const PadShapeRule rule = PadShapeOfCode(pad.TopShape);
    pad.TopShape = rule.Shape;
    if (rule.Square) {
        pad.TopYSize = pad.TopXSize;
    }
    pad.X = MilsToHost(state, pad.X);
    pad.Y = MilsToHost(state, pad.Y);
    pad.TopXSize = MilsToHost(state, pad.TopXSize);
    pad.TopYSize = MilsToHost(state, pad.TopYSize);
    pad.HoleSize = MilsToHost(state, pad.HoleSize);
    // The pad is the same on every layer.
    pad.MidXSize = pad.BotXSize = pad.TopXSize;
    pad.MidYSize = pad.BotYSize = pad.TopYSize;
    pad.MidShape = pad.BotShape = pad.TopShape;
    pad.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadPadRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TPad>(
        state, use, "pad", [&](TPad& pad) { ReadPadData(state, pad); },
        [&](TPad& pad) { CommitPad(state, pad); });
}

} // namespace corvane
