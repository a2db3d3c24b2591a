#pragma once
// Checks shared by the model tests: that an exchange hands the host the addresses of the named
// fields at their widths, that what the host writes lands in exactly those fields, and that a
// read followed by a write gives the host back what it sent.

#include "RecordingServer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace corvane::testing {

/// One model field as the host should see it: its address and width.
struct FieldSpan {
    const void* Address;
    std::size_t Width;
    std::string Name;
};

template <typename Field> FieldSpan SpanOf(const Field& field, std::string name) {
    return {&field, sizeof(Field), std::move(name)};
}

#define MODEL_FIELD(object, field) ::corvane::testing::SpanOf((object).field, #field)

using Fields = std::vector<FieldSpan>;
using Bytes = std::vector<std::uint8_t>;

/// The arguments from firstPointer on are exactly the given fields, in order, at their widths.
inline void ExpectFieldPointers(const recording::Call& call, std::size_t firstPointer,
                                const Fields& fields) {
    ASSERT_EQ(call.Args.size(), firstPointer + fields.size()) << call.Name;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const recording::Arg& arg = call.Args[firstPointer + i];
        EXPECT_TRUE(arg.IsPointer) << call.Name << " argument for " << fields[i].Name;
        EXPECT_EQ(call.Address(firstPointer + i), fields[i].Address)
            << call.Name << " argument for " << fields[i].Name;
        EXPECT_EQ(arg.PointeeSize, fields[i].Width) << call.Name << " width of " << fields[i].Name;
    }
}

/// After recording::FillPointees(call, seed): each field holds its own run of the sequence.
inline void ExpectFilledInOrder(const Fields& fields, std::uint8_t seed) {
    for (const FieldSpan& field : fields) {
        const auto* bytes = static_cast<const std::uint8_t*>(field.Address);
        for (std::size_t b = 0; b < field.Width; ++b) {
            ASSERT_EQ(bytes[b], seed) << field.Name << " byte " << b;
            ++seed;
        }
    }
}

/// The bytes behind every pointer argument, as they are while the call runs.
inline std::vector<Bytes> PointeeBytes(const recording::Call& call) {
    std::vector<Bytes> all;
    for (std::size_t i = 0; i < call.Args.size(); ++i) {
        if (call.Args[i].IsPointer) {
            const auto* start = call.Ptr<const std::uint8_t>(i);
            all.emplace_back(start, start + call.Args[i].PointeeSize);
        }
    }
    return all;
}

/// A model object built in storage of known content, so that a byte compare of the whole object
/// (padding included) shows every byte an exchange touched.
template <typename T> class Placed {
public:
    explicit Placed(std::uint32_t handle) {
        std::memset(storage_, 0xA5, sizeof storage_);
        object_ = ::new (static_cast<void*>(storage_)) T(handle);
    }
    ~Placed() { object_->~T(); }
    Placed(const Placed&) = delete;
    Placed& operator=(const Placed&) = delete;

    T& operator*() { return *object_; }
    T* operator->() { return object_; }
    Bytes Snapshot() const { return Bytes(storage_, storage_ + sizeof(T)); }

    /// Every byte of the object outside the given fields is as in the snapshot.
    void ExpectUnchangedOutside(const Bytes& before, const Fields& fields) const {
        const Bytes after = Snapshot();
        for (std::size_t offset = 0; offset < sizeof(T); ++offset) {
            const auto address = reinterpret_cast<std::uintptr_t>(storage_ + offset);
            bool inField = false;
            for (const FieldSpan& field : fields) {
                const auto start = reinterpret_cast<std::uintptr_t>(field.Address);
                inField = inField || (address >= start && address < start + field.Width);
            }
            if (!inField) {
                ASSERT_EQ(after[offset], before[offset]) << "byte " << offset << " changed";
            }
        }
    }

private:
    alignas(T) std::uint8_t storage_[sizeof(T)];
    T* object_ = nullptr;
};

/// Names of the recorded calls, in order.
inline std::vector<std::string> RecordedNames() {
    std::vector<std::string> names;
    for (const auto& call : recording::Calls()) {
        names.push_back(call.Name);
    }
    return names;
}

/// A handler that fills the call's pointees from seed and answers result.
inline recording::Handler Filling(std::uint8_t seed, std::int64_t result = 0) {
    return [seed, result](const recording::Call& call) {
        recording::FillPointees(call, seed);
        return result;
    };
}

} // namespace corvane::testing
