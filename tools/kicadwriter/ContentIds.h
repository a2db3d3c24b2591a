#pragma once
// The identifiers of the KiCad board's objects, made from their own text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvane::cli::kicad {

/// The 64-bit FNV-1a hashes an identifier is made from, from two bases, fed a piece at a time:
/// the pieces give the same hashes as their concatenation, without it being made.
class ContentHash {
public:
    ContentHash& Add(std::string_view bytes);
    /// Adds the bytes to this hash and to another in one pass: the text of a footprint's item
    /// is hashed for the item and for its footprint at once.
    ContentHash& AddBoth(ContentHash& other, std::string_view bytes);

    std::uint64_t First() const { return first_; }
    std::uint64_t Second() const { return second_; }

private:
    std::uint64_t first_ = 0xcbf29ce484222325ULL;
    std::uint64_t second_ = 0x84222325cbf29ce4ULL;
};

/// An identifier's text, a UUID, kept without allocation.
struct ContentId {
    std::array<char, 36> Text;
    std::string_view View() const { return {Text.data(), Text.size()}; }
};

/// The identifiers KiCad gives every object ("tstamp"), derived from the object's own text so
/// that the same board always gives the same file: a hash of the text and of how many objects
/// with the same text came before, in the form of a UUID.
class ContentIds {
public:
    std::string For(std::string_view content);
    /// The identifier of the text whose hashes these are.
    ContentId For(const ContentHash& content);
    /// Asks for the memory For will read for those hashes, so that it is near when For comes.
    void Prefetch(const ContentHash& content) const;

    /// Room for about this many identifiers, made at once rather than grown into.
    void Reserve(std::size_t texts);

private:
    /// How many texts of this hash came before this one.
    std::uint32_t Count(std::uint64_t hash);
    void Grow(std::size_t slots);
    /// Puts the keys known to be new into the table.
    void Flush();
    void Insert(std::uint64_t hash);
    /// The bits of the filter that stand for a hash.
    std::pair<std::size_t, std::size_t> FilterBits(std::uint64_t hash) const;

    // Open addressing, linear probing: a board has about one distinct text per object, so the
    // table holds the hash of each text seen and nothing else (filled up to 4/5); the texts seen
    // more than once are counted beside it. Key 0 is the empty slot; a hash of 0 is counted
    // apart.
    std::vector<std::uint64_t> keys_;
    std::size_t used_ = 0;
    // A hash the table is asked for lands anywhere in it, and waiting for that memory was most of
    // the cost of an identifier. A filter of a few bits a hash, small enough to stay near the
    // processor, tells most new hashes for sure; those wait in pending_ and go into the table
    // together, where their waits overlap. Only a hash the filter may have seen is looked up.
    std::vector<std::uint64_t> filter_;                        // bits
    std::vector<std::uint64_t> pending_;                       // new hashes not yet in keys_
    std::unordered_map<std::uint64_t, std::uint32_t> repeats_; // texts seen before, how often
    std::uint32_t zeroCount_ = 0;
};

} // namespace corvane::cli::kicad
