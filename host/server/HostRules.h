#pragma once
// How the server lists a container's objects. Hosts differ here, and a plug-in must not rely on
// either choice, so the server can take each one: tests run the plug-in under every combination.
// Set by Halvex_SetHostRules (HalvexHost.h) or, when the module is loaded, from the environment
// variable HALVEX_HOST_RULES (see HostRulesFromText).

#include <cstdint>
#include <string_view>

namespace halvex {

struct HostRules {
    /// Containers list their objects newest first instead of in the order they were added.
    bool NewestFirst = false;
    /// A "MultiLayer" pad is also met when a copper layer (signal layers 1..32, internal planes
    /// 39..54) is iterated, not only on layer 74.
    bool MultiLayerPadsOnCopper = false;
};

/// The rules a text names: words "newest-first" and "multilayer-pads-on-copper", separated by
/// commas or blanks; other words are passed over. Empty or absent: the default rules.
HostRules HostRulesFromText(std::string_view text);

/// The rules as the flags of Halvex_SetHostRules, and back.
std::uint32_t HostRuleFlags(const HostRules& rules);
HostRules HostRulesFromFlags(std::uint32_t flags);

} // namespace halvex
