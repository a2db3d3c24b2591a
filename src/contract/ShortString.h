#pragma once
// Length-prefixed strings: one length byte, then at most N ANSI characters, no terminator.
// This is the form of every string exchanged with the host and across the exports.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace corvane {

template <std::size_t N> struct ShortString {
    static_assert(N >= 1 && N <= 255, "a length byte holds at most 255");
    static constexpr std::size_t Capacity = N;

    std::uint8_t Length = 0;
    char Chars[N] = {};

    ShortString() = default;
    ShortString(std::string_view text) { Assign(text); }

    /// Stores at most the first N characters of text.
    void Assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), N);
        if (n != 0) { // an empty view may have no storage at all
            std::memcpy(Chars, text.data(), n);
        }
        Length = static_cast<std::uint8_t>(n);
    }

    /// Copies another short string, cutting it to this capacity. A length byte larger than the
    /// source's own capacity (bad host data) is limited to that capacity.
    template <std::size_t M> void AssignFrom(const ShortString<M>& other) { Assign(other.View()); }

    void Clear() { Length = 0; }

    /// The stored characters. A length byte beyond the capacity is never trusted past the buffer.
    std::string_view View() const {
        return std::string_view(Chars, std::min<std::size_t>(Length, N));
    }
    std::string Str() const { return std::string(View()); }
    bool Empty() const { return View().empty(); }

    friend bool operator==(const ShortString& a, const ShortString& b) {
        return a.View() == b.View();
    }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.View() == b; }
};

using String20 = ShortString<20>;   // pad names, layer names
using String250 = ShortString<250>; // component patterns
using String254 = ShortString<254>; // texts
using String255 = ShortString<255>; // everything else

static_assert(sizeof(String20) == 21);
static_assert(sizeof(String250) == 251);
static_assert(sizeof(String254) == 255);
static_assert(sizeof(String255) == 256);
static_assert(alignof(String255) == 1);

} // namespace corvane
