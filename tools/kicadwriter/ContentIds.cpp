#include "kicadwriter/ContentIds.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <utility>

namespace corvane::cli::kicad {
namespace {

// 64-bit FNV-1a over the bytes, from the given basis.
std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// Writes the value's last digits (an even number) in lowercase hex at the place given, a byte
// at a time from a table; returns the end.
char* PutHex(char* at, std::uint64_t value, std::size_t digits) {
    static constexpr std::array<char, 512> pairs = [] {
        constexpr std::string_view hex = "0123456789abcdef";
        std::array<char, 512> table{};
        for (std::size_t i = 0; i < 256; ++i) {
            table[2 * i] = hex[i >> 4];
            table[2 * i + 1] = hex[i & 0xF];
        }
        return table;
    }();
    for (std::size_t i = digits / 2; i-- > 0; value >>= 8) {
        std::memcpy(at + 2 * i, &pairs[2 * static_cast<std::size_t>(value & 0xFF)], 2);
    }
    return at + digits;
}

} // namespace

namespace {

// The key the table counts a text by.
std::uint64_t KeyOf(const ContentHash& content) {
    return content.First() ^ (content.Second() << 1);
}

std::size_t HomeOf(std::uint64_t hash, std::size_t mask) {
    return static_cast<std::size_t>((hash ^ (hash >> 29)) & mask);
}

// The table's slots for that many keys, filled up to 4/5.
std::size_t SlotsFor(std::size_t keys) {
    std::size_t slots = 1024;
    while (5 * keys > 4 * slots) {
        slots *= 2;
    }
    return slots;
}

} // namespace

// New hashes gathered before they go into the table.
constexpr std::size_t PendingKeys = 4096;
// Bits of the filter for a slot of the table: few enough wrong "maybe" answers that looking up
// stays rare.
constexpr std::size_t FilterBitsPerSlot = 8;

void ContentIds::Reserve(std::size_t texts) {
    if (SlotsFor(texts) > keys_.size()) {
        Grow(SlotsFor(texts));
    }
}

std::pair<std::size_t, std::size_t> ContentIds::FilterBits(std::uint64_t hash) const {
    const std::size_t mask = filter_.size() * 64 - 1;
    return {static_cast<std::size_t>(hash >> 7) & mask,
            static_cast<std::size_t>(hash >> 37) & mask};
}

std::uint32_t ContentIds::Count(std::uint64_t hash) {
    if (hash == 0) {
        return zeroCount_++;
    }
    if (SlotsFor(used_ + pending_.size() + 1) > keys_.size()) {
        Flush();
        Grow(SlotsFor(used_ + 1));
    }
    const auto [a, b] = FilterBits(hash);
    const bool maybeSeen =
        ((filter_[a / 64] >> (a % 64)) & 1) != 0 && ((filter_[b / 64] >> (b % 64)) & 1) != 0;
    if (!maybeSeen) {
        filter_[a / 64] |= std::uint64_t{1} << (a % 64);
        filter_[b / 64] |= std::uint64_t{1} << (b % 64);
        pending_.push_back(hash);
        if (pending_.size() >= PendingKeys) {
            Flush();
        }
        return 0;
    }
    Flush();
    const std::size_t mask = keys_.size() - 1;
    std::size_t at = HomeOf(hash, mask);
    while (keys_[at] != 0 && keys_[at] != hash) {
        at = (at + 1) & mask;
    }
    if (keys_[at] == 0) {
        keys_[at] = hash;
        ++used_;
        return 0;
    }
    return ++repeats_[hash];
}

void ContentIds::Insert(std::uint64_t hash) {
    const std::size_t mask = keys_.size() - 1;
    std::size_t at = HomeOf(hash, mask);
    while (keys_[at] != 0) {
        at = (at + 1) & mask;
    }
    keys_[at] = hash;
    ++used_;
}

void ContentIds::Flush() {
    // The slots of the hashes a few ahead are asked for early, so that their waits overlap.
    constexpr std::size_t Ahead = 16;
    const std::size_t mask = keys_.size() - 1;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        if (i + Ahead < pending_.size()) {
            __builtin_prefetch(&keys_[HomeOf(pending_[i + Ahead], mask)]);
        }
        Insert(pending_[i]);
    }
    pending_.clear();
}

void ContentIds::Grow(std::size_t slots) {
    Flush();
    const std::vector<std::uint64_t> old = std::move(keys_);
    keys_.assign(slots, 0);
    used_ = 0;
    for (const std::uint64_t key : old) {
        if (key != 0) {
            Insert(key);
        }
    }
    // The filter is made again for the larger table.
    filter_.assign(slots * FilterBitsPerSlot / 64, 0);
    for (const std::uint64_t key : keys_) {
        if (key != 0) {
            const auto [a, b] = FilterBits(key);
            filter_[a / 64] |= std::uint64_t{1} << (a % 64);
            filter_[b / 64] |= std::uint64_t{1} << (b % 64);
        }
    }
}

ContentHash& ContentHash::Add(std::string_view bytes) {
    // The two hashes in one loop, which the processor runs side by side.
    std::uint64_t first = first_, second = second_;
    for (const char c : bytes) {
        first = (first ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
        second = (second ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    first_ = first;
    second_ = second;
    return *this;
}

ContentHash& ContentHash::AddBoth(ContentHash& other, std::string_view bytes) {
    // Four hashes in one loop, which the processor runs side by side.
    std::uint64_t first = first_, second = second_;
    std::uint64_t otherFirst = other.first_, otherSecond = other.second_;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        first = (first ^ byte) * 0x100000001b3ULL;
        second = (second ^ byte) * 0x100000001b3ULL;
        otherFirst = (otherFirst ^ byte) * 0x100000001b3ULL;
        otherSecond = (otherSecond ^ byte) * 0x100000001b3ULL;
    }
    first_ = first;
    second_ = second;
    other.first_ = otherFirst;
    other.second_ = otherSecond;
    return *this;
}

void ContentIds::Prefetch(const ContentHash& content) const {
    const std::uint64_t hash = KeyOf(content);
    if (!filter_.empty()) {
        const auto [a, b] = FilterBits(hash);
        __builtin_prefetch(&filter_[a / 64]);
        __builtin_prefetch(&filter_[b / 64]);
        __builtin_prefetch(&keys_[HomeOf(hash, keys_.size() - 1)]);
    }
}

std::string ContentIds::For(std::string_view content) {
    return std::string(For(ContentHash().Add(content)).View());
}

ContentId ContentIds::For(const ContentHash& content) {
    const std::uint64_t first = content.First(), second = content.Second();
    // The salt: '#' and the count in decimal.
    std::array<char, 16> salt{'#'};
    const char* saltEnd =
        std::to_chars(salt.data() + 1, salt.data() + salt.size(), Count(KeyOf(content))).ptr;
    const std::string_view saltText(salt.data(), static_cast<std::size_t>(saltEnd - salt.data()));
    const std::uint64_t high = Fnv1a(saltText, first);
    const std::uint64_t low = Fnv1a(saltText, second);
    // Version 8 (made by the program's own rule), variant 10.
    ContentId id{};
    char* at = PutHex(id.Text.data(), high >> 32, 8);
    *at++ = '-';
    at = PutHex(at, (high >> 16) & 0xFFFF, 4);
    *at++ = '-';
    at = PutHex(at, 0x8000 | (high & 0x0FFF), 4);
    *at++ = '-';
    at = PutHex(at, 0x8000 | ((low >> 48) & 0x3FFF), 4);
    *at++ = '-';
    PutHex(at, low & 0xFFFFFFFFFFFFULL, 12);
    return id;
}

} // namespace corvane::cli::kicad
