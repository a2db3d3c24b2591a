#include "importer/NodeIndex.h"

#include "pcbmodel/PcbObject.h"
#include "pcbserver/Layers.h"
#include "pcbserver/lookups/HandleReaders.h"
#include "pcbserver/lookups/LayerIterator.h"
#include "pcbserver/lookups/PinReference.h"
#include "pcbserver/lookups/ScratchComponent.h"

#include <map>

namespace corvane {

void NodeIndex::AddImportedComponent(HostHandle component, std::string designator, TLayer side,
                                     const std::vector<ImportedPad>& pads) {
    if (component == 0) {
        return;
    }
    // The first pad of each name in layer order, then in the order the pads were added.
    std::map<std::string, std::pair<TLayer, HostHandle>> first;
    for (const ImportedPad& pad : pads) {
        if (pad.Handle == 0 || pad.Layer < layer::TopLayer || pad.Layer > MaxClassicLayer) {
            continue; // never found by a walk over layers 1..82
        }
        const auto [found, inserted] = first.try_emplace(pad.Name, pad.Layer, pad.Handle);
        if (!inserted && pad.Layer < found->second.first) {
            found->second = {pad.Layer, pad.Handle};
        }
    }
    FirstPadByName& byName = pads_[component];
    byName.clear();
    for (const auto& [name, place] : first) {
        byName.emplace(name, place.second);
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
        // A component the import did not make: ask the host for its pads once.
        FirstPadByName byName;
        for (int layer = layer::TopLayer; layer <= MaxClassicLayer; ++layer) {
            FindFirstOnLayer(component, objectkind::Pad, static_cast<TLayer>(layer),
                             [&](HostHandle pad) {
                                 byName.try_emplace(PadNameOfHandle(pad).Str(), pad);
                                 return false;
                             });
        }
        known = pads_.emplace(component, std::move(byName)).first;
    }
    const auto pad = known->second.find(pin);
    return pad == known->second.end() ? 0 : pad->second;
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
