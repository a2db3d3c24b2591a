#include "importer/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if !defined(_WIN32)
#include <sys/types.h>
#endif

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
    // 64-bit offsets everywhere: a long is 32 bits on Windows, and files may pass 2 GiB.
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return false;
    }
    std::clearerr(file_);
#if defined(_WIN32)
    return _fseeki64(file_, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
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
