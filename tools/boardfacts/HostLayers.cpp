#include "boardfacts/HostLayers.h"

#include <algorithm>
#include <array>

namespace corvane::cli {
namespace {

// The host's layers that are not of a numbered family, as the host's layer table names them.
constexpr std::array<std::string_view, 21> FixedHostLayers = {
    "NoLayer",        TopLayerName,     BottomLayerName, "TopOverlay",   "BottomOverlay",
    "TopPaste",       "BottomPaste",    "TopSolder",     "BottomSolder", "DrillGuide",
    KeepOutLayerName, "DrillDrawing",   MultiLayerName,  "ConnectLayer", "BackGroundLayer",
    "DRCErrorLayer",  "HighlightLayer", "GridColor1",    "GridColor10",  "PadHoleLayer",
    "ViaHoleLayer"};

constexpr std::array<HostLayerFamily, 3> HostLayerFamilies = {MidLayers, InternalPlanes,
                                                              MechanicalLayers};

std::string LowerCaseAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

} // namespace

int LayerNumberIn(const HostLayerFamily& family, std::string_view name) {
    const std::string_view prefix = family.Prefix;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix ||
        name.size() > prefix.size() + 2 || name[prefix.size()] == '0') {
        return 0;
    }
    int number = 0;
    for (const char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number <= family.Last ? number : 0;
}

std::string LayerNameIn(const HostLayerFamily& family, int number) {
    return std::string(family.Prefix) + std::to_string(number);
}

bool IsHostLayerName(std::string_view name) {
    return std::find(FixedHostLayers.begin(), FixedHostLayers.end(), name) !=
               FixedHostLayers.end() ||
           std::any_of(
               HostLayerFamilies.begin(), HostLayerFamilies.end(),
               [&](const HostLayerFamily& family) { return LayerNumberIn(family, name) != 0; });
}

std::string HostLayerNameInAnyCase(std::string_view name) {
    const std::string lower = LowerCaseAscii(name);
    for (const std::string_view fixed : FixedHostLayers) {
        if (LowerCaseAscii(fixed) == lower) {
            return std::string(fixed);
        }
    }
    for (const HostLayerFamily& family : HostLayerFamilies) {
        if (lower.rfind(LowerCaseAscii(family.Prefix), 0) == 0) {
            const std::string candidate =
                std::string(family.Prefix) + std::string(name.substr(family.Prefix.size()));
            return IsHostLayerName(candidate) ? candidate : std::string();
        }
    }
    return {};
}

std::string HostLayerNamesText() {
    std::string text;
    for (const std::string_view fixed : FixedHostLayers) {
        text += (text.empty() ? "" : ", ") + std::string(fixed);
    }
    for (const HostLayerFamily& family : HostLayerFamilies) {
        text += ", " + std::string(family.Prefix) + "1.." + LayerNameIn(family, family.Last);
    }
    return text;
}

} // namespace corvane::cli
