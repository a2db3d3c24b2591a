#include "kicadwriter/KicadNetNumbers.h"

#include <utility>

namespace corvane::cli::kicad {

NetNumbers::NetNumbers(const BoardStore& board, const CopperNets& nets) {
    numbers_.assign(nets.Count() + 1, 0);
    const auto add = [&](std::uint32_t id) {
        if (id != 0 && numbers_[id] == 0) {
            order_.push_back(id);
            numbers_[id] = int(order_.size());
        }
    };
    for (std::size_t i = 0; i < board.NetCount(); ++i) {
        add(nets.IdOfName(board.NetNameAt(i)));
    }
    for (const Plane& plane : board.Planes()) {
        add(plane.Net ? nets.IdOfName(*plane.Net) : 0);
    }
    const auto addPrimitives = [&](const StoredPrimitives& p, std::size_t container) {
        for (const auto& [kind, count] : {std::pair{CopperKind::Pad, p.Pads.size()},
                                          {CopperKind::Track, p.Tracks.size()},
                                          {CopperKind::Via, p.Vias.size()},
                                          {CopperKind::Arc, p.Arcs.size()},
                                          {CopperKind::Fill, p.Fills.size()}}) {
            for (std::size_t i = 0; i < count; ++i) {
                add(nets.IdOf(container, kind, i));
            }
        }
    };
    addPrimitives(board.Free(), 0);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        addPrimitives(board.ChildrenOf(i), i + 1);
    }
}

} // namespace corvane::cli::kicad
