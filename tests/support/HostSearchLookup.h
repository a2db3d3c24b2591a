#pragma once
// A node lookup that searches the host's containers for every node, as FindPadByPinReference
// does: the answer the node index must give, for tests that compare the two.

#include "importer/ImportState.h"
#include "pcbmodel/lookups/PinReference.h"

#include <memory>

namespace testsupport {

class HostSearchLookup final : public corvane::NodeLookup {
public:
    explicit HostSearchLookup(corvane::HostHandle board) : board_(board) {}
    void ComponentAdded(corvane::HostHandle, std::int32_t) override {}
    corvane::HostHandle FindPad(const corvane::String255& reference, bool* capped) override {
        return corvane::FindPadByPinReference(board_, reference, capped);
    }

private:
    corvane::HostHandle board_;
};

/// Makes the state's imports search the host for every node (true) or use the node index.
inline void SearchHostForEveryNode(corvane::ImportState& state, bool search) {
    if (search) {
        state.MakeNodeLookup = [](corvane::HostHandle board) {
            return std::make_unique<HostSearchLookup>(board);
        };
    } else {
        state.MakeNodeLookup = corvane::MakeNodeIndex;
    }
}

} // namespace testsupport
