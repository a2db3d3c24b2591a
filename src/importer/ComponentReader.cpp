// "COMP": designator, pattern and comment lines; the comment's text geometry, then the
// designator's; the position line; then sub-records up to "ENDCOMP".

#include "importer/CompoundReaders.h"
#include "importer/ImportReport.h"
#include "importer/Keywords.h"
#include "importer/ObjectLines.h"
#include "importer/PrimitiveReaders.h"
#include "importer/RecordSkeleton.h"
#include "importer/RecordTable.h"
#include "serverclient/LayerIterator.h"
#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

#include <optional>
#include <string>
#include <vector>

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

FilePosition ReadPositionLine(ImportState& state) {
    InputFile& input = *state.Input;
    FilePosition file;
    file.X = ReadMils(state, file.Far);
    file.Y = ReadMils(state, file.Far);
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

void NoteRecordInComponent(ImportState& state, std::uint64_t line, std::string_view keyword) {
    if (state.Report != nullptr) {
        state.Report->Add(ReportKind::RecordInComponent, line,
                          "\"" + std::string(keyword) +
                              "\" record inside a component that has its ENDCOMP: not read");
    }
}

// A component the host made whose text it did not make: the text's line is read, and nothing
// of it reaches the board.
void NoteIfTextRefused(ImportState& state, const TComponent& component, const TText& text,
                       std::string_view which) {
    if (component.Handle != 0 && text.Handle == 0) {
        NoteNoHostObject(state, state.Input->LineNumber(),
                         "the host made no " + std::string(which) +
                             " text for the component: its text and geometry were not imported");
    }
}

// Reads nothing into the import while it lives: no report, no note of the reading rules, and the
// reader back where it was when it goes.
class QuietLookAhead {
public:
    explicit QuietLookAhead(ImportState& state)
        : state_(state), report_(state.Report), observer_(state.Input->Observer()),
          recordLine_(state.RecordLine), resume_(state.Input->Tell()) {
        state.Report = nullptr;
        state.Input->SetObserver(nullptr);
    }
    ~QuietLookAhead() {
        state_.Input->SeekTo(resume_);
        state_.Input->SetObserver(observer_);
        state_.Report = report_;
        state_.RecordLine = recordLine_;
    }
    QuietLookAhead(const QuietLookAhead&) = delete;
    QuietLookAhead& operator=(const QuietLookAhead&) = delete;

private:
    ImportState& state_;
    ImportReport* report_;
    ReadingObserver* observer_;
    std::uint64_t recordLine_;
    InputFile::Position resume_;
};

// The line of the "ENDCOMP" the component's loop, going on after the line at keywordOffset, meets
// before a "COMP" line or the end of the file; none when it meets none. Sub-records take their
// data lines as their readers do, every other line is one line. Leaves the reader where it was.
std::optional<std::uint64_t> EndTheLoopMeets(ImportState& state, std::uint64_t keywordOffset) {
    if (state.ComponentEnds.LeadsToNoEnd(keywordOffset)) {
        return std::nullopt;
    }
    InputFile& input = *state.Input;
    const QuietLookAhead quiet(state);
    std::vector<std::uint64_t> lineOffsets{keywordOffset};
    std::string line;
    std::optional<std::uint64_t> endLine;
    for (;;) {
        const InputFile::Position here = input.Tell();
        if (input.AtEnd() || state.ComponentEnds.LeadsToNoEnd(here.Offset)) {
            break;
        }
        if (lineOffsets.size() < ComponentEndMemo::MaxLines) {
            lineOffsets.push_back(here.Offset);
        }
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        if (line == keyword::EndComponent) {
            endLine = here.Line;
            break;
        }
        if (line == keyword::Component) {
            break;
        }
        if (const RecordKind* record = FindRecord(line, RecordPlace::SubRecord)) {
            record->Reader(state, RecordUse::LookAhead);
        }
    }
    if (!endLine) {
        state.ComponentEnds.AddLinesWithoutEnd(lineOffsets, keywordOffset);
    }
    return endLine;
}

// Whether the lines after a "COMP" line open a component: three lines of text that are no
// keyword, then the two text geometry lines and the position line, all numbers.
bool OpensComponent(ImportState& state) {
    InputFile& input = *state.Input;
    const QuietLookAhead quiet(state);
    constexpr int headerLines = 6;
    constexpr int firstNumberLine = 4;
    std::string line;
    for (int i = 1; i <= headerLines; ++i) {
        if (input.AtEnd()) {
            return false;
        }
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        if (FindRecordOfAnyPlace(line) != nullptr || line == keyword::EndComponent ||
            (i >= firstNumberLine && !LooksLikeDataLine(line))) {
            return false;
        }
    }
    return true;
}

// A "COMP" line ends the component. When the lines after it open no component and the loop,
// going on, would meet an "ENDCOMP", the line is a stray one inside a component that has its end
// further on; otherwise this component has no "ENDCOMP" of its own.
void NoteComponentLine(ImportState& state, std::uint64_t componentLine,
                       const InputFile::Position& lineStart) {
    if (state.Report == nullptr) {
        return;
    }
    const std::optional<std::uint64_t> endLine =
        OpensComponent(state) ? std::nullopt : EndTheLoopMeets(state, lineStart.Offset);
    if (!endLine) {
        NoteMissingEnd(state, componentLine, "the next component");
        return;
    }
    state.Report->Add(ReportKind::ComponentLineInComponent, lineStart.Line,
                      "\"COMP\" line inside the component of line " +
                          std::to_string(componentLine) + ", which has its ENDCOMP at line " +
                          std::to_string(*endLine) +
                          ": the component ended there, and the lines from it on were read as "
                          "another component");
}

// Reads sub-records into the component until "ENDCOMP", the end of the file or an abort. A
// "COMP" line always ends the component; another top-level keyword ends it only when the
// component's loop, going on, would meet no "ENDCOMP" before a "COMP" line or the end of the file
// (a component cut short), and is then left for the main loop. Otherwise that record's lines are
// passed over, each as one line, and the record is reported lost. Sub-records of a component the
// host did not make are read past.
void ReadSubRecords(ImportState& state, TComponent& component, std::uint64_t componentLine) {
    InputFile& input = *state.Input;
    const RecordUse use = component.Handle != 0 ? RecordUse::Import : RecordUse::ReadPast;
    std::optional<bool> meetsEnd; // asked at the first top-level record met
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
        } else if (line == keyword::Component) {
            NoteComponentLine(state, componentLine, lineStart);
            input.SeekTo(lineStart); // the record is the main loop's
            return;
        } else if (FindRecord(line, RecordPlace::TopLevel) != nullptr) {
            if (!meetsEnd.has_value()) {
                meetsEnd = EndTheLoopMeets(state, lineStart.Offset).has_value();
            }
            if (!*meetsEnd) {
                input.SeekTo(lineStart);
                NoteMissingEnd(state, componentLine, "the next top-level record");
                return;
            }
            NoteRecordInComponent(state, lineStart.Line, line);
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
    NoteIfTextRefused(state, component, designator, "designator");
    ReadTextString(state, designatorFile);
    component.Pattern.Assign(input.ReadWholeLine(PatternLimit));
    NoteIfTextRefused(state, component, comment, "comment");
    ReadTextString(state, commentFile);
    // Each text's line is that of its geometry, the component's that of its position.
    NoteObjectLine(state, comment.Handle, input.LineNumber());
    ReadTextGeometry(state, commentFile);
    NoteObjectLine(state, designator.Handle, input.LineNumber());
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

    NoteObjectLine(state, component.Handle, input.LineNumber());
    const FilePosition position = ReadPositionLine(state);
    NoteIfFileEnded(state, "component", componentLine);

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
    NoteClamped(state, notes, position.Far);
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
