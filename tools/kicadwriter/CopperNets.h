#pragma once
// Nets of the copper the import left without one. The import joins pads to nets; the tracks,
// arcs, vias and fills between them carry no net. KiCad checks every piece of copper against the
// others by net (never copper without a net against copper without one), so each piece without a
// net takes the net of the copper it touches, and copper that no net reaches gets a net of its own.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"
#include "boardmodel/StringPool.h"
#include "kicadwriter/KicadLayers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli::kicad {

class PadForms;

/// The kinds of objects that carry a net, in the order of their slots.
enum class CopperKind : std::uint8_t { Track, Arc, Via, Pad, Fill };
inline constexpr std::size_t CopperKinds = 5;

/// The net of every object that can carry one, by a number per object (0: no net) beside the
/// board rather than in a copy of it; and how many nets were derived from the copper.
/// Container 0 holds the free objects, container 1 + i the objects of component i.
struct CopperNets {
    std::vector<std::size_t> Offsets; // first slot of each container's kind
    std::vector<std::uint32_t> Ids;   // net of each object, by slot
    std::size_t Derived = 0;

    std::uint32_t IdOf(std::size_t container, CopperKind kind, std::size_t index) const;
    NetName Of(std::size_t container, CopperKind kind, std::size_t index) const;
    std::string_view Name(std::uint32_t id) const { return names_.View(id - 1); }
    /// How many nets there are: the ids are 1 to Count().
    std::size_t Count() const { return names_.Size(); }
    /// The number of a net name, 0 for a name that is not in use.
    std::uint32_t IdOfName(std::string_view name) const;
    /// The number of a net, given one when it is new; 0 for no net.
    std::uint32_t Intern(const NetName& net);
    std::uint32_t Intern(std::string_view name);

private:
    StringPool names_; // net i is name i - 1
};

/// The net of each copper object of the board that has none taken from the objects it is
/// joined to on a shared copper layer: tracks, arcs, vias, pads and fills, free or in components.
/// Two objects are joined when an end of a track or arc, the centre of a via or pad, or a corner
/// or the centre of a fill lies on the other, as KiCad joins them. A group that reaches pads of
/// two or more nets (a short on the board) or none gives its objects no net. Objects with a net
/// keep it; internal planes join nothing (they join pads by net).
/// With deriveNets, a group that reaches no net and joins a pad to other copper (another pad, a
/// track...) becomes a net of its own, named as KiCad names a net without a name after its first
/// pad in natural order: "Net-(R1-Pad1)" (a free pad's footprint is referred to by the pad's
/// name). A pad that touches nothing and copper that joins no pad stay without a net.
CopperNets WithCopperNets(const BoardStore& board, const LayerMap& layers, bool deriveNets);
/// The same, with the pads' forms asked of padForms, which the KiCad board's footprints then ask
/// again.
CopperNets WithCopperNets(const BoardStore& board, const LayerMap& layers, PadForms& padForms,
                          bool deriveNets);
CopperNets WithCopperNets(const Board& board, const LayerMap& layers, bool deriveNets);

} // namespace corvane::cli::kicad
