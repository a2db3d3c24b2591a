#include "placement/UninferredParts.h"

#include "textformat/NaturalOrder.h"

#include <algorithm>

namespace corvane::cli {

std::string UninferredPartsLine(std::vector<std::string> parts) {
    if (parts.empty()) {
        return {};
    }
    std::stable_sort(parts.begin(), parts.end(), NaturalLess);
    std::string line = "Placement:   " + std::to_string(parts.size()) +
                       (parts.size() == 1 ? " part" : " parts") + " with no inferred rotation: ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        line += (i == 0 ? "" : ", ") + parts[i];
    }
    return line;
}

} // namespace corvane::cli
