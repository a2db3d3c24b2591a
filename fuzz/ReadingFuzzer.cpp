// libFuzzer target for the reading rules alone. The input is a file's bytes followed by a short
// script of reading operations (taken from the input's end). The script runs on two readers of
// the same bytes, one fed from memory at once and one fed a few bytes at a time (and reporting
// what it passes over), which must agree on every answer; each answer is checked against what the
// rules promise, and after the script both readers are drained line by line and number by number,
// which must end.

#include "ChunkedByteSource.h"
#include "importer/ImportReport.h"
#include "importer/InputFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::InputFile;

constexpr std::uint8_t CtrlZ = 0x1A;

[[noreturn]] void Fail() {
    __builtin_trap();
}

void Require(bool condition) {
    if (!condition) {
        Fail();
    }
}

// A line's text never holds a line end, a CR or the end-of-file byte, nor more than was asked.
void CheckLine(const std::string& line, std::size_t limit) {
    Require(line.size() <= limit);
    Require(line.find_first_of(std::string("\n\r\x1A", 3)) == std::string::npos);
}

// Where a reader may be in the bytes: never past the first Ctrl-Z (the end of the file), and on
// the line that the LFs before its place make.
class PlaceRule {
public:
    explicit PlaceRule(const std::string& bytes)
        : end_(std::min(bytes.find(static_cast<char>(CtrlZ)), bytes.size())) {
        lineAt_.reserve(end_ + 1);
        std::uint64_t line = 1;
        for (std::size_t offset = 0; offset <= end_; ++offset) {
            lineAt_.push_back(line);
            if (offset < end_ && bytes[offset] == '\n') {
                ++line;
            }
        }
    }

    void Check(InputFile& reader) const {
        const InputFile::Position place = reader.Tell();
        Require(place.Offset <= end_);
        Require(place.Line == lineAt_[place.Offset]);
        Require(reader.AtEnd() == (place.Offset == end_));
    }

private:
    std::size_t end_;
    std::vector<std::uint64_t> lineAt_;
};

class TwoReaders {
public:
    TwoReaders(const std::string& bytes, std::size_t chunk)
        : bytes_(bytes), place_(bytes), whole_(std::make_unique<corvane::MemoryByteSource>(bytes)),
          chunked_(std::make_unique<corvanefuzz::ChunkedByteSource>(bytes, chunk)) {
        chunked_.SetObserver(&report_);
    }

    void Run(std::uint8_t operation, std::size_t limit) {
        switch (operation % 10) {
        case 0:
            Same(whole_.ReadLine(limit), chunked_.ReadLine(limit), limit);
            break;
        case 1:
            whole_.SkipLine();
            chunked_.SkipLine();
            break;
        case 2:
            Same(whole_.ReadWholeLine(limit), chunked_.ReadWholeLine(limit), limit);
            break;
        case 3:
            Require(whole_.ReadInteger() == chunked_.ReadInteger());
            break;
        case 4: {
            const double a = whole_.ReadReal();
            const double b = chunked_.ReadReal();
            Require(std::isfinite(a) && (a == b));
            break;
        }
        case 5:
            Require(whole_.RestOfLineBlank() == chunked_.RestOfLineBlank());
            break;
        case 6:
            Require(whole_.AtEnd() == chunked_.AtEnd());
            break;
        case 7:
            Require(whole_.Rewind() && chunked_.Rewind());
            break;
        case 8:
            Peek(limit);
            break;
        default:
            Require(whole_.RanOutOfFile() == chunked_.RanOutOfFile());
            whole_.ClearRanOutOfFile();
            chunked_.ClearRanOutOfFile();
            break;
        }
        Require(whole_.Tell().Offset == chunked_.Tell().Offset);
        place_.Check(whole_);
        place_.Check(chunked_);
    }

    // Reading line after line, and number after number, reaches the end of the file.
    void Drain() {
        std::size_t rounds = 0;
        while (!whole_.AtEnd()) {
            Require(++rounds <= bytes_.size() + 1);
            Run(2, InputFile::KeywordLineLimit);
        }
        Require(chunked_.AtEnd());
        Run(7, 0);
        // Numbers over any text are mostly malformed: the report has had its share by now.
        chunked_.SetObserver(nullptr);
        rounds = 0;
        while (!whole_.AtEnd()) {
            Require(++rounds <= bytes_.size() + 1);
            Run(3, 0);
        }
        Require(chunked_.AtEnd());
        Require(whole_.ReadInteger() == 0 && chunked_.ReadReal() == 0.0);
    }

private:
    static void Same(const std::string& a, const std::string& b, std::size_t limit) {
        Require(a == b);
        CheckLine(a, limit);
    }

    // Looking at the next line leaves both readers where they were.
    void Peek(std::size_t limit) {
        const InputFile::Position before = whole_.Tell();
        Same(whole_.PeekLine(limit), chunked_.PeekLine(limit), limit);
        const InputFile::Position after = whole_.Tell();
        Require(before.Offset == after.Offset && before.Line == after.Line);
    }

    const std::string& bytes_;
    PlaceRule place_;
    InputFile whole_;
    InputFile chunked_;
    corvane::ImportReport report_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto chunk = provider.ConsumeIntegralInRange<std::size_t>(1, 7);
    const auto operations = provider.ConsumeIntegralInRange<std::size_t>(0, 48);
    std::basic_string<std::uint8_t> script;
    for (std::size_t i = 0; i < operations && provider.remaining_bytes() > 0; ++i) {
        script.push_back(provider.ConsumeIntegral<std::uint8_t>());
    }
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    TwoReaders readers(bytes, chunk);
    for (const std::uint8_t step : script) {
        // The high bits choose the limit: short limits cut lines, 255 is the keyword limit.
        static constexpr std::size_t limits[] = {0, 1, 2, 20, 250, 254, 255, 300};
        readers.Run(step & 0x0F, limits[step >> 5]);
    }
    readers.Drain();
    return 0;
}
