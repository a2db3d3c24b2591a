#pragma once
// Where a document's bytes go while it is produced, and the bytes a writer puts aside to place
// later in the document. A stream that failed keeps its first reason and drops what follows, so
// that writers write without checking and the output's owner checks once at the end.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace corvane::cli {

class OutputStream {
public:
    /// scratchFolder: where the writer of this document may put temporary files (beside the
    /// document, so that it needs no room elsewhere).
    explicit OutputStream(std::string scratchFolder);
    virtual ~OutputStream() = default;
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;

    void Write(std::string_view bytes);
    /// Hands what is buffered on; false once the stream has failed.
    bool Flush();

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    /// Marks the stream failed; the first reason is kept.
    void Fail(const std::string& reason);

    const std::string& ScratchFolder() const { return scratchFolder_; }

protected:
    /// Writes all the bytes on; false with the reason when it could not.
    virtual bool Deliver(std::string_view bytes, std::string& error) = 0;

private:
    std::string buffer_;
    std::string error_;
    const std::string scratchFolder_;
};

/// Collects the document in memory (for tests and small documents).
class StringOutputStream final : public OutputStream {
public:
    explicit StringOutputStream(std::string scratchFolder)
        : OutputStream(std::move(scratchFolder)) {}
    /// Everything written so far.
    const std::string& Text() {
        Flush();
        return text_;
    }

private:
    bool Deliver(std::string_view bytes, std::string& error) override;
    std::string text_;
};

/// Bytes put aside while a document is produced, copied into it later in the order they came: in
/// memory up to MemoryLimit, beyond it in an unnamed scratch file in the document's scratch
/// folder. A failure to put bytes aside fails the document.
class SpillBuffer {
public:
    static constexpr std::size_t MemoryLimit = 256 * 1024;

    explicit SpillBuffer(OutputStream& document) : document_(&document) {}
    ~SpillBuffer();
    SpillBuffer(SpillBuffer&& other) noexcept;
    SpillBuffer& operator=(SpillBuffer&&) = delete;
    SpillBuffer(const SpillBuffer&) = delete;
    SpillBuffer& operator=(const SpillBuffer&) = delete;

    void Append(std::string_view bytes);
    bool Empty() const { return memory_.empty() && file_ == nullptr; }
    /// Copies everything put aside into the document, then forgets it.
    void MoveIntoDocument();

private:
    void Fail(const char* what);

    OutputStream* document_;
    std::string memory_;
    std::FILE* file_ = nullptr;
};

} // namespace corvane::cli
