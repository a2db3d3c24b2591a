#pragma once
// What the reading rules pass over or change while reading, for whoever keeps a report of it.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane {

class ReadingObserver {
public:
    virtual ~ReadingObserver() = default;

    /// A numeric token that is not a valid number in range; valueUsed replaced it.
    virtual void MalformedNumber(std::uint64_t line, std::string_view token, double valueUsed) = 0;
    /// A line longer than the limit it was read with: the characters past the limit were dropped.
    virtual void LineCut(std::uint64_t line, std::size_t limit,
                         std::uint64_t droppedCharacters) = 0;
    /// A number or word longer than the token limit: its first limit characters were read as
    /// one token, and the rest is read as the next.
    virtual void NumberCut(std::uint64_t line, std::size_t limit) = 0;
    /// A number was taken from a following line because its data line had run out.
    virtual void NumberFromNextLine(std::uint64_t dataLine, std::uint64_t numberLine) = 0;
    /// A CR not followed by LF was dropped from the text of a line: it ended no line.
    virtual void LoneCarriageReturn(std::uint64_t line) { (void)line; }
    /// A byte that is no blank of a text file (a CR not followed by LF, a NUL or another control
    /// character) stood among numbers and was read as a blank between them.
    virtual void ControlInNumbers(std::uint64_t line, unsigned char byte) {
        (void)line;
        (void)byte;
    }
};

} // namespace corvane
