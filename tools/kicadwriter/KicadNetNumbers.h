#pragma once
// The numbers of the KiCad board's nets: 0 for no net, then one a net in the order the board
// first names them.

#include "boardmodel/BoardStore.h"
#include "kicadwriter/CopperNets.h"

#include <cstdint>
#include <vector>

namespace corvane::cli::kicad {

class NetNumbers {
public:
    /// Numbers the nets that something of the board has: the board's nets in their order, the
    /// planes' nets, then the nets the copper was given (derived ones) in the store's order.
    NetNumbers(const BoardStore& board, const CopperNets& nets);

    /// The number of a net id; 0 for a net nothing has.
    int Of(std::uint32_t id) const { return numbers_[id]; }
    /// The net ids in the order of their numbers, from 1.
    const std::vector<std::uint32_t>& Order() const { return order_; }

private:
    std::vector<int> numbers_;         // by net id
    std::vector<std::uint32_t> order_; // net ids in the order of their numbers
};

} // namespace corvane::cli::kicad
