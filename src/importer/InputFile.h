#pragma once
// The reading rules of the import file: lines and numbers, as every record reader reads them.
//
// - Line ends are LF or CR LF; a CR not followed by LF is dropped from the text.
// - The byte 0x1A (Ctrl-Z) ends the file.
// - Numbers skip every character of code 32 or below (line ends included), so a number may stand
//   on a later line; at the end of the file they yield 0. A token is at most 32 characters (64
//   for reals): the rest of a longer one is read as the next token. A CR without LF, a NUL or
//   another control byte among numbers is a blank too, and reported.
// - A numeric token that is not a valid number in range (12abc, 99999999999, +, --5, +-1, 1e999,
//   nan) yields 0, the value the classic reader's conversion gives on an error.

#include "importer/ByteSource.h"
#include "importer/ReadingObserver.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class InputFile {
public:
    static constexpr std::size_t KeywordLineLimit = 255;
    static constexpr std::size_t IntegerTokenLimit = 32;
    static constexpr std::size_t RealTokenLimit = 64;

    explicit InputFile(std::unique_ptr<ByteSource> source);

    /// Opens a file on disk; nullptr when it cannot be opened.
    static std::unique_ptr<InputFile> Open(const std::string& path);

    /// The characters of the current line up to its end, at most limit of them; the line end
    /// (and anything past the limit) is left unread.
    std::string ReadLine(std::size_t limit);
    /// Discards everything up to and including the next line end.
    void SkipLine();
    /// Read line, then Skip line: the form every line of the importer is read in.
    std::string ReadWholeLine(std::size_t limit);
    /// The same into a string the caller keeps, so that a loop over many lines reuses one
    /// buffer.
    void ReadWholeLine(std::size_t limit, std::string& line);

    std::int32_t ReadInteger();
    double ReadReal();
    /// True when nothing but blanks (code 32 or below) stands before the next line end: used to
    /// tell whether a line holds one more number.
    bool RestOfLineBlank();

    /// True when no character is left or the next byte is 0x1A.
    bool AtEnd();
    /// The next byte (0..255) without taking it; -1 at the end of the file.
    int NextByte() { return PeekByte(); }

    /// Back to the first byte of the file.
    bool Rewind();

    /// A place in the file to come back to (looking at a line without consuming it).
    struct Position {
        std::uint64_t Offset = 0;
        std::uint64_t Line = 1;
    };
    Position Tell() const { return {bufferStart_ + index_, line_}; }
    bool SeekTo(const Position& position);

    /// The next line (limit characters) without consuming anything.
    std::string PeekLine(std::size_t limit);

    /// 1-based number of the line the next character belongs to.
    std::uint64_t LineNumber() const { return line_; }

    /// True once a number or line was asked for at the end of the file since the last clear:
    /// the record being read was cut short.
    bool RanOutOfFile() const { return ranOut_; }
    void ClearRanOutOfFile() { ranOut_ = false; }

    /// At the Ctrl-Z that ends the file: how many bytes after it are not Ctrl-Z (they are never
    /// read). Consumes the rest of the file; 0 when the file did not end at a Ctrl-Z.
    std::uint64_t BytesAfterEndMark();

    /// Who hears about input the rules pass over or change (nullptr: nobody).
    void SetObserver(ReadingObserver* observer) { observer_ = observer; }
    ReadingObserver* Observer() const { return observer_; }

private:
    static constexpr int EndOfFile = -1;
    static constexpr char CtrlZ = 0x1A;

    int PeekByte();
    int PeekByteAt(std::size_t ahead);
    void Advance();
    bool Fill();
    /// Room for the longest token a number read takes.
    using TokenBuffer = std::array<char, RealTokenLimit>;
    /// Skips blanks, then takes at most limit characters up to the next blank into the buffer.
    std::string_view ReadToken(std::size_t limit, TokenBuffer& token);
    void SkipBlanks();
    /// Tells the observer of the control byte at the read position among numbers, unless it is
    /// the CR of a CR LF; true when it was one to tell.
    bool NoteControlInNumbers();
    /// Read line, appending to the string.
    void AppendLine(std::size_t limit, std::string& line);
    /// Skip line, answering how many characters other than CRs it passed over before the LF.
    std::uint64_t SkipRestOfLine();

    std::unique_ptr<ByteSource> source_;
    std::array<char, 65536> buffer_{};
    std::size_t size_ = 0;          // bytes valid in buffer_
    std::size_t index_ = 0;         // next byte in buffer_
    std::uint64_t bufferStart_ = 0; // file offset of buffer_[0]
    std::uint64_t line_ = 1;
    bool sourceEnded_ = false;
    bool ranOut_ = false;
    ReadingObserver* observer_ = nullptr;
};

} // namespace corvane
