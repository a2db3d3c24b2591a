#include "HostRules.h"

#include "contract/HalvexHost.h"

namespace halvex {

HostRules HostRulesFromText(std::string_view text) {
    HostRules rules;
    constexpr std::string_view separators = ", \t";
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(separators);
        if (start == std::string_view::npos) {
            break;
        }
        text.remove_prefix(start);
        const std::size_t end = text.find_first_of(separators);
        const std::string_view word = text.substr(0, end);
        if (word == "newest-first") {
            rules.NewestFirst = true;
        } else if (word == "multilayer-pads-on-copper") {
            rules.MultiLayerPadsOnCopper = true;
        }
        text.remove_prefix(word.size());
    }
    return rules;
}

std::uint32_t HostRuleFlags(const HostRules& rules) {
    return (rules.NewestFirst ? HALVEX_RULE_NEWEST_FIRST : 0u) |
           (rules.MultiLayerPadsOnCopper ? HALVEX_RULE_MULTILAYER_PADS_ON_COPPER : 0u);
}

HostRules HostRulesFromFlags(std::uint32_t flags) {
    return {(flags & HALVEX_RULE_NEWEST_FIRST) != 0,
            (flags & HALVEX_RULE_MULTILAYER_PADS_ON_COPPER) != 0};
}

} // namespace halvex
