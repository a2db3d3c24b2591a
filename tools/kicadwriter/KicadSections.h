#pragma once
// The parts of the KiCad board after its nets, and the part each object of the board goes in.

#include "boardmodel/BoardStore.h"
#include "kicadwriter/BoardOutline.h"
#include "kicadwriter/CopperNets.h"
#include "kicadwriter/KicadLayers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane::cli::kicad {

/// The parts of the file after the nets, in file order. Each is written by its own pass over the
/// board, so that nothing but the footprint being made is held.
enum class Section : std::uint8_t { Footprints, Graphics, Tracks, Zones };
inline constexpr std::array<Section, 4> Sections = {Section::Footprints, Section::Graphics,
                                                    Section::Tracks, Section::Zones};

/// The section of every primitive of the board, decided once for the four passes. A component's
/// graphics, texts and pads go in its footprint, a free one's graphics and texts on the board,
/// and a free pad is a footprint of its own. Copper lines, arcs and vias are tracks, in or out of
/// a footprint (KiCad's footprints hold none); so are the edge's lines and arcs graphics. Fills
/// of a net and keep-out fills are zones, the other fills graphics.
class SectionMap {
public:
    SectionMap(const BoardStore& board, const LayerMap& layers, const CopperNets& nets,
               const EdgeOutline& outline);

    /// The sections of one container's kinds by their place among the container's records
    /// (StoredColumn::Start() + index); the kinds that always go in one section have none.
    struct KindSections {
        std::vector<Section> Tracks, Arcs, Fills;
    };
    const KindSections& Of(bool free) const { return free ? free_ : children_; }

    static constexpr Section TextsOf(bool free) {
        return free ? Section::Graphics : Section::Footprints;
    }
    static constexpr Section Vias = Section::Tracks;
    static constexpr Section Pads = Section::Footprints;

private:
    KindSections free_, children_;
};

} // namespace corvane::cli::kicad
