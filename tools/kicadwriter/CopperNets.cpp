#include "kicadwriter/CopperNets.h"

#include "kicadwriter/CopperJoin.h"
#include "kicadwriter/CopperPieces.h"
#include "kicadwriter/DerivedNetNames.h"
#include "kicadwriter/UnionFind.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace corvane::cli::kicad {

std::uint32_t CopperNets::Intern(const NetName& net) {
    return net ? Intern(std::string_view(*net)) : 0;
}

std::uint32_t CopperNets::Intern(std::string_view name) {
    return names_.Intern(name) + 1;
}

std::uint32_t CopperNets::IdOfName(std::string_view name) const {
    const auto found = names_.Find(name);
    return found ? *found + 1 : 0;
}

std::uint32_t CopperNets::IdOf(std::size_t container, CopperKind kind, std::size_t index) const {
    return Ids[Offsets[container * CopperKinds + std::size_t(kind)] + index];
}

NetName CopperNets::Of(std::size_t container, CopperKind kind, std::size_t index) const {
    const std::uint32_t id = IdOf(container, kind, index);
    return id == 0 ? NetName() : NetName(std::string(Name(id)));
}

CopperNets WithCopperNets(const Board& board, const LayerMap& layers, bool deriveNets) {
    return WithCopperNets(StoreOf(board), layers, deriveNets);
}

CopperNets WithCopperNets(const BoardStore& board, const LayerMap& layers, bool deriveNets) {
    PadForms padForms(layers);
    return WithCopperNets(board, layers, padForms, deriveNets);
}

CopperNets WithCopperNets(const BoardStore& board, const LayerMap& layers, PadForms& padForms,
                          bool deriveNets) {
    CopperNets nets;
    for (std::size_t i = 0; i < board.NetCount(); ++i) {
        nets.Intern(board.NetNameAt(i));
    }
    for (const Plane& plane : board.Planes()) {
        nets.Intern(plane.Net);
    }
    const CopperPieces copper = CollectCopperPieces(board, layers, padForms, nets);
    const std::vector<CopperPiece>& pieces = copper.Pieces;
    UnionFind groups(pieces.size());
    JoinTouching(pieces, copper.LayerSets, groups);

    // The net each group reaches: none, one, or several (a short, which gives none).
    constexpr std::uint32_t Several = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> reached(pieces.size(), 0);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::uint32_t id = nets.Ids[pieces[i].Slot];
        std::uint32_t& group = reached[groups.Root(i)];
        if (id != 0 && group != id) {
            group = group == 0 ? id : Several;
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::uint32_t group = reached[groups.Root(i)];
        if (nets.Ids[pieces[i].Slot] == 0 && group != Several) {
            nets.Ids[pieces[i].Slot] = group;
        }
    }
    if (deriveNets) {
        nets.Derived = DeriveNets(nets, pieces, board, groups);
    }
    return nets;
}

} // namespace corvane::cli::kicad
