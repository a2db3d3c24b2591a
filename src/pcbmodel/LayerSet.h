#pragma once
// A set of classic layer numbers, usable in constant expressions.

#include "contract/HostTypes.h"

#include <array>
#include <cstddef>

namespace corvane {

class TLayerSet {
public:
    constexpr TLayerSet() = default;

    /// This set plus the layers first..last.
    constexpr TLayerSet Including(TLayer first, TLayer last) const {
        TLayerSet result = *this;
        for (std::size_t layer = first; layer <= last; ++layer) {
            result.Members[layer] = true;
        }
        return result;
    }

    constexpr bool Contains(TLayer layer) const { return Members[layer]; }

private:
    std::array<bool, 256> Members{};
};

/// Every signal layer and internal plane: the layers that carry copper connections.
inline constexpr TLayerSet ElectricalLayers = TLayerSet{}.Including(1, 32).Including(39, 54);

} // namespace corvane
