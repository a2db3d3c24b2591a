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

#include "pcbserver/HostTypes.h"
#include "pcbserver/ShortString.h"

#include <string>
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

class NodeIndex {
public:
    explicit NodeIndex(HostHandle board) : board_(board) {}

    /// A component the import has committed on a side, with its designator and pads.
    void AddImportedComponent(HostHandle component, std::string designator, TLayer side,
                              const std::vector<ImportedPad>& pads);

    /// The pad the reference names, or 0.
    HostHandle FindPad(const String255& reference);

private:
    /// The first pad of each name, sorted by name: one small block per component, searched by
    /// halving, so a lookup touches a few cache lines rather than a hash node per pad.
    using FirstPadByName = std::vector<std::pair<std::string, HostHandle>>;

    void LoadBoardComponents();
    std::unordered_map<std::string, HostHandle>& SideOf(TLayer side);
    HostHandle FindPadIn(HostHandle component, const std::string& pin);

    HostHandle board_;
    bool boardLoaded_ = false;
    std::unordered_map<std::string, HostHandle> top_;
    std::unordered_map<std::string, HostHandle> bottom_;
    std::unordered_map<HostHandle, FirstPadByName> pads_;
};

} // namespace corvane
