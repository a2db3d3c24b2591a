// "COMP": designator, pattern and comment lines; the comment's text geometry, then the
// designator's; the position line; then sub-records up to "ENDCOMP".

#include "importer/CompoundReaders.h"
#include "importer/ImportReport.h"
#include "importer/Keywords.h"
#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"
#include "importer/RecordTable.h"
#include "serverclient/LayerIterator.h"
#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

#include <algorithm>
#include <string>

namespace corvane {
namespace {

constexpr std::size_t PatternLimit = 250;

// A new component comes with text handles or without; missing ones are made here.
HostHandle EnsureText(HostHandle componentHandle, std::uint32_t& textHandle) {
    if (textHandle == 0 && componentHandle != 0) {
        textHandle = PcbApi_CreateObject(TText::KindCode);
    }
    return textHandle;
}

FilePosition ReadPositionLine(InputFile& input) {
    FilePosition file;
    file.X = input.ReadInteger();
    file.Y = input.ReadInteger();
    file.Option1 = input.ReadInteger();
    file.Option2 = input.ReadInteger();
    if (!input.RestOfLineBlank()) {
        file.HasFifthValue = true;
        file.FifthValue = input.ReadInteger();
    }
    input.SkipLine();
    return file;
}

void NoteMissingEnd(ImportState& state, std::uint64_t componentLine, std::string_view why) {
    if (state.Report != nullptr) {
        state.Report->Add(ReportKind::MissingEndComp, componentLine,
                          std::string("component without ENDCOMP ended by ") + std::string(why));
    }
}

// Reads sub-records into the component until "ENDCOMP", the end of the file or an abort. A
// "COMP" line always ends the component; another top-level keyword ends it only when it lacks its
// "ENDCOMP" (the scan pass found none before the next "COMP" line or the end of the file), and is
// then left for the main loop. Inside a component that has its "ENDCOMP", such a line and its data
// lines are passed over as lines that are no sub-record. Sub-records of a component the host did
// not make are read past.
void ReadSubRecords(ImportState& state, TComponent& component, std::uint64_t componentLine) {
    InputFile& input = *state.Input;
    const bool lacksEnd = std::binary_search(state.ComponentsWithoutEnd.begin(),
                                             state.ComponentsWithoutEnd.end(), componentLine);
    const RecordUse use = component.Handle != 0 ? RecordUse::Import : RecordUse::ReadPast;
    std::string line;
    for (;;) {
        if (input.AtEnd()) {
            NoteMissingEnd(state, componentLine, "the end of the file");
            return;
        }
        const InputFile::Position lineStart = input.Tell();
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        if (line == keyword::EndComponent) {
            return;
        }
        if (const RecordKind* record = FindRecord(line, RecordPlace::SubRecord)) {
            component.AddPrimitive(record->Reader(state, use));
        } else if (line == keyword::Component ||
                   (lacksEnd && FindRecord(line, RecordPlace::TopLevel) != nullptr)) {
            input.SeekTo(lineStart); // the record is the main loop's
            NoteMissingEnd(state, componentLine,
                           line == keyword::Component ? "the next component"
                                                      : "the next top-level record");
            return;
        } else if (state.Report != nullptr && !line.empty()) {
            state.Report->Add(ReportKind::SkippedLine, lineStart.Line,
                              "line inside a component not read");
        }
        if (state.AbortRequested) {
            return;
        }
    }
}

} // namespace

HostHandle ReadComponentRecord(ImportState& state, RecordUse use) {
    InputFile& input = *state.Input;
    const std::uint64_t componentLine = input.LineNumber() - 1;
    TComponent component(use == RecordUse::Import ? PcbApi_CreateObject(TComponent::KindCode) : 0);
    if (component.Handle != 0) {
        component.Exchange(ExchangeRead);
    } else if (use == RecordUse::Import) {
        NoteNoHostObject(state, componentLine,
                         "the host made no component: its texts and sub-records were read past");
    }
    StepAndPollAbort(state);

    // The texts are not read from the host: what the record does not set keeps the
    // constructor's values. They belong to the component through its two handles only.
    TText designator(EnsureText(component.Handle, component.NameText));
    TText comment(EnsureText(component.Handle, component.CommentText));

    BeginRecordData(state);
    FileText designatorFile;
    FileText commentFile;
    ReadTextString(state, designatorFile);
    component.Pattern.Assign(input.ReadWholeLine(PatternLimit));
    ReadTextString(state, commentFile);
    ReadTextGeometry(state, commentFile);
    ReadTextGeometry(state, designatorFile);
    // The texts are written before the sub-records are read.
    designator.Flags = 0;
    comment.Flags = 0;
    if (designator.Handle != 0) {
        CommitText(state, designator, designatorFile);
    }
    if (comment.Handle != 0) {
        CommitText(state, comment, commentFile);
    }

    const FilePosition position = ReadPositionLine(input);
    NoteIfFileEnded(state, "component");

    ReadSubRecords(state, component, componentLine);

    component.Flags = 0;
    state.RecordLine = componentLine; // what the commit reports names the component
    if (component.Handle != 0) {
        CommitComponent(state, component, position);
    }
    return component.Handle;
}

void CommitComponent(ImportState& state, TComponent& component, const FilePosition& position) {
    ConversionNotes notes;
    const HostPosition host = ConvertPosition(position, &notes);
    NoteClamped(state, notes);
    component.X = host.X;
    component.Y = host.Y;
    component.ComponentOption1 = host.Option1;
    component.ComponentOption2 = host.Option2;
    component.ObjectFlag = host.ObjectFlag ? 1 : 0;

    bool bottomSeen = false;
    bool topSeen = false;
    bool capped = false;
    TPCBObject child(0); // one base-class wrapper, refilled for every child
    FindFirstOnLayer(
        component.Handle, 0, layer::NoLayer,
        [&](HostHandle handle) {
            child.Handle = handle;
            child.Exchange(ExchangeRead);
            const TLayer layer = child.GetClassicLayer();
            bottomSeen = bottomSeen || layer == layer::BottomLayer || layer == layer::BottomOverlay;
            topSeen = layer == layer::TopLayer || layer == layer::TopOverlay;
            return topSeen; // a top primitive decides at once
        },
        &capped);
    if (capped) {
        NoteWalkCapped(state, "primitives of a component: its side comes from the first ones");
    }

    component.SetClassicLayer(bottomSeen && !topSeen ? layer::BottomLayer : layer::TopLayer);
    component.Exchange(ExchangeWrite);
}

} // namespace corvane
