#include "importer/NodeIndex.h"

#include "pcbmodel/PcbObject.h"
#include "pcbserver/Layers.h"
#include "pcbserver/lookups/HandleReaders.h"
#include "pcbserver/lookups/LayerIterator.h"
#include "pcbserver/lookups/PinReference.h"
#include "pcbserver/lookups/ScratchComponent.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace corvane {

void PadNameBlock::Assign(const std::vector<std::pair<std::string_view, HostHandle>>& sortedPads) {
    // The first pad of each name.
    std::vector<std::pair<std::string_view, HostHandle>> first;
    first.reserve(sortedPads.size());
    std::size_t nameBytes = 0;
    for (const auto& pad : sortedPads) {
        if (first.empty() || first.back().first != pad.first) {
            first.push_back(pad);
            nameBytes += pad.first.size();
        }
    }
    const std::size_t count = first.size();
    words_.assign(1 + (count + 1) + count + (nameBytes + 3) / 4, 0);
    words_[0] = static_cast<std::uint32_t>(count);
    char* const names = reinterpret_cast<char*>(words_.data() + 1 + (count + 1) + count);
    std::uint32_t offset = 0;
    for (std::size_t i = 0; i < count; ++i) {
        words_[1 + i] = offset;
        words_[1 + (count + 1) + i] = first[i].second;
        if (!first[i].first.empty()) {
            std::memcpy(names + offset, first[i].first.data(), first[i].first.size());
        }
        offset += static_cast<std::uint32_t>(first[i].first.size());
    }
    words_[1 + count] = offset;
}

std::string_view PadNameBlock::NameAt(std::size_t index) const {
    const std::size_t count = Count();
    const char* const names =
        reinterpret_cast<const char*>(words_.data() + 1 + (count + 1) + count);
    return {names + words_[1 + index], words_[2 + index] - words_[1 + index]};
}

HostHandle PadNameBlock::Find(std::string_view name) const {
    const std::size_t count = Count();
    std::size_t low = 0;
    std::size_t high = count;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (NameAt(middle) < name) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < count && NameAt(low) == name ? words_[1 + (count + 1) + low] : 0;
}

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
    std::vector<std::pair<std::string_view, HostHandle>> sorted;
    sorted.reserve(found.size());
    for (const ImportedPad* pad : found) {
        sorted.emplace_back(pad->Name, pad->Handle);
    }
    PadNameBlock block;
    block.Assign(sorted);

    if (!boardLoaded_) {
        // The host's own walk will find the component at the first lookup.
        padsBeforeLoad_[component] = std::move(block);
        return;
    }
    if (side == layer::TopLayer || side == layer::BottomLayer) {
        // A designator already on that side keeps its first component.
        SideOf(side).TryEmplace(designator, Designated{component, true, std::move(block)});
    }
}

NodeIndex::Designators& NodeIndex::SideOf(TLayer side) {
    return side == layer::BottomLayer ? bottom_ : top_;
}

void NodeIndex::LoadBoardComponents() {
    boardLoaded_ = true;
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        Designators& designators = SideOf(side);
        FindFirstOnLayer(board_, objectkind::Component, side, [&](HostHandle component) {
            const String255 designator = TextOfHandle(ScratchComponentAt(component).NameText);
            const auto [entry, added] =
                designators.TryEmplace(designator.View(), Designated{component, false, {}});
            if (added) {
                const auto known = padsBeforeLoad_.find(component);
                if (known != padsBeforeLoad_.end()) {
                    entry->Pads = known->second;
                    entry->PadsKnown = true;
                }
            }
            return false; // visit every component
        });
    }
    padsBeforeLoad_.clear();
}

PadNameBlock NodeIndex::PadsFromHost(HostHandle component) const {
    // A component the import did not make: its pads are asked of the host. The first pad of a
    // name met in layer order, then in the host's order, is the one the search finds.
    std::map<std::string, HostHandle> first;
    for (int layer = layer::TopLayer; layer <= MaxClassicLayer; ++layer) {
        FindFirstOnLayer(component, objectkind::Pad, static_cast<TLayer>(layer),
                         [&](HostHandle pad) {
                             first.try_emplace(PadNameOfHandle(pad).Str(), pad);
                             return false;
                         });
    }
    std::vector<std::pair<std::string_view, HostHandle>> sorted(first.begin(), first.end());
    PadNameBlock block;
    block.Assign(sorted);
    return block;
}

HostHandle NodeIndex::FindPad(const String255& reference) {
    if (!boardLoaded_) {
        LoadBoardComponents();
    }
    const PinReferenceParts parts = SplitPinReference(reference);
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        Designated* const found = SideOf(side).Find(parts.Designator.View());
        if (found == nullptr) {
            continue;
        }
        Designated& designated = *found;
        if (!designated.PadsKnown) {
            designated.Pads = PadsFromHost(designated.Component);
            designated.PadsKnown = true;
        }
        if (const HostHandle pad = designated.Pads.Find(parts.Pin.View())) {
            return pad;
        }
    }
    return 0;
}

} // namespace corvane
