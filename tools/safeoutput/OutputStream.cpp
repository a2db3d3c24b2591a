#include "safeoutput/OutputStream.h"

#include "cliplatform/PlatformFiles.h"

#include <cerrno>
#include <system_error>
#include <vector>

namespace corvane::cli {
namespace {

// Bytes handed to the system at a time: large enough that the calls cost nothing beside the
// formatting, small enough to stay in the cache.
constexpr std::size_t DeliveryChunk = 256 * 1024;

std::string ErrnoText(int error) {
    return std::error_code(error != 0 ? error : EIO, std::generic_category()).message();
}

} // namespace

OutputStream::OutputStream(std::string scratchFolder) : scratchFolder_(std::move(scratchFolder)) {
    buffer_.reserve(DeliveryChunk);
}

void OutputStream::Write(std::string_view bytes) {
    if (Failed()) {
        return;
    }
    if (buffer_.size() + bytes.size() > DeliveryChunk) {
        Flush();
        if (bytes.size() >= DeliveryChunk) {
            std::string error;
            if (!Failed() && !Deliver(bytes, error)) {
                Fail(error);
            }
            return;
        }
    }
    buffer_.append(bytes);
}

bool OutputStream::Flush() {
    if (!buffer_.empty() && !Failed()) {
        std::string error;
        if (!Deliver(buffer_, error)) {
            Fail(error);
        }
    }
    buffer_.clear();
    return !Failed();
}

void OutputStream::Fail(const std::string& reason) {
    if (error_.empty()) {
        error_ = reason.empty() ? "write failed" : reason;
    }
}

bool StringOutputStream::Deliver(std::string_view bytes, std::string&) {
    text_.append(bytes);
    return true;
}

SpillBuffer::~SpillBuffer() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

SpillBuffer::SpillBuffer(SpillBuffer&& other) noexcept
    : document_(other.document_), memory_(std::move(other.memory_)), file_(other.file_) {
    other.file_ = nullptr;
}

void SpillBuffer::Fail(const char* what) {
    document_->Fail(std::string("cannot ") + what + " a scratch file in " +
                    document_->ScratchFolder() + ": " + ErrnoText(errno));
}

void SpillBuffer::Append(std::string_view bytes) {
    if (document_->Failed()) {
        return;
    }
    memory_.append(bytes);
    if (memory_.size() < MemoryLimit) {
        return;
    }
    if (file_ == nullptr) {
        std::string error;
        file_ = OpenScratchFile(document_->ScratchFolder(), error);
        if (file_ == nullptr) {
            document_->Fail("cannot make a scratch file in " + document_->ScratchFolder() + ": " +
                            error);
            return;
        }
    }
    errno = 0;
    if (std::fwrite(memory_.data(), 1, memory_.size(), file_) != memory_.size()) {
        Fail("write");
    }
    memory_.clear();
}

void SpillBuffer::MoveIntoDocument() {
    if (file_ != nullptr) {
        errno = 0;
        if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
            Fail("read back");
        }
        std::vector<char> chunk(DeliveryChunk);
        while (!document_->Failed()) {
            const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file_);
            if (got == 0) {
                if (std::ferror(file_)) {
                    Fail("read back");
                }
                break;
            }
            document_->Write(std::string_view(chunk.data(), got));
        }
        std::fclose(file_);
        file_ = nullptr;
    }
    document_->Write(memory_);
    memory_.clear();
}

} // namespace corvane::cli
