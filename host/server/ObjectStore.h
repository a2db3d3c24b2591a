#pragma once
// Every host object the server has made, found from its handle in constant time. Object handles
// are consecutive numbers from FirstObjectHandle on, never reused while the process runs (not even
// after Clear), so a stale handle is never taken for a new object.
//
// Objects are only ever made one by one and forgotten all together, so their records are placed
// end to end in large blocks of memory rather than allocated one by one: a board of a million
// objects is made and freed without a million calls to the allocator, and the records of
// neighbouring objects share cache lines and pages.

#include "ObjectRecord.h"
#include "RecordBlocks.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace halvex {

class ObjectStore {
public:
    static constexpr HostHandle FirstObjectHandle = 0x00010000;
    /// Object handles stay below this value; boards and iterators use the values above.
    static constexpr HostHandle ObjectHandleLimit = 0x40000000;

    /// Makes a record of type R with the next handle (its constructor takes the handle first, then
    /// the other arguments); nullptr when the handle range is used up.
    template <typename R, typename... Args> R* Make(Args&&... args) {
        const HostHandle handle = base_ + static_cast<HostHandle>(records_.size());
        if (handle >= ObjectHandleLimit) {
            return nullptr;
        }
        void* const place = blocks_.Allocate(sizeof(R), alignof(R));
        Record record(::new (place) R(handle, std::forward<Args>(args)...));
        R* const made = static_cast<R*>(record.get());
        records_.push_back(std::move(record));
        count_ = static_cast<HostHandle>(records_.size());
        return made;
    }

    /// The object of that handle, or nullptr.
    ObjectRecord* Find(HostHandle handle) const {
        // Below base_ the difference wraps round to far beyond the count: one test for both ends.
        const HostHandle offset = handle - base_;
        return offset < count_ ? records_[offset].get() : nullptr;
    }

    /// The object of that handle when it is of kind R, or nullptr.
    template <typename R> R* Find(HostHandle handle) const {
        const HostHandle offset = handle - base_;
        if (offset >= count_) {
            return nullptr;
        }
        // A stored record is never null: only the kind is left to test.
        ObjectRecord& record = *records_[offset];
        return R::Accepts(record.Kind) ? static_cast<R*>(&record) : nullptr;
    }

    std::size_t Count() const { return records_.size(); }

    /// Forgets every object. Later objects get handles never given before.
    void Clear() {
        base_ += static_cast<HostHandle>(records_.size());
        records_.clear();
        count_ = 0;
        blocks_.Release();
    }

private:
    /// Ends a record's life in place; its memory goes back with the blocks.
    struct DestroyInPlace {
        void operator()(ObjectRecord* record) const { record->~ObjectRecord(); }
    };
    using Record = std::unique_ptr<ObjectRecord, DestroyInPlace>;

    HostHandle base_ = FirstObjectHandle;
    /// records_.size(), kept beside it: every entry call looks a handle up.
    HostHandle count_ = 0;
    /// Declared before the records, so that it outlives them.
    RecordBlocks blocks_{std::size_t{64} * 1024};
    std::vector<Record> records_;
};

} // namespace halvex
