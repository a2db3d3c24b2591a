#include "kicadwriter/DerivedNetNames.h"

#include "textformat/NaturalOrder.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvane::cli::kicad {
namespace {

// A pad as a derived net is named after it, by strings of the store.
struct PadRef {
    stored::StringId Reference = 0; // its footprint's reference
    stored::StringId Name = 0;      // its number
};

// KiCad's name for a net without a name: after its first pad.
std::string UnnamedNetName(const PadRef& pad, const BoardStore& board) {
    return "Net-(" + std::string(board.String(pad.Reference)) + "-Pad" +
           std::string(board.String(pad.Name)) + ")";
}

bool PadBefore(const PadRef& a, const PadRef& b, const BoardStore& board) {
    if (a.Reference != b.Reference) {
        return NaturalLess(board.String(a.Reference), board.String(b.Reference));
    }
    return a.Name != b.Name && NaturalLess(board.String(a.Name), board.String(b.Name));
}

// The container of each piece in turn: the pieces come in the order of their slots, container
// after container.
class Containers {
public:
    explicit Containers(const CopperNets& nets) : offsets_(nets.Offsets) {}

    // Container 0 holds the free objects, 1 + i those of component i.
    std::size_t Of(std::uint32_t slot) {
        while (next_ < offsets_.size() && offsets_[next_] <= slot) {
            ++next_;
        }
        return (next_ - 1) / CopperKinds;
    }

private:
    const std::vector<std::size_t>& offsets_;
    std::size_t next_ = 0;
};

} // namespace

std::size_t DeriveNets(CopperNets& nets, const std::vector<CopperPiece>& pieces,
                       const BoardStore& board, UnionFind& groups) {
    // By group (its root): its pieces, whether any has a net, and its first pad, whose
    // footprint's reference is its component's designator, or its own name for a free pad.
    std::vector<std::uint32_t> size(pieces.size(), 0);
    std::vector<bool> netted(pieces.size(), false), padded(pieces.size(), false);
    std::vector<PadRef> firstPad(pieces.size());
    Containers containers(nets);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t root = groups.Root(i);
        ++size[root];
        netted[root] = netted[root] || nets.Ids[pieces[i].Slot] != 0;
        if (pieces[i].Kind != CopperKind::Pad) {
            continue;
        }
        const std::size_t container = containers.Of(pieces[i].Slot);
        const stored::StringId name = pieces[i].Record.Pad->Name;
        const PadRef pad{container == 0 ? name : board.ComponentRecordAt(container - 1).Designator,
                         name};
        if (!padded[root] || PadBefore(pad, firstPad[root], board)) {
            firstPad[root] = pad;
            padded[root] = true;
        }
    }
    std::vector<std::pair<std::string, std::size_t>> derived; // name, group
    for (std::size_t root = 0; root < pieces.size(); ++root) {
        if (size[root] >= 2 && padded[root] && !netted[root]) {
            derived.emplace_back(UnnamedNetName(firstPad[root], board), root);
        }
    }
    std::sort(derived.begin(), derived.end());
    // The net of each group, by its root, where the pieces' counts were.
    std::vector<std::uint32_t>& named = size;
    std::fill(named.begin(), named.end(), 0);
    // Every name in use is interned: the board's nets, its planes' and its objects'. Groups of
    // one name are next to each other, and every suffix below the one a group took is taken: the
    // next group of the name starts where the last stopped (one name shared by many groups costs
    // no more than many names).
    std::string_view previous;
    int suffix = 1; // 1: the name alone
    for (const auto& [name, root] : derived) {
        if (name != previous) {
            previous = name;
            suffix = 1;
        }
        std::string unique = suffix == 1 ? name : name + "_" + std::to_string(suffix);
        while (nets.IdOfName(unique) != 0) {
            unique = name + "_" + std::to_string(++suffix);
        }
        ++suffix;
        named[root] = nets.Intern(std::string_view(unique));
    }
    if (!derived.empty()) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (const std::uint32_t net = named[groups.Root(i)]; net != 0) {
                nets.Ids[pieces[i].Slot] = net;
            }
        }
    }
    return derived.size();
}

} // namespace corvane::cli::kicad
