#include "importer/ScanPass.h"

#include "importer/Keywords.h"
#include "importer/RecordTable.h"
#include "serverclient/PcbApi.h"

namespace corvane {
namespace {

// Which "COMP" lines no "ENDCOMP" line follows before the next "COMP" line or the end of the file.
class ComponentEnds {
public:
    explicit ComponentEnds(std::vector<std::uint64_t>* lacking) : lacking_(lacking) {}

    void Line(std::uint64_t lineNumber, std::string_view line) {
        if (line == keyword::Component) {
            EndOfFile();
            open_ = lineNumber;
        } else if (line == keyword::EndComponent) {
            open_ = 0;
        }
    }

    /// The next "COMP" line, or the end of the file, closes the component still open.
    void EndOfFile() {
        if (open_ != 0 && lacking_ != nullptr) {
            lacking_->push_back(open_);
        }
        open_ = 0;
    }

private:
    std::vector<std::uint64_t>* lacking_;
    std::uint64_t open_ = 0; // the "COMP" line of the component still open; 0: none
};

// Consumes the lines of a "(" ... ")" or "{" ... "}" group up to its closing line.
void CountGroup(InputFile& input, std::string_view closing, std::int32_t& counter,
                std::string& line, ComponentEnds& ends) {
    while (!input.AtEnd()) {
        const std::uint64_t lineNumber = input.LineNumber();
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        ends.Line(lineNumber, line);
        if (line == closing) {
            return;
        }
        CountOne(counter);
    }
}

// A line starting with a number or a space is never one of the keywords (which start with a
// letter or a bracket), so the scan passes over it without reading it. Not CR: a lone CR is
// dropped from a line's text, and what follows it may still be a keyword.
bool StartsDataLine(int firstByte) {
    return (firstByte >= '0' && firstByte <= '9') || firstByte == '-' || firstByte == '+' ||
           firstByte == '.' || firstByte == ' ' || firstByte == '\t';
}

void StartBar(const std::string& caption, std::int32_t steps) {
    const String255 text(caption);
    PcbApi_Percent_Init(&text, steps);
}

} // namespace

ScanCounts CountRecords(InputFile& input, std::vector<std::uint64_t>* componentsWithoutEnd) {
    using namespace keyword;
    ScanCounts counts;
    ComponentEnds ends(componentsWithoutEnd);
    std::string line; // one buffer for every line: most data lines are too long to fit in place
    while (!input.AtEnd()) {
        if (StartsDataLine(input.NextByte())) {
            input.SkipLine();
            continue;
        }
        const std::uint64_t lineNumber = input.LineNumber();
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        ends.Line(lineNumber, line);
        if (const RecordKind* record = FindRecordOfAnyPlace(line)) {
            CountOne(counts.*record->Counter);
        } else if (line == NodeListOpen) {
            CountGroup(input, NodeListClose, counts.Nodes, line, ends);
        } else if (line == BlockOpen) {
            CountGroup(input, BlockClose, counts.BlockLines, line, ends);
        }
    }
    ends.EndOfFile();
    return counts;
}

void RunScanPass(ImportState& state, const std::string& fileName) {
    StartBar("Scanning " + fileName + " (Corvane)", 0);
    state.Input->Rewind();
    // The scan is not part of the import report: the main loop reports what it passes over.
    state.Input->SetObserver(nullptr);
    state.ComponentsWithoutEnd.clear();
    state.Counts = CountRecords(*state.Input, &state.ComponentsWithoutEnd);
    state.Input->Rewind();
    PcbApi_Percent_Finish();
    StartBar("Loading " + fileName + " (Corvane)", state.Counts.LoadingTotal());
}

} // namespace corvane
