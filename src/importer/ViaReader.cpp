// "FV" / "CV": X Y Size HoleSize. Read into a FileVia, converted by ConvertVia, written through
// TPcbVia.

#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"

namespace corvane {
namespace {

FileVia ReadFileVia(ImportState& state) {
    InputFile& input = *state.Input;
    FileVia file;
    file.X = ReadMils(state, file.Far);
    file.Y = ReadMils(state, file.Far);
    file.Size = ReadMils(state, file.Far);
    file.HoleSize = ReadMils(state, file.Far);
    input.SkipLine();
    return file;
}

// The record carries no layer: the via keeps the host's.
void CommitVia(ImportState& state, TVia& via, const FileVia& file) {
    ConversionNotes notes;
    const HostVia host = ConvertVia(file, state.IsVersion5File, &notes);
    NoteClamped(state, notes, file.Far);
    via.StartLayer = host.StartLayer;
    via.EndLayer = host.EndLayer;
    via.X = host.X;
    via.Y = host.Y;
    via.Size = host.Size;
    via.HoleSize = host.HoleSize;
    via.Exchange(ExchangeWrite);
}

} // namespace

HostHandle ReadViaRecord(ImportState& state, RecordUse use) {
    return ReadPrimitiveRecord<TVia>(
        state, use, "via", [&] { return ReadFileVia(state); },
        [&](TVia& via, const FileVia& file) { CommitVia(state, via, file); });
}

} // namespace corvane
