// "FA" / "CA": X Y (centre) Radius QuadrantFlags Width Layer. Read into a FileArc, converted by
// ConvertArc, written through TPcbArc.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

FileArc ReadFileArc(ImportState& state) {
    InputFile& input = *state.Input;
    FileArc file;
    file.X = ReadMils(state, file.Far);
    file.Y = ReadMils(state, file.Far);
    file.Radius = ReadMils(state, file.Far);
    file.QuadrantFlags = input.ReadInteger();
    file.Width = ReadMils(state, file.Far);
    file.Layer = ReadFileLayer(state);
    input.SkipLine();
    return file;
}

void CommitArc(ImportState& state, TArc& arc, const FileArc& file) {
    ConversionNotes notes;
    const HostArc host = ConvertArc(file, &notes);
    NoteClamped(state, notes, file.Far);
    arc.SetClassicLayer(host.Layer);
    arc.X = host.X;
    arc.Y = host.Y;
    arc.Radius = host.Radius;
    arc.StartAngle = host.StartAngle;
    arc.EndAngle = host.EndAngle;
    arc.LineWidth = host.LineWidth;
    arc.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadArcRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TArc>(
        state, use, "arc", [&] { return ReadFileArc(state); },
        [&](TArc& arc, const FileArc& file) { CommitArc(state, arc, file); });
}

} // namespace corvane
