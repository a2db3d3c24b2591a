#pragma once
// Finds the pad a net node names ("U1-5") with exactly the answer of the search through the
// host's containers (FindPadByPinReference), on any host: the first component with that
// designator in the host's order on the top side, then on the bottom side; in it, the first pad
// with that name in layer order 1..82, then in the host's order on the layer. Names compare
// exactly, case and all.
//
// Everything comes from the host's own answers to the iterations the search makes, so that the
// host's order and the way its iterators filter by layer (a "MultiLayer" pad met on other layers
// too) count as they count for the search:
// - The board's components on "TopLayer" and "BottomLayer" are walked once, at the first lookup;
//   each designator is read through its designator text, as the search reads it.
// - A component added after that walk is learned from the host at the next lookup: its
//   designator, and its side from the layer the host reports (the board's iteration of a side
//   lists the components on that side). A designator nobody else has on that side answers the
//   same wherever the component sits in the host's order, so it goes straight into the index.
//   A designator already on that side, a component the host did not add (a non-zero answer to
//   adding it), or one on neither side needs the host's order: such a designator is marked, and
//   the first lookup that names it walks the board's components once more.
// - A component's pads are asked of the host layer by layer from 1 up, as far as a lookup needs:
//   once a layer gives the pin, later layers cannot come before it. A pin that is not there
//   takes every layer to 82. Each layer of a component is asked once; its pads do not change.
// This holds for any host whose board changes only through this import.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"
#include "importer/DesignatorTable.h"
#include "importer/NodeLookup.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvane {

/// The first pad of each name of one component, sorted by name. Everything lies in one block
/// (the name offsets, the pads, then the names end to end), so a lookup by halving touches a few
/// neighbouring cache lines of one allocation, which matters on boards far larger than the cache.
class PadNameBlock {
public:
    /// From (name, pad) pairs sorted by name, the first of each name first.
    void Assign(const std::vector<std::pair<std::string_view, HostHandle>>& sortedPads);
    /// Adds the pads whose names the block does not hold yet; of several with one name, the
    /// first in the given order.
    void AddNew(std::vector<std::pair<std::string_view, HostHandle>> pads);
    /// The pad of that name, or 0.
    HostHandle Find(std::string_view name) const;

private:
    std::size_t Count() const { return words_.empty() ? 0 : words_[0]; }
    std::string_view NameAt(std::size_t index) const;

    /// [count][count + 1 name offsets in bytes][count pads][the names' bytes]
    std::vector<std::uint32_t> words_;
};

class NodeIndex final : public NodeLookup {
public:
    explicit NodeIndex(HostHandle board) : board_(board) {}

    /// A component the import made and then added to the board; addStatus is the host's answer
    /// to the adding (0: added). The component is learned from the host at the next lookup.
    void ComponentAdded(HostHandle component, std::int32_t addStatus) override;

    /// The pad the reference names, or 0. Sets *capped (when given) when a walk this lookup made
    /// stopped at its cap, as the search's own walk would have.
    HostHandle FindPad(const String255& reference, bool* capped = nullptr) override;

    /// How often the board's components have been walked so far.
    std::uint32_t BoardWalks() const { return boardWalks_; }

private:
    /// The first component a designator names on a side, with the pads of its layers so far.
    struct Designated {
        HostHandle Component = 0; // 0: only the mark below
        bool NeedsWalk = false;   // the host's order decides between components: walk again
        TLayer LayersLearned = 0; // Pads holds the first pad of each name on layers 1..this
        PadNameBlock Pads;
    };
    using Designators = DesignatorTable<Designated>;

    Designators& SideOf(TLayer side);
    std::size_t SideIndex(TLayer side) const;
    void WalkBoard(bool* capped);
    void LearnAddedComponents();
    void MarkForWalk(Designators& side, const std::string& designator);
    /// The designator the host gives the component, read once; with side, read again together
    /// with the layer the host reports for it.
    const std::string& DesignatorOf(HostHandle component, TLayer* side = nullptr);
    /// Asks the host for the component's pads on further layers until the pin is among them or
    /// every layer is known.
    void LearnPadsUntil(Designated& designated, std::string_view pin, bool* capped) const;

    HostHandle board_;
    bool walked_ = false;
    std::uint32_t boardWalks_ = 0;
    Designators top_;
    Designators bottom_;
    /// Whether the last walk of each side (top, bottom) stopped at its cap: a component learned
    /// later might lie beyond it, so only a walk can tell.
    bool sideCapped_[2] = {false, false};
    /// Components added since the last walk or lookup, with the host's answer to the adding.
    std::vector<std::pair<HostHandle, std::int32_t>> added_;
    std::unordered_map<HostHandle, std::string> designators_;
};

} // namespace corvane
