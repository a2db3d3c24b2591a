#pragma once
// The host's pads as KiCad's: through-hole, unplated or surface-mount, their shape and layers.

#include "boardmodel/BoardModel.h"
#include "boardmodel/BoardStore.h"
#include "kicadwriter/KicadLayers.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane::cli::kicad {

/// The chamfer of the octagon: each corner cut as in a regular octagon across the smaller side,
/// 1 - 1/sqrt(2) of that side.
inline constexpr double OctagonChamferRatio = 0.292893;

struct PadForm {
    /// "thru_hole", "np_thru_hole" or "smd".
    std::string Kind;
    /// "circle", "oval", "rect" or "roundrect".
    std::string Shape;
    /// Corner radius over the smaller side, for "roundrect"; 0 for the octagon.
    double RoundRatio = 0;
    /// The octagon: a "roundrect" with its four corners chamfered by OctagonChamferRatio.
    bool Octagon = false;
    /// The KiCad layers of the pad, as the file lists them.
    std::vector<std::string> Layers;
    /// The copper layers the pad is on (none for an unplated hole).
    CopperMask Copper = 0;
    /// An unplated hole has no net.
    bool TakesNet = true;
};

/// A pad with a hole goes through the board: plated on every copper layer with mask on both
/// sides, or unplated when the hole leaves no copper around it (hole as large as the smaller
/// side). A pad without a hole is surface-mount on its layer, with paste and mask on the outer
/// layers; on "MultiLayer" it is on every copper layer with mask on both sides. Shapes: round
/// (circle, or oval when the sides differ), rectangle, octagon (a chamfered rectangle), rounded
/// rectangle; codes without a shape of their own are drawn as rectangles.
PadForm PadFormOf(const Pad& pad, const LayerMap& layers);

/// PadFormOf for the pads of a board, which come in a few forms over and over: each form is
/// worked out once, from the pad's record (and forgotten when there are too many to keep). The
/// copper nets and the footprints of the KiCad board ask the same one.
class PadForms {
public:
    explicit PadForms(const LayerMap& layers) : layers_(layers) {}

    /// The form of the column's i-th pad; valid until the next call.
    const PadForm& Of(const StoredColumn<Pad, stored::PadRecord>& pads, std::size_t i);

    /// Forms kept at most: a board of pads all different would otherwise keep one per pad.
    static constexpr std::size_t MostKept = 4096;

private:
    // What PadFormOf reads of a pad, its layer by the store's string.
    struct Key {
        stored::StringId Layer;
        std::int32_t XSize, YSize, Hole;
        std::uint8_t ShapeCode, CornerPercent;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    const LayerMap& layers_;
    std::unordered_map<Key, PadForm, KeyHash> forms_;
};

} // namespace corvane::cli::kicad
