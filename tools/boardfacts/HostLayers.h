#pragma once
// The host's layers by name: the fixed ones, the numbered families, and the side of the board a
// layer puts a component on.

#include <string>
#include <string_view>

namespace corvane::cli {

inline constexpr std::string_view TopLayerName = "TopLayer";
inline constexpr std::string_view BottomLayerName = "BottomLayer";
inline constexpr std::string_view MultiLayerName = "MultiLayer";
inline constexpr std::string_view KeepOutLayerName = "KeepOutLayer";

/// A numbered family of host layers: its name before the number and its last number
/// ("MidLayer1" … "MidLayer30").
struct HostLayerFamily {
    std::string_view Prefix;
    int Last;
};
inline constexpr HostLayerFamily MidLayers{"MidLayer", 30};
inline constexpr HostLayerFamily InternalPlanes{"InternalPlane", 16};
inline constexpr HostLayerFamily MechanicalLayers{"Mechanical", 16};

/// The number of a layer of the family within 1..Last ("MidLayer12" gives 12), else 0.
int LayerNumberIn(const HostLayerFamily& family, std::string_view name);

/// The name of the family's layer of that number ("MidLayer" and 12 give "MidLayer12").
std::string LayerNameIn(const HostLayerFamily& family, int number);

/// The side of the board a component lies on: the bottom when its layer is the bottom copper.
enum class BoardSide { Top, Bottom };
inline BoardSide SideOfLayer(std::string_view layer) {
    return layer == BottomLayerName ? BoardSide::Bottom : BoardSide::Top;
}
inline bool OnBottomSide(std::string_view layer) {
    return SideOfLayer(layer) == BoardSide::Bottom;
}

/// True for the host's layer names ("TopLayer", "MidLayer1" … "MidLayer30", "InternalPlane1" …
/// "InternalPlane16", "Mechanical1" … "Mechanical16", "KeepOutLayer", …).
bool IsHostLayerName(std::string_view name);

/// The host's layer name that equals name but for the case of its letters ("keepoutlayer" gives
/// "KeepOutLayer"); empty when there is none.
std::string HostLayerNameInAnyCase(std::string_view name);

/// The host's layer names for people: "NoLayer, TopLayer, …, MidLayer1..MidLayer30, …".
std::string HostLayerNamesText();

} // namespace corvane::cli
