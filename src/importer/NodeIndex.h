#pragma once
// Finds the pad a net node names ("U1-5") in constant time, with exactly the answer of the search
// through the host's containers: the first component with that designator in the host's order
// on the top side, then on the bottom side; in it, the first pad with that name in layer order
// 1..82, then in the host's order on the layer. Names compare exactly, case and all.
//
// The index learns the board's components from the host once, at the first lookup, and is told of
// every component the import adds after that; a component added to a board is last in the host's
// order. The pads of components the import made are known from their records; those of any other
// component are asked of the host once, on the first lookup that reaches it.

#include "importer/DesignatorTable.h"
#include "pcbserver/HostTypes.h"
#include "pcbserver/ShortString.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvane {

/// A pad the import committed, as the host now holds it.
struct ImportedPad {
    HostHandle Handle = 0;
    std::string Name;
    TLayer Layer = 0;
};

/// The first pad of each name of one component, sorted by name. Everything lies in one block
/// (the name offsets, the pads, then the names end to end), so a lookup by halving touches a few
/// neighbouring cache lines of one allocation, which matters on boards far larger than the cache.
class PadNameBlock {
public:
    /// From (name, pad) pairs sorted by name, the first of each name first.
    void Assign(const std::vector<std::pair<std::string_view, HostHandle>>& sortedPads);
    /// The pad of that name, or 0.
    HostHandle Find(std::string_view name) const;

private:
    std::size_t Count() const { return words_.empty() ? 0 : words_[0]; }
    std::string_view NameAt(std::size_t index) const;

    /// [count][count + 1 name offsets in bytes][count pads][the names' bytes]
    std::vector<std::uint32_t> words_;
};

class NodeIndex {
public:
    explicit NodeIndex(HostHandle board) : board_(board) {}

    /// A component the import has committed on a side, with its designator and pads. A
    /// component is added once, when it is committed.
    void AddImportedComponent(HostHandle component, std::string designator, TLayer side,
                              const std::vector<ImportedPad>& pads);

    /// The pad the reference names, or 0.
    HostHandle FindPad(const String255& reference);

private:
    /// The component a designator names on a side, with its pads once they are known.
    struct Designated {
        HostHandle Component = 0;
        bool PadsKnown = false;
        PadNameBlock Pads;
    };
    using Designators = DesignatorTable<Designated>;

    void LoadBoardComponents();
    Designators& SideOf(TLayer side);
    PadNameBlock PadsFromHost(HostHandle component) const;

    HostHandle board_;
    bool boardLoaded_ = false;
    Designators top_;
    Designators bottom_;
    /// Pads of components committed before the first lookup, until the board is learnt.
    std::unordered_map<HostHandle, PadNameBlock> padsBeforeLoad_;
};

} // namespace corvane
