// The reading rules: lines, line ends, Ctrl-Z, numbers and what malformed numbers yield.

#include "importer/InputFile.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace corvane {
namespace {

InputFile FromText(std::string text) {
    return InputFile(std::make_unique<MemoryByteSource>(std::move(text)));
}

struct Notes final : ReadingObserver {
    std::vector<std::string> Malformed;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> Cuts; // line, dropped
    std::vector<std::pair<std::uint64_t, std::uint64_t>> NextLine;
    void MalformedNumber(std::uint64_t, std::string_view token, double) override {
        Malformed.emplace_back(token);
    }
    void LineCut(std::uint64_t line, std::size_t, std::uint64_t dropped) override {
        Cuts.emplace_back(line, dropped);
    }
    void NumberFromNextLine(std::uint64_t dataLine, std::uint64_t numberLine) override {
        NextLine.emplace_back(dataLine, numberLine);
    }
    std::vector<std::uint64_t> NumberCuts; // lines
    void NumberCut(std::uint64_t line, std::size_t) override { NumberCuts.push_back(line); }
    std::vector<std::pair<std::uint64_t, int>> Controls; // line, byte
    void ControlInNumbers(std::uint64_t line, unsigned char byte) override {
        Controls.emplace_back(line, byte);
    }
};

TEST(ReadingRules, LineEndsAreLfOrCrLfAndALoneCrIsDropped) {
    auto input = FromText("one\r\ntwo\nth\rree\r\n\nlast");
    EXPECT_EQ(input.ReadWholeLine(255), "one");
    EXPECT_EQ(input.ReadWholeLine(255), "two");
    EXPECT_EQ(input.ReadWholeLine(255), "three");
    EXPECT_EQ(input.ReadWholeLine(255), "");
    EXPECT_EQ(input.ReadWholeLine(255), "last");
    EXPECT_TRUE(input.AtEnd());
    EXPECT_EQ(input.ReadWholeLine(255), "");
}

TEST(ReadingRules, ReadLineLeavesTheLineEndAndTheRestUnread) {
    auto input = FromText("abcdef\nnext\n");
    EXPECT_EQ(input.ReadLine(3), "abc");
    EXPECT_EQ(input.ReadLine(255), "def");
    input.SkipLine();
    EXPECT_EQ(input.ReadLine(255), "next");
}

TEST(ReadingRules, OverLongLinesKeepTheirFirstCharacters) {
    const std::string longLine(300, 'x');
    auto input = FromText(longLine + "\nFT\n");
    Notes notes;
    input.SetObserver(&notes);
    EXPECT_EQ(input.ReadWholeLine(255), std::string(255, 'x'));
    EXPECT_EQ(input.ReadWholeLine(255), "FT");
    ASSERT_EQ(notes.Cuts.size(), 1u);
    EXPECT_EQ(notes.Cuts[0], std::make_pair(std::uint64_t{1}, std::uint64_t{45}));
}

TEST(ReadingRules, CtrlZEndsTheFile) {
    auto input = FromText("FT\x1A"
                          "after\n");
    EXPECT_EQ(input.ReadWholeLine(255), "FT");
    EXPECT_TRUE(input.AtEnd());
    EXPECT_EQ(input.ReadInteger(), 0);

    auto numbers = FromText("12 \x1A 34");
    EXPECT_EQ(numbers.ReadInteger(), 12);
    EXPECT_EQ(numbers.ReadInteger(), 0);
    EXPECT_TRUE(numbers.AtEnd());
}

TEST(ReadingRules, EmptyFileIsAtItsEnd) {
    auto input = FromText("");
    EXPECT_TRUE(input.AtEnd());
    EXPECT_EQ(input.ReadWholeLine(255), "");
    EXPECT_EQ(input.ReadInteger(), 0);
    EXPECT_EQ(input.ReadReal(), 0.0);
}

TEST(ReadingRules, NumbersSkipBlanksAndRunOntoTheNextLine) {
    auto input = FromText("  100\t200 300 400 10\r\n1 extra\nnext\n");
    Notes notes;
    input.SetObserver(&notes);
    const std::vector<std::int32_t> expected = {100, 200, 300, 400, 10, 1};
    for (const std::int32_t value : expected) {
        EXPECT_EQ(input.ReadInteger(), value);
    }
    input.SkipLine(); // the rest of the line where the last number was found
    EXPECT_EQ(input.ReadWholeLine(255), "next");
    ASSERT_EQ(notes.NextLine.size(), 1u);
    EXPECT_EQ(notes.NextLine[0], std::make_pair(std::uint64_t{1}, std::uint64_t{2}));
}

TEST(ReadingRules, TheCharacterEndingATokenIsNotConsumed) {
    auto input = FromText("5\nrest\n");
    EXPECT_EQ(input.ReadInteger(), 5);
    EXPECT_EQ(input.ReadLine(255), "");
    input.SkipLine();
    EXPECT_EQ(input.ReadWholeLine(255), "rest");
}

TEST(ReadingRules, IntegersAcceptAnOptionalSign) {
    auto input = FromText("+7 -12 0 2147483647 -2147483648");
    EXPECT_EQ(input.ReadInteger(), 7);
    EXPECT_EQ(input.ReadInteger(), -12);
    EXPECT_EQ(input.ReadInteger(), 0);
    EXPECT_EQ(input.ReadInteger(), 2147483647);
    EXPECT_EQ(input.ReadInteger(), -2147483648);
}

TEST(ReadingRules, MalformedOrOutOfRangeIntegersYieldZero) {
    auto input = FromText("12abc 99999999999 + - --5 +-3 -+3 ++3 1.5 0x10 7");
    Notes notes;
    input.SetObserver(&notes);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(input.ReadInteger(), 0) << "token " << i;
    }
    EXPECT_EQ(input.ReadInteger(), 7);
    EXPECT_EQ(notes.Malformed, (std::vector<std::string>{"12abc", "99999999999", "+", "-", "--5",
                                                         "+-3", "-+3", "++3", "1.5", "0x10"}));
}

TEST(ReadingRules, AnIntegerTokenIsAtMost32Characters) {
    auto input = FromText(std::string(32, '1') + "23 9");
    // The first 32 characters form one (out-of-range) token; the rest is the next token.
    EXPECT_EQ(input.ReadInteger(), 0);
    EXPECT_EQ(input.ReadInteger(), 23);
    EXPECT_EQ(input.ReadInteger(), 9);
}

// A token cut at the limit is noted on its line; reading goes on with the rest as the next token.
struct CutCase {
    const char* Name;
    std::string Text;
    bool Reals;
    std::vector<std::uint64_t> CutLines;
    double Second; // the value read after the first
};

class TokenLimits : public ::testing::TestWithParam<CutCase> {};

TEST_P(TokenLimits, ATokenCutAtTheLimitIsNotedWithItsLine) {
    auto input = FromText(GetParam().Text);
    Notes notes;
    input.SetObserver(&notes);
    const auto read = [&] { return GetParam().Reals ? input.ReadReal() : input.ReadInteger(); };
    read();
    EXPECT_EQ(read(), GetParam().Second);
    EXPECT_EQ(notes.NumberCuts, GetParam().CutLines);
}

INSTANTIATE_TEST_SUITE_P(
    ReadingRules, TokenLimits,
    ::testing::Values(CutCase{"Integer32", std::string(31, '0') + "7 5", false, {}, 5},
                      CutCase{"Integer33", std::string(32, '0') + "7 5", false, {1}, 7},
                      CutCase{
                          "IntegerOnLine2", "\n" + std::string(32, '0') + "-4\n", false, {2}, -4},
                      CutCase{"WordAtTheEnd", std::string(40, 'x'), false, {1}, 0},
                      CutCase{"Real64", "1." + std::string(62, '0') + " 5", true, {}, 5},
                      CutCase{"Real65", "1." + std::string(62, '0') + "25", true, {1}, 25}),
    [](const auto& param) { return param.param.Name; });

TEST(ReadingRules, RealsAreDecimalWithFractionAndExponent) {
    auto input = FromText("1.5 -2.25e1 +3 .5 17");
    EXPECT_DOUBLE_EQ(input.ReadReal(), 1.5);
    EXPECT_DOUBLE_EQ(input.ReadReal(), -22.5);
    EXPECT_DOUBLE_EQ(input.ReadReal(), 3.0);
    EXPECT_DOUBLE_EQ(input.ReadReal(), 0.5);
    EXPECT_DOUBLE_EQ(input.ReadReal(), 17.0);
}

TEST(ReadingRules, NonFiniteOrMalformedRealsYieldZero) {
    auto input = FromText("nan inf -inf 1e999 1.2.3 abc 0x1p3 +-1 -+1 ++1 --1 4");
    Notes notes;
    input.SetObserver(&notes);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(input.ReadReal(), 0.0) << "token " << i;
    }
    EXPECT_EQ(input.ReadReal(), 4.0);
    EXPECT_EQ(notes.Malformed.size(), 11u) << "each is reported";
}

TEST(ReadingRules, RealsAtTheEdgesOfTheirForm) {
    auto input = FromText("1. 1.e2 -0 0e999 4.9e-324 1E3 1e-400 1e 1e+ . 7");
    Notes notes;
    input.SetObserver(&notes);
    EXPECT_EQ(input.ReadReal(), 1.0);
    EXPECT_EQ(input.ReadReal(), 100.0);
    EXPECT_EQ(input.ReadReal(), 0.0);
    EXPECT_EQ(input.ReadReal(), 0.0);
    EXPECT_EQ(input.ReadReal(), 4.9406564584124654e-324); // the smallest subnormal
    EXPECT_EQ(input.ReadReal(), 1000.0);
    EXPECT_TRUE(notes.Malformed.empty());
    for (int i = 0; i < 4; ++i) { // underflow to 0, exponents without digits, a point alone
        EXPECT_EQ(input.ReadReal(), 0.0) << "token " << i;
    }
    EXPECT_EQ(input.ReadReal(), 7.0);
    EXPECT_EQ(notes.Malformed.size(), 4u);
}

TEST(ReadingRules, BytesAbove127AreCharactersNotBlanks) {
    auto input = FromText("\xE9t\xE9\n");
    EXPECT_EQ(input.ReadWholeLine(255), "\xE9t\xE9");
    auto numbers = FromText("\xA0"
                            "5");
    EXPECT_EQ(numbers.ReadInteger(), 0); // one malformed token, not a blank and a 5
}

TEST(ReadingRules, PeekLineConsumesNothing) {
    auto input = FromText("FT\n{\nrest\n");
    EXPECT_EQ(input.PeekLine(255), "FT");
    EXPECT_EQ(input.LineNumber(), 1u);
    EXPECT_EQ(input.ReadWholeLine(255), "FT");
    EXPECT_EQ(input.PeekLine(255), "{");
    EXPECT_EQ(input.ReadWholeLine(255), "{");
    EXPECT_EQ(input.LineNumber(), 3u);
}

TEST(ReadingRules, RewindStartsOverWithLineNumbers) {
    auto input = FromText("a\nb\n");
    input.ReadWholeLine(255);
    input.ReadWholeLine(255);
    EXPECT_TRUE(input.AtEnd());
    EXPECT_TRUE(input.Rewind());
    EXPECT_EQ(input.LineNumber(), 1u);
    EXPECT_EQ(input.ReadWholeLine(255), "a");
}

TEST(ReadingRules, RestOfLineBlankTellsWhetherAnotherNumberFollows) {
    auto input = FromText("1 2 \r\n3 4 5\n");
    input.ReadInteger();
    input.ReadInteger();
    EXPECT_TRUE(input.RestOfLineBlank());
    input.SkipLine();
    input.ReadInteger();
    input.ReadInteger();
    EXPECT_FALSE(input.RestOfLineBlank());
    EXPECT_EQ(input.ReadInteger(), 5);
}

// A CR without LF, a NUL or another control byte among numbers is a blank there (the numbers
// stay as the rules read them) and is noted once for each gap between two numbers; the CR of a
// CR LF is half of a line end, and a tab a blank like any.
TEST(ReadingRules, ControlBytesAmongNumbersAreBlanksAndNoted) {
    struct Row {
        std::string Text;
        std::vector<std::int32_t> Numbers;
        std::vector<std::pair<std::uint64_t, int>> Noted;
    };
    const std::vector<Row> rows = {
        {"6800 41\r00 6850", {6800, 41, 0, 6850}, {{1, '\r'}}},
        {"1 2\r\n3 4", {1, 2, 3, 4}, {}},
        {"1\t2\r\n\r\n3", {1, 2, 3}, {}},
        {std::string("1 2\0\0\0 3", 9), {1, 2, 3}, {{1, 0}}},
        {"1\n2\x01\x02"
         "3",
         {1, 2, 3},
         {{2, 1}}},
        {"1 2 3 4\r5", {1, 2, 3, 4, 5}, {{1, '\r'}}}, // before a position line's fifth value
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.Text));
        auto input = FromText(row.Text);
        Notes notes;
        input.SetObserver(&notes);
        std::vector<std::int32_t> numbers;
        for (std::size_t i = 0; i < row.Numbers.size(); ++i) {
            if (i == 4) {
                EXPECT_FALSE(input.RestOfLineBlank());
            }
            numbers.push_back(input.ReadInteger());
        }
        EXPECT_EQ(numbers, row.Numbers);
        EXPECT_EQ(notes.Controls, row.Noted);
    }
}

TEST(ReadingRules, LinesAcrossTheReadBufferBoundaryStayWhole) {
    // Lines that straddle the reader's internal buffer, with CR LF split across the boundary.
    std::string text;
    std::vector<std::string> lines;
    for (int i = 0; text.size() < 200000; ++i) {
        lines.push_back("line" + std::to_string(i) +
                        std::string(static_cast<std::size_t>(i % 7), 'x'));
        text += lines.back() + "\r\n";
    }
    auto input = FromText(text);
    for (const auto& line : lines) {
        ASSERT_EQ(input.ReadWholeLine(255), line);
    }
    EXPECT_TRUE(input.AtEnd());
}

// A source that reads from memory but can never seek.
class UnseekableSource final : public ByteSource {
public:
    explicit UnseekableSource(std::string bytes) : memory_(std::move(bytes)) {}
    std::size_t Read(char* destination, std::size_t size) override {
        return memory_.Read(destination, size);
    }
    bool Seek(std::uint64_t) override { return false; }

private:
    MemoryByteSource memory_;
};

TEST(ReadingRules, ASeekThatFailsLeavesTheReaderWhereItWas) {
    std::string text;
    for (int i = 0; text.size() < 100000; ++i) {
        text += "line" + std::to_string(i) + "\n";
    }
    InputFile input(std::make_unique<UnseekableSource>(text));
    const InputFile::Position start = input.Tell();
    while (input.Tell().Offset < 70000) { // past the first buffer's bytes
        input.ReadWholeLine(255);
    }
    const InputFile::Position here = input.Tell();
    EXPECT_FALSE(input.SeekTo(start));
    EXPECT_EQ(input.LineNumber(), here.Line);
    EXPECT_EQ(input.ReadWholeLine(255), "line" + std::to_string(here.Line - 1));
}

TEST(ByteSources, AFileSeeksBeyondTwoGibibytes) {
    const testsupport::TempFile file("");
    constexpr std::uint64_t offset = std::uint64_t{5} << 29; // 2.5 GiB, a sparse file
    std::filesystem::resize_file(file.Path(), offset);
    std::ofstream(file.Path(), std::ios::binary | std::ios::app) << "FT\n";
    const auto source = FileByteSource::Open(file.Path());
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(source->Seek(offset));
    char bytes[4] = {};
    EXPECT_EQ(source->Read(bytes, sizeof(bytes)), 3u);
    EXPECT_EQ(std::string(bytes, 3), "FT\n");
}

} // namespace
} // namespace corvane
