// "FA" / "CA": X Y (centre) Radius QuadrantFlags Width Layer.

#include "importer/GeometryRules.h"
#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

void ReadArcData(ImportState& state, TArc& arc) {
    InputFile& input = *state.Input;
    arc.X = input.ReadInteger();
    arc.Y = input.ReadInteger();
    arc.Radius = input.ReadInteger();
    const ArcAngles angles = ArcQuadrantAngles(input.ReadInteger());
    arc.LineWidth = input.ReadInteger();
    ReadLayerInto(state, arc);
    input.SkipLine();
    arc.StartAngle = angles.Start;
    arc.EndAngle = angles.End;
}

void CommitArc(ImportState& state, TArc& arc) {
    if (arc.Handle == 0) {
        return;
    }
    MapImportedLayer(arc);
    arc.X = MilsToHost(state, arc.X);
    arc.Y = MilsToHost(state, arc.Y);
    arc.Radius = MilsToHost(state, arc.Radius);
    arc.LineWidth = MilsToHost(state, arc.LineWidth);
    arc.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadArcRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TArc>(
        state, use, "arc", [&](TArc& arc) { ReadArcData(state, arc); },
        [&](TArc& arc) { CommitArc(state, arc); });
}

} // namespace corvane
