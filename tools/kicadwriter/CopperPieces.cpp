#include "kicadwriter/CopperPieces.h"

#include "kicadwriter/KicadPads.h"

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace corvane::cli::kicad {
namespace {

// Gives every object its slot in the nets' table, with the net it has, and every piece of copper
// a piece.
class Collector {
public:
    Collector(const BoardStore& board, const LayerMap& layers, PadForms& padForms, CopperNets& nets)
        : board_(board), layers_(layers), padForms_(padForms), nets_(nets),
          netOfString_(board.StringCount(), Unknown) {}

    void Add(const StoredPrimitives& p) {
        // The kinds in the order of CopperKind.
        const auto begin = [&](std::size_t count) {
            nets_.Offsets.push_back(nets_.Ids.size());
            nets_.Ids.resize(nets_.Ids.size() + count, 0);
            return nets_.Offsets.back();
        };
        std::size_t slot = begin(p.Tracks.size());
        for (std::size_t i = 0; i < p.Tracks.size(); ++i) {
            const stored::TrackRecord& t = p.Tracks.RecordAt(i);
            CopperPiece piece = NewPiece(CopperKind::Track, slot++, t.Net, CopperOn(t.Layer));
            piece.Record.Track = &t;
            Keep(piece, OutlineOf(t));
        }
        slot = begin(p.Arcs.size());
        for (std::size_t i = 0; i < p.Arcs.size(); ++i) {
            const stored::ArcRecord& a = p.Arcs.RecordAt(i);
            CopperPiece piece = NewPiece(CopperKind::Arc, slot++, a.Net, CopperOn(a.Layer));
            piece.Record.Arc = &a;
            Keep(piece, OutlineOf(a));
        }
        slot = begin(p.Vias.size());
        for (std::size_t i = 0; i < p.Vias.size(); ++i) {
            const stored::ViaRecord& v = p.Vias.RecordAt(i);
            CopperPiece piece =
                NewPiece(CopperKind::Via, slot++, v.Net, Span(v.StartLayer, v.EndLayer));
            piece.Record.Via = &v;
            Keep(piece, OutlineOf(v));
        }
        slot = begin(p.Pads.size());
        for (std::size_t i = 0; i < p.Pads.size(); ++i) {
            const stored::PadRecord& pad = p.Pads.RecordAt(i);
            const PadForm& form = padForms_.Of(p.Pads, i);
            CopperPiece piece = NewPiece(CopperKind::Pad, slot++, pad.Net, form.Copper);
            if (!form.TakesNet) {
                continue;
            }
            piece.Shape = form.Shape == "circle" ? CopperForm::Disc
                          : form.Shape == "oval" ? CopperForm::Oval
                          : form.Octagon         ? CopperForm::Octagon
                                                 : CopperForm::Box;
            piece.Record.Pad = &pad;
            Keep(piece, OutlineOf(pad, piece.Shape));
        }
        slot = begin(p.Fills.size());
        for (std::size_t i = 0; i < p.Fills.size(); ++i) {
            const stored::FillRecord& f = p.Fills.RecordAt(i);
            CopperPiece piece = NewPiece(CopperKind::Fill, slot++, f.Net, CopperOn(f.Layer));
            piece.Record.Fill = &f;
            Keep(piece, OutlineOf(f));
        }
    }

    // Room for every object at once: grown by doubling, the pieces would at times be held twice.
    void Reserve(std::size_t objects) {
        pieces_.reserve(objects);
        nets_.Ids.reserve(objects);
    }

    std::vector<CopperPiece>& Pieces() { return pieces_; }
    const std::vector<CopperMask>& LayerSets() const { return layerSets_; }

private:
    static constexpr std::uint32_t Unknown = std::numeric_limits<std::uint32_t>::max();

    // The copper layers of a host layer, asked of the layer map once a layer.
    CopperMask CopperOn(stored::StringId layer) {
        if (layer >= copperOn_.size()) {
            copperOn_.resize(layer + 1);
        }
        if (!copperOn_[layer]) {
            copperOn_[layer] = layers_.CopperOn(std::string(board_.String(layer)));
        }
        return *copperOn_[layer];
    }

    CopperMask Span(stored::StringId from, stored::StringId to) {
        const auto [found, added] = spans_.try_emplace({from, to}, 0);
        if (added) {
            found->second =
                layers_.Span(std::string(board_.String(from)), std::string(board_.String(to)));
        }
        return found->second;
    }

    // The object's net, by the number of its name in the store, asked of the nets once a name.
    std::uint32_t NetOf(stored::StringId net) {
        if (net == stored::NoNet) {
            return 0;
        }
        std::uint32_t& id = netOfString_[net];
        if (id == Unknown) {
            id = nets_.Intern(board_.String(net));
        }
        return id;
    }

    CopperPiece NewPiece(CopperKind kind, std::size_t slot, stored::StringId net,
                         CopperMask copper) {
        nets_.Ids[slot] = NetOf(net);
        CopperPiece piece;
        piece.Kind = kind;
        piece.Slot = std::uint32_t(slot);
        piece.Layers = LayerSetOf(copper);
        return piece;
    }

    // The place of a set of copper layers among the sets of the pieces; 0 is the empty set.
    std::uint16_t LayerSetOf(CopperMask copper) {
        const auto [found, added] = layerSetIds_.try_emplace(copper, layerSets_.size());
        if (added) {
            // Boards have copper on at most 32 layers: their sets from one layer to another, and
            // every one, fit many times over.
            if (layerSets_.size() > UINT16_MAX) {
                throw std::length_error("too many sets of copper layers");
            }
            layerSets_.push_back(copper);
        }
        return std::uint16_t(found->second);
    }

    void Keep(CopperPiece piece, const CopperOutline& outline) {
        if (piece.Layers == 0) {
            return;
        }
        piece.Box = BoundsOf(outline);
        pieces_.push_back(piece);
    }

    const BoardStore& board_;
    const LayerMap& layers_;
    PadForms& padForms_;
    CopperNets& nets_;
    std::vector<std::optional<CopperMask>> copperOn_;
    std::map<std::pair<stored::StringId, stored::StringId>, CopperMask> spans_;
    std::vector<std::uint32_t> netOfString_;
    std::vector<CopperMask> layerSets_ = {0};
    std::unordered_map<CopperMask, std::size_t> layerSetIds_ = {{0, 0}};
    std::vector<CopperPiece> pieces_;
};

} // namespace

CopperPieces CollectCopperPieces(const BoardStore& board, const LayerMap& layers,
                                 PadForms& padForms, CopperNets& nets) {
    Collector collector(board, layers, padForms, nets);
    const auto objects = [](const StoredPrimitives& p) {
        return p.Tracks.size() + p.Arcs.size() + p.Vias.size() + p.Pads.size() + p.Fills.size();
    };
    std::size_t count = objects(board.Free());
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        count += objects(board.ChildrenOf(i));
    }
    collector.Reserve(count);
    collector.Add(board.Free());
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        collector.Add(board.ChildrenOf(i));
    }
    return {std::move(collector.Pieces()), collector.LayerSets()};
}

} // namespace corvane::cli::kicad
