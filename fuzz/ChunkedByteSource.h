#pragma once
// Bytes from memory handed out a few at a time, as a slow pipe or a short read would, so that the
// reading rules meet every line end, CR LF pair and token split across two reads of the source.

#include "importer/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace corvanefuzz {

class ChunkedByteSource final : public corvane::ByteSource {
public:
    ChunkedByteSource(std::string bytes, std::size_t chunk)
        : bytes_(std::move(bytes)), chunk_(std::max<std::size_t>(chunk, 1)) {}

    std::size_t Read(char* destination, std::size_t size) override {
        const std::size_t n = std::min({size, chunk_, bytes_.size() - position_});
        std::memcpy(destination, bytes_.data() + position_, n);
        position_ += n;
        return n;
    }

    bool Seek(std::uint64_t offset) override {
        if (offset > bytes_.size()) {
            return false;
        }
        position_ = static_cast<std::size_t>(offset);
        return true;
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t position_ = 0;
};

} // namespace corvanefuzz
