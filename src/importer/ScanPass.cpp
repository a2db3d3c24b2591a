#include "importer/ScanPass.h"

#include "importer/Keywords.h"
#include "importer/RecordTable.h"
#include "serverclient/PcbApi.h"

namespace corvane {
namespace {

// Consumes the lines of a "(" ... ")" or "{" ... "}" group up to its closing line.
void CountGroup(InputFile& input, std::string_view closing, std::int32_t& counter,
                std::string& line) {
    while (!input.AtEnd()) {
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
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

ScanCounts CountRecords(InputFile& input) {
    using namespace keyword;
    ScanCounts counts;
    std::string line; // one buffer for every line: most data lines are too long to fit in place
    while (!input.AtEnd()) {
        if (StartsDataLine(input.NextByte())) {
            input.SkipLine();
            continue;
        }
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        if (const RecordKind* record = FindRecordOfAnyPlace(line)) {
            CountOne(counts.*record->Counter);
        } else if (line == NodeListOpen) {
            CountGroup(input, NodeListClose, counts.Nodes, line);
        } else if (line == BlockOpen) {
            CountGroup(input, BlockClose, counts.BlockLines, line);
        }
    }
    return counts;
}

void RunScanPass(ImportState& state, const std::string& fileName) {
    StartBar("Scanning " + fileName + " (Corvane)", 0);
    state.Input->Rewind();
    // The scan is not part of the import report: the main loop reports what it passes over.
    state.Input->SetObserver(nullptr);
    state.Counts = CountRecords(*state.Input);
    state.Input->Rewind();
    PcbApi_Percent_Finish();
    StartBar("Loading " + fileName + " (Corvane)", state.Counts.LoadingTotal());
}

} // namespace corvane
