#include "kicadwriter/KicadSections.h"

#include "boardfacts/HostLayers.h"

#include <string>

namespace corvane::cli::kicad {
namespace {

// What the sections take of a record's layer, by the layer's string.
struct RecordLayer {
    bool Known = false;
    bool KeepOut = false;
    CopperMask Copper = 0;
};

class Sorter {
public:
    Sorter(const BoardStore& board, const LayerMap& layers, const CopperNets& nets,
           const EdgeOutline& outline)
        : board_(board), layers_(layers), nets_(nets), outline_(outline) {}

    void Container(const StoredPrimitives& p, std::size_t container,
                   SectionMap::KindSections& into) {
        const bool free = container == 0;
        // Graphics inside a footprint go in it, the others on the board.
        const Section graphics = SectionMap::TextsOf(free);
        const auto lineIn = [&](stored::StringId layer, bool edge) {
            return edge                         ? Section::Graphics
                   : LayerOf(layer).Copper == 0 ? graphics
                                                : Section::Tracks;
        };
        for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
            into.Tracks[p.Tracks.Start() + i] =
                lineIn(p.Tracks.RecordAt(i).Layer, free && outline_.Tracks[i]);
        }
        for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
            into.Arcs[p.Arcs.Start() + i] =
                lineIn(p.Arcs.RecordAt(i).Layer, free && outline_.Arcs[i]);
        }
        for (std::size_t i = 0; i < p.Fills.size(); ++i) {
            const RecordLayer& layer = LayerOf(p.Fills.RecordAt(i).Layer);
            const bool ofNet = nets_.IdOf(container, CopperKind::Fill, i) != 0;
            into.Fills[p.Fills.Start() + i] =
                layer.KeepOut || (layer.Copper != 0 && ofNet) ? Section::Zones : graphics;
        }
    }

private:
    const RecordLayer& LayerOf(stored::StringId layer) {
        if (layer >= known_.size()) {
            known_.resize(layer + 1);
        }
        RecordLayer& known = known_[layer];
        if (!known.Known) {
            const std::string name(board_.String(layer));
            known = {true, name == KeepOutLayerName, layers_.CopperOn(name)};
        }
        return known;
    }

    const BoardStore& board_;
    const LayerMap& layers_;
    const CopperNets& nets_;
    const EdgeOutline& outline_;
    std::vector<RecordLayer> known_; // by the layer's string
};

void SizeFor(const stored::Records& records, SectionMap::KindSections& sections) {
    sections.Tracks.resize(records.Tracks.size());
    sections.Arcs.resize(records.Arcs.size());
    sections.Fills.resize(records.Fills.size());
}

} // namespace

SectionMap::SectionMap(const BoardStore& board, const LayerMap& layers, const CopperNets& nets,
                       const EdgeOutline& outline) {
    SizeFor(board.FreeRecords(), free_);
    SizeFor(board.ChildRecords(), children_);
    Sorter sorter(board, layers, nets, outline);
    sorter.Container(board.Free(), 0, free_);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        sorter.Container(board.ChildrenOf(i), i + 1, children_);
    }
}

} // namespace corvane::cli::kicad
