#pragma once
// Where the bytes of an import file come from: a file on disk, or memory (tests, fuzzing).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace corvane {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Reads up to size bytes; returns how many were read (0 at the end or on an error).
    virtual std::size_t Read(char* destination, std::size_t size) = 0;
    /// Moves to an absolute byte offset; false when the source cannot.
    virtual bool Seek(std::uint64_t offset) = 0;
};

class FileByteSource final : public ByteSource {
public:
    /// Opens a file for reading; nullptr when it cannot be opened.
    static std::unique_ptr<FileByteSource> Open(const std::string& path);
    ~FileByteSource() override;

    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    std::size_t Read(char* destination, std::size_t size) override;
    bool Seek(std::uint64_t offset) override;

private:
    explicit FileByteSource(std::FILE* file) : file_(file) {}
    std::FILE* file_;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(char* destination, std::size_t size) override;
    bool Seek(std::uint64_t offset) override;

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

} // namespace corvane
