#pragma once
// Helpers to drive one query entry of the server with a tuple of fields, one per pointer the entry
// takes after its mode and handle: fill the fields with distinct values, write them, read them back
// into fresh fields and compare, byte for byte for values and by content for short strings.

#include "contract/HalvexHost.h"
#include "contract/PcbApiEntries.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>

namespace servertest {

using corvane::HostHandle;

inline constexpr std::uint8_t Write = corvane::ExchangeWrite;
inline constexpr std::uint8_t Read = corvane::ExchangeRead;

/// Fills a value with consecutive byte values from seed on.
template <typename T> void Pattern(T& value, std::uint8_t& seed) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = seed++;
    }
}

/// Fills a short string with a text as long as it can hold, made from seed.
template <std::size_t N> void Pattern(corvane::ShortString<N>& value, std::uint8_t& seed) {
    std::string text;
    while (text.size() < N) {
        text += static_cast<char>('A' + seed++ % 26);
    }
    value.Assign(text);
}

/// A tuple of fields with distinct values.
template <typename... F> std::tuple<F...> Patterned(std::uint8_t seed = 1) {
    std::tuple<F...> fields{};
    std::apply([&seed](auto&... field) { (Pattern(field, seed), ...); }, fields);
    return fields;
}

template <typename T> bool SameField(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}
template <std::size_t N>
bool SameField(const corvane::ShortString<N>& a, const corvane::ShortString<N>& b) {
    return a.View() == b.View();
}

/// Calls entry(mode, handle, &field...) and returns its status.
template <typename Entry, typename... F>
std::int32_t Exchange(Entry entry, std::uint8_t mode, HostHandle handle, std::tuple<F...>& fields) {
    return std::apply([&](auto&... field) { return entry(mode, handle, &field...); }, fields);
}

/// The index of every field that differs.
template <typename... F>
std::string DifferingFields(const std::tuple<F...>& expected, const std::tuple<F...>& actual) {
    std::string differing;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        ((SameField(std::get<I>(expected), std::get<I>(actual))
              ? void()
              : void(differing += " " + std::to_string(I))),
         ...);
    }
    (std::index_sequence_for<F...>{});
    return differing;
}

/// Writes the fields, reads them back into zeroed fields and expects the same values.
template <typename Entry, typename... F>
void ExpectRoundTrip(Entry entry, HostHandle handle, std::tuple<F...> written) {
    const auto sent = written;
    ASSERT_EQ(HALVEX_STATUS_OK, Exchange(entry, Write, handle, written));
    EXPECT_EQ("", DifferingFields(sent, written)) << "a write changed the caller's fields";
    std::tuple<F...> read{};
    ASSERT_EQ(HALVEX_STATUS_OK, Exchange(entry, Read, handle, read));
    EXPECT_EQ("", DifferingFields(sent, read)) << "fields (by position) that did not come back";
}

/// Expects a read and a write through a bad handle to be refused with a non-zero status and to
/// leave the caller's fields as they were.
template <typename Entry, typename... F>
void ExpectRefused(Entry entry, HostHandle badHandle, std::tuple<F...> fields) {
    const auto before = fields;
    EXPECT_NE(HALVEX_STATUS_OK, Exchange(entry, Read, badHandle, fields));
    EXPECT_EQ("", DifferingFields(before, fields)) << "a refused read wrote fields";
    EXPECT_NE(HALVEX_STATUS_OK, Exchange(entry, Write, badHandle, fields));
    EXPECT_EQ("", DifferingFields(before, fields)) << "a refused write changed fields";
}

/// The fields of a read.
template <typename... F, typename Entry>
std::tuple<F...> ReadFields(Entry entry, HostHandle handle) {
    std::tuple<F...> fields{};
    EXPECT_EQ(HALVEX_STATUS_OK, Exchange(entry, Read, handle, fields));
    return fields;
}

} // namespace servertest
