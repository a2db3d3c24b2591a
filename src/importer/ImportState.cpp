#include "importer/ImportState.h"

#include "importer/NodeIndex.h"

#include <limits>

namespace corvane {

std::unique_ptr<NodeLookup> MakeNodeIndex(HostHandle board) {
    return std::make_unique<NodeIndex>(board);
}

std::int32_t ScanCounts::LoadingTotal() const {
    const std::int64_t sum = std::int64_t{Components} + Tracks + Vias + Pads + Strings + Arcs +
                             Fills + NetDefinitions + Nodes + BlockLines;
    constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(sum > most ? most : sum);
}

ImportState& ModuleImportState() {
    static ImportState state;
    return state;
}

void CountOne(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max()) {
        ++counter;
    }
}

} // namespace corvane
