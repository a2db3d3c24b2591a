#pragma once
// The KiCad layers of a board and where each host layer goes: copper in stack order, the
// technical layers by what they hold. docs/kicad-export.md gives the table and its reasons.

#include "boardfacts/HostLayers.h"
#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::cli::kicad {

/// One copper layer of the KiCad board.
struct CopperLayer {
    int Number = 0;        // KiCad's number: 0 "F.Cu", 1 to 30 "In1.Cu" to "In30.Cu", 31 "B.Cu"
    std::string Name;      // "F.Cu", "In1.Cu", …, "B.Cu"
    std::string HostLayer; // the host's top, mid, plane or bottom layer whose copper it holds;
                           // empty for the layer that only makes the count even
    bool Plane = false;    // an internal plane: a power layer in KiCad
    NetName PlaneNet;      // the plane's net
};

/// A set of copper layers: bit i stands for CopperLayers()[i].
using CopperMask = std::uint64_t;

class LayerMap {
public:
    /// The stack: "F.Cu", then the used mid layers in number order, then the internal planes in
    /// the host's stack order, then "B.Cu". A mid layer is used when an object lies on it or a via
    /// ends on it; a plane when it has a net or objects. KiCad has 30 inner layers; layers beyond
    /// them are left out and their objects go to "Cmts.User". KiCad's boards have an even number
    /// of copper layers: an odd stack gets an empty inner signal layer above "B.Cu".
    static LayerMap ForBoard(const BoardStore& board);
    static LayerMap ForBoard(const Board& board);

    const std::vector<CopperLayer>& CopperLayers() const { return copper_; }

    /// The KiCad copper layer of a host copper layer; nullptr for any other.
    const CopperLayer* CopperOf(const std::string& hostLayer) const;

    /// The copper layers a host layer stands for: its own, every one for "MultiLayer", none for
    /// the other layers.
    CopperMask CopperOn(const std::string& hostLayer) const;

    /// The copper layers from one to the other in stack order, both included; every layer when
    /// either end is not copper.
    CopperMask Span(const std::string& from, const std::string& to) const;

    CopperMask AllCopper() const;

    /// The KiCad layer of a host layer that is not copper ("TopOverlay" -> "F.SilkS"); also the
    /// layer of copper layers KiCad has no room for.
    std::string NonCopperLayer(const std::string& hostLayer) const;

    /// The KiCad layer of any single host layer: its copper layer or NonCopperLayer.
    std::string LayerOf(const std::string& hostLayer) const;

private:
    std::vector<CopperLayer> copper_;
};

/// The host layer on which boards of this format draw their edge by default.
inline constexpr const char* DefaultEdgeLayer = KeepOutLayerName.data();

/// Every KiCad layer that is not copper, with its number and KiCad's own description, in the
/// order of the file's layer list.
struct NonCopperLayerInfo {
    int Number;
    const char* Name;
    const char* Description; // nullptr when KiCad writes none
};
const std::vector<NonCopperLayerInfo>& NonCopperLayers();

} // namespace corvane::cli::kicad
