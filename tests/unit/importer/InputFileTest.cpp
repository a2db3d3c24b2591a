// The reading rules: lines, line ends, Ctrl-Z, numbers and what malformed numbers yield.

#include "importer/InputFile.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace corvane
