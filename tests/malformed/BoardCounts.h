#pragma once
// What an import left on a board of the substitute server, counted by kind.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace malformedtest {

/// The kinds an import can put on a board, by the names the outcome table uses.
inline constexpr std::array<std::string_view, 9> KindNames = {
    "track", "via", "pad", "arc", "fill", "text", "component", "net", "other"};

struct BoardCounts {
    std::array<int, KindNames.size()> Objects{}; // board members by kind, in KindNames order
    int ComponentChildren = 0;                   // primitives held by the components, together
    int NetMembers = 0;                          // pads joined to the nets, together

    bool operator==(const BoardCounts&) const = default;
};

/// The index of a kind name in KindNames, or none.
std::optional<std::size_t> KindIndex(std::string_view name);

/// Counts the members of the board.
BoardCounts CountBoard(std::uint32_t board);

/// The counts as the outcome table writes them ("track=1 component=2 children=3"), zeros left out.
std::string Describe(const BoardCounts& counts);

} // namespace malformedtest
