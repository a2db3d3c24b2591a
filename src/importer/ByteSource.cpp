#include "importer/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace corvane {

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(new FileByteSource(file));
}

FileByteSource::~FileByteSource() {
    std::fclose(file_);
}

std::size_t FileByteSource::Read(char* destination, std::size_t size) {
    return std::fread(destination, 1, size, file_);
}

bool FileByteSource::Seek(std::uint64_t offset) {
    // Import files are read in chunks of a buffer; offsets stay within what fseek takes.
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max())) {
        return false;
    }
    std::clearerr(file_);
    return std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
}

std::size_t MemoryByteSource::Read(char* destination, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size() - position_);
    std::memcpy(destination, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

bool MemoryByteSource::Seek(std::uint64_t offset) {
    if (offset > bytes_.size()) {
        return false;
    }
    position_ = static_cast<std::size_t>(offset);
    return true;
}

} // namespace corvane
