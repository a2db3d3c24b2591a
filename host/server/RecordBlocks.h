#pragma once
// Memory handed out end to end from large blocks, each block twice the size of the one before,
// and given back all at once: what std::pmr::monotonic_buffer_resource does, which not every
// standard library the server is built with has (the WebAssembly build's has not).

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace halvex {

class RecordBlocks {
public:
    explicit RecordBlocks(std::size_t firstBlockSize)
        : firstBlockSize_(firstBlockSize), nextBlockSize_(firstBlockSize) {}

    /// size bytes aligned to alignment (a power of two, at most that of std::max_align_t).
    void* Allocate(std::size_t size, std::size_t alignment) {
        void* place = free_;
        if (std::align(alignment, size, place, left_) == nullptr) {
            AddBlock(size + alignment);
            place = free_;
            std::align(alignment, size, place, left_);
        }
        free_ = static_cast<std::byte*>(place) + size;
        left_ -= size;
        return place;
    }

    /// Gives every block back; the next allocation starts a block of the first size.
    void Release() {
        blocks_.clear();
        nextBlockSize_ = firstBlockSize_;
        free_ = nullptr;
        left_ = 0;
    }

private:
    void AddBlock(std::size_t atLeast) {
        const std::size_t size = std::max(nextBlockSize_, atLeast);
        blocks_.emplace_back(new std::byte[size]);
        free_ = blocks_.back().get();
        left_ = size;
        nextBlockSize_ = size * 2;
    }

    std::size_t firstBlockSize_;
    std::size_t nextBlockSize_;
    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    void* free_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace halvex
