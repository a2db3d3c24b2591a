#include "importer/InputFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace corvane {
namespace {

bool IsBlank(int byte) {
    return byte >= 0 && byte <= 32;
}

// The characters a line read must stop at: the line ends and the end-of-file mark.
bool IsLineSpecial(char c) {
    return c == '\n' || c == '\r' || c == 0x1A;
}

// The blanks a text file has between numbers; a CR only as part of a CR LF line end.
bool IsTextBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal digits with an optional leading sign; anything else, or a value outside the signed
// 32-bit range, is malformed.
bool ParseInteger(std::string_view token, std::int32_t& value) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
        if (!token.empty() && token.front() == '-') {
            return false;
        }
    }
    if (token.empty()) {
        return false;
    }
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    return error == std::errc() && stop == end;
}

// The length of a decimal number at the start of text as std::from_chars reads one: digits with
// an optional fraction (at least one digit in all), then an exponent only if it has digits.
// nonZero tells whether a digit before the exponent is not 0.
std::size_t DecimalNumberLength(std::string_view text, bool& nonZero) {
    std::size_t at = 0;
    std::size_t digits = 0;
    nonZero = false;
    const auto digitRun = [&] {
        for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
            nonZero = nonZero || text[at] != '0';
        }
    };
    digitRun();
    if (at < text.size() && text[at] == '.') {
        ++at;
        digitRun();
    }
    if (digits == 0) {
        return 0;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t firstDigit = exponent;
        while (exponent < text.size() && IsDigit(text[exponent])) {
            ++exponent;
        }
        if (exponent > firstDigit) {
            at = exponent;
        }
    }
    return at;
}

// Optional sign, digits with an optional fraction, optional exponent; a finite result only, and
// none that a nonzero number becomes 0 by underflow. Names such as nan or inf and hexadecimal
// forms are not numbers here, nor is a token with two signs ("+-1"), as for integers. The digits
// are read by strtod, which every C library has and rounds correctly (the C locale's point).
bool ParseReal(std::string_view token, double& value) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
        if (!token.empty() && token.front() == '-') {
            return false;
        }
    }
    std::string_view body = token;
    if (!body.empty() && body.front() == '-') {
        body.remove_prefix(1);
    }
    bool nonZero = false;
    if (body.empty() || DecimalNumberLength(body, nonZero) != body.size()) {
        return false;
    }
    std::array<char, InputFile::RealTokenLimit + 1> text{};
    if (token.size() >= text.size()) {
        return false;
    }
    std::memcpy(text.data(), token.data(), token.size());
    value = std::strtod(text.data(), nullptr);
    return std::isfinite(value) && (value != 0 || !nonZero);
}

} // namespace

InputFile::InputFile(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}

std::unique_ptr<InputFile> InputFile::Open(const std::string& path) {
    auto source = FileByteSource::Open(path);
    if (source == nullptr) {
        return nullptr;
    }
    return std::make_unique<InputFile>(std::move(source));
}

bool InputFile::Fill() {
    if (sourceEnded_ || source_ == nullptr) {
        return false;
    }
    // Keep the unread bytes, move them to the front, and read behind them.
    const std::size_t unread = size_ - index_;
    if (unread > 0 && index_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + index_, unread);
    }
    bufferStart_ += index_;
    index_ = 0;
    size_ = unread;
    if (size_ == buffer_.size()) {
        return false; // no room: callers look at most two bytes ahead, so this never happens
    }
    const std::size_t got = source_->Read(buffer_.data() + size_, buffer_.size() - size_);
    if (got == 0) {
        sourceEnded_ = true;
        return false;
    }
    size_ += got;
    return true;
}

int InputFile::PeekByteAt(std::size_t ahead) {
    while (index_ + ahead >= size_) {
        if (!Fill()) {
            return EndOfFile;
        }
    }
    const char c = buffer_[index_ + ahead];
    return c == CtrlZ ? EndOfFile : static_cast<unsigned char>(c);
}

int InputFile::PeekByte() {
    if (index_ < size_) {
        const char c = buffer_[index_];
        return c == CtrlZ ? EndOfFile : static_cast<unsigned char>(c);
    }
    return PeekByteAt(0);
}

void InputFile::Advance() {
    if (index_ < size_) {
        if (buffer_[index_] == '\n') {
            ++line_;
        }
        ++index_;
    }
}

bool InputFile::AtEnd() {
    return PeekByte() == EndOfFile;
}

std::string InputFile::ReadLine(std::size_t limit) {
    std::string line;
    AppendLine(limit, line);
    return line;
}

void InputFile::AppendLine(std::size_t limit, std::string& line) {
    const std::size_t start = line.size();
    while (line.size() - start < limit) {
        if (index_ >= size_ && !Fill()) {
            break;
        }
        // The plain characters ahead in the buffer go over in one piece; only LF, CR and Ctrl-Z
        // need a closer look. None of them is a LF, so the line count stays as it is.
        const char* const run = buffer_.data() + index_;
        const std::size_t room = std::min(size_ - index_, limit - (line.size() - start));
        std::size_t plain = 0;
        while (plain < room && !IsLineSpecial(run[plain])) {
            ++plain;
        }
        line.append(run, plain);
        index_ += plain;
        if (plain == room) {
            continue; // the limit, or the end of the buffer: the loop test and Fill decide
        }
        if (buffer_[index_] != '\r') {
            break; // LF or Ctrl-Z
        }
        if (PeekByteAt(1) == '\n') {
            break; // CR LF: the line end, left for Skip line
        }
        ++index_; // a lone CR is dropped from the text
        if (observer_ != nullptr) {
            observer_->LoneCarriageReturn(line_);
        }
    }
}

void InputFile::SkipLine() {
    (void)SkipRestOfLine();
}

std::uint64_t InputFile::SkipRestOfLine() {
    std::uint64_t dropped = 0;
    for (;;) {
        if (index_ >= size_ && !Fill()) {
            return dropped;
        }
        const char* const begin = buffer_.data() + index_;
        const char* const end = buffer_.data() + size_;
        const char* stop = begin;
        while (stop != end && *stop != '\n' && *stop != CtrlZ) {
            ++stop;
        }
        dropped += static_cast<std::uint64_t>(stop - begin) -
                   static_cast<std::uint64_t>(std::count(begin, stop, '\r'));
        index_ += static_cast<std::size_t>(stop - begin);
        if (stop == end) {
            continue;
        }
        if (*stop == '\n') {
            ++index_;
            ++line_;
        }
        return dropped; // past the LF, or before the Ctrl-Z that ends the file
    }
}

std::string InputFile::ReadWholeLine(std::size_t limit) {
    std::string line;
    ReadWholeLine(limit, line);
    return line;
}

void InputFile::ReadWholeLine(std::size_t limit, std::string& line) {
    if (AtEnd()) {
        ranOut_ = true;
    }
    const std::uint64_t lineNumber = line_;
    line.clear();
    AppendLine(limit, line);
    // What goes beyond the line end other than CRs was cut from an over-long line.
    const std::uint64_t dropped = SkipRestOfLine();
    if (dropped > 0 && observer_ != nullptr) {
        observer_->LineCut(lineNumber, limit, dropped);
    }
}

void InputFile::SkipBlanks() {
    bool noted = false; // one note for a gap between numbers, however many control bytes
    for (;;) {
        if (index_ >= size_ && !Fill()) {
            return;
        }
        while (index_ < size_) {
            const char c = buffer_[index_];
            if (c == CtrlZ || !IsBlank(static_cast<unsigned char>(c))) {
                return;
            }
            if (c == '\n') {
                ++line_;
            } else if (!noted && !IsTextBlank(c)) {
                noted = NoteControlInNumbers();
            }
            ++index_;
        }
    }
}

bool InputFile::NoteControlInNumbers() {
    const char c = buffer_[index_];
    // A CR before its LF is half of a line end; any other control byte is damage.
    if (c == '\r' && PeekByteAt(1) == '\n') {
        return false;
    }
    if (observer_ != nullptr) {
        observer_->ControlInNumbers(line_, static_cast<unsigned char>(c));
    }
    return true;
}

std::string_view InputFile::ReadToken(std::size_t limit, TokenBuffer& token) {
    const std::uint64_t startLine = line_;
    SkipBlanks();
    if (observer_ != nullptr && line_ != startLine && PeekByte() != EndOfFile) {
        observer_->NumberFromNextLine(startLine, line_);
    }
    limit = std::min(limit, token.size());
    std::size_t length = 0;
    while (length < limit) {
        const int c = PeekByte();
        if (c == EndOfFile || IsBlank(c)) {
            break;
        }
        token[length++] = static_cast<char>(c);
        ++index_; // not a LF: blanks end the token
    }
    if (length == limit && observer_ != nullptr) {
        const int next = PeekByte();
        if (next != EndOfFile && !IsBlank(next)) {
            observer_->NumberCut(line_, limit);
        }
    }
    return {token.data(), length};
}

std::int32_t InputFile::ReadInteger() {
    TokenBuffer buffer;
    const std::string_view token = ReadToken(IntegerTokenLimit, buffer);
    if (token.empty()) {
        ranOut_ = true;
        return 0; // end of file
    }
    std::int32_t value = 0;
    if (!ParseInteger(token, value)) {
        if (observer_ != nullptr) {
            observer_->MalformedNumber(line_, token, 0.0);
        }
        return 0;
    }
    return value;
}

double InputFile::ReadReal() {
    TokenBuffer buffer;
    const std::string_view token = ReadToken(RealTokenLimit, buffer);
    if (token.empty()) {
        ranOut_ = true;
        return 0.0; // end of file
    }
    double value = 0.0;
    if (!ParseReal(token, value)) {
        if (observer_ != nullptr) {
            observer_->MalformedNumber(line_, token, 0.0);
        }
        return 0.0;
    }
    return value;
}

bool InputFile::RestOfLineBlank() {
    // Blanks before the line end are consumed: Skip line follows in either case.
    bool noted = false;
    for (;;) {
        const int c = PeekByte();
        if (c == EndOfFile || c == '\n') {
            return true;
        }
        if (!IsBlank(c)) {
            return false;
        }
        if (!noted && !IsTextBlank(static_cast<char>(c))) {
            noted = NoteControlInNumbers();
        }
        Advance();
    }
}

bool InputFile::Rewind() {
    return SeekTo(Position{});
}

bool InputFile::SeekTo(const Position& position) {
    // A seek that fails leaves the reader where it was, line number included.
    if (position.Offset >= bufferStart_ && position.Offset <= bufferStart_ + size_) {
        index_ = static_cast<std::size_t>(position.Offset - bufferStart_);
    } else if (source_ != nullptr && source_->Seek(position.Offset)) {
        bufferStart_ = position.Offset;
        index_ = 0;
        size_ = 0;
        sourceEnded_ = false;
    } else {
        return false;
    }
    line_ = position.Line;
    return true;
}

std::uint64_t InputFile::BytesAfterEndMark() {
    if ((index_ >= size_ && !Fill()) || buffer_[index_] != CtrlZ) {
        return 0;
    }
    std::uint64_t count = 0;
    ++index_;
    do {
        count += static_cast<std::uint64_t>(
            std::count_if(buffer_.begin() + static_cast<std::ptrdiff_t>(index_),
                          buffer_.begin() + static_cast<std::ptrdiff_t>(size_),
                          [](char c) { return c != CtrlZ; }));
        index_ = size_;
    } while (Fill());
    return count;
}

std::string InputFile::PeekLine(std::size_t limit) {
    const Position here = Tell();
    ReadingObserver* const observer = observer_;
    observer_ = nullptr;
    std::string line = ReadLine(limit);
    observer_ = observer;
    SeekTo(here);
    return line;
}

} // namespace corvane
