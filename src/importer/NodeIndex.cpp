#include "importer/NodeIndex.h"

#include "pcbmodel/PcbObject.h"
#include "pcbserver/Layers.h"
#include "pcbserver/lookups/HandleReaders.h"
#include "pcbserver/lookups/LayerIterator.h"
#include "pcbserver/lookups/PinReference.h"
#include "pcbserver/lookups/ScratchComponent.h"

#include <algorithm>
#include <map>

namespace corvane {

void NodeIndex::AddImportedComponent(HostHandle component, std::string designator, TLayer side,
                                     const std::vector<ImportedPad>& pads) {
    if (component == 0) {
        return;
    }
    // The first pad of each name in layer order, then in the order the pads were added: a
    // stable sort by name and layer puts it first among the pads of its name.
    std::vector<const ImportedPad*> found;
    found.reserve(pads.size());
    for (const ImportedPad& pad : pads) {
        if (pad.Handle == 0 || pad.Layer < layer::TopLayer || pad.Layer > MaxClassicLayer) {
            continue; // never found by a walk over layers 1..82
        }
        found.push_back(&pad);
    }
    std::stable_sort(found.begin(), found.end(), [](const ImportedPad* a, const ImportedPad* b) {
        return a->Name != b->Name ? a->Name < b->Name : a->Layer < b->Layer;
    });
    FirstPadByName& byName = pads_[component];
    byName.clear();
    for (const ImportedPad* pad : found) {
        if (byName.empty() || byName.back().first != pad->Name) {
            byName.emplace_back(pad->Name, pad->Handle);
        }
    }
    // Before the first lookup the host's own walk will find the component.
    if (boardLoaded_ && (side == layer::TopLayer || side == layer::BottomLayer)) {
        SideOf(side).try_emplace(std::move(designator), component);
    }
}

std::unordered_map<std::string, HostHandle>& NodeIndex::SideOf(TLayer side) {
    return side == layer::BottomLayer ? bottom_ : top_;
}

void NodeIndex::LoadBoardComponents() {
    boardLoaded_ = true;
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        auto& designators = SideOf(side);
        FindFirstOnLayer(board_, objectkind::Component, side, [&](HostHandle component) {
            const String255 designator = TextOfHandle(ScratchComponentAt(component).NameText);
            designators.try_emplace(designator.Str(), component);
            return false; // visit every component
        });
    }
}

HostHandle NodeIndex::FindPadIn(HostHandle component, const std::string& pin) {
    auto known = pads_.find(component);
    if (known == pads_.end()) {
        // A component the import did not make: ask the host for its pads once. The first pad of
        // a name met in layer order, then in the host's order, is the one the search finds.
        std::map<std::string, HostHandle> first;
        for (int layer = layer::TopLayer; layer <= MaxClassicLayer; ++layer) {
            FindFirstOnLayer(component, objectkind::Pad, static_cast<TLayer>(layer),
                             [&](HostHandle pad) {
                                 first.try_emplace(PadNameOfHandle(pad).Str(), pad);
                                 return false;
                             });
        }
        known = pads_.emplace(component, FirstPadByName(first.begin(), first.end())).first;
    }
    const FirstPadByName& byName = known->second;
    const auto pad = std::lower_bound(byName.begin(), byName.end(), pin,
                                      [](const std::pair<std::string, HostHandle>& entry,
                                         const std::string& name) { return entry.first < name; });
    return pad != byName.end() && pad->first == pin ? pad->second : 0;
}

HostHandle NodeIndex::FindPad(const String255& reference) {
    if (!boardLoaded_) {
        LoadBoardComponents();
    }
    const PinReferenceParts parts = SplitPinReference(reference);
    const std::string designator = parts.Designator.Str();
    const std::string pin = parts.Pin.Str();
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        const auto& designators = SideOf(side);
        const auto component = designators.find(designator);
        if (component == designators.end()) {
            continue;
        }
        if (const HostHandle pad = FindPadIn(component->second, pin)) {
            return pad;
        }
    }
    return 0;
}

} // namespace corvane
