#include "importer/NodeIndex.h"

#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbObject.h"
#include "pcbmodel/PcbPad.h"
#include "pcbmodel/lookups/HandleReaders.h"
#include "pcbmodel/lookups/PinReference.h"
#include "serverclient/LayerIterator.h"
#include "serverclient/LayerNumbering.h"

#include <algorithm>
#include <cstring>

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

void PadNameBlock::AddNew(std::vector<std::pair<std::string_view, HostHandle>> pads) {
    std::stable_sort(pads.begin(), pads.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<std::string_view, HostHandle>> merged;
    merged.reserve(Count() + pads.size());
    for (std::size_t i = 0; i < Count(); ++i) {
        merged.emplace_back(NameAt(i), words_[1 + (Count() + 1) + i]);
    }
    const std::size_t held = merged.size();
    for (const auto& pad : pads) {
        if (Find(pad.first) == 0) {
            merged.push_back(pad); // Assign keeps the first of each name
        }
    }
    if (merged.size() == held) {
        return;
    }
    std::inplace_merge(merged.begin(), merged.begin() + static_cast<std::ptrdiff_t>(held),
                       merged.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
    PadNameBlock block; // the names still point into this block's words
    block.Assign(merged);
    words_ = std::move(block.words_);
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

void NodeIndex::ComponentAdded(HostHandle component, std::int32_t addStatus) {
    if (component != 0 && walked_) {
        added_.emplace_back(component, addStatus); // the first walk meets it where it is
    }
}

NodeIndex::Designators& NodeIndex::SideOf(TLayer side) {
    return side == layer::BottomLayer ? bottom_ : top_;
}

std::size_t NodeIndex::SideIndex(TLayer side) const {
    return side == layer::BottomLayer ? 1 : 0;
}

const std::string& NodeIndex::DesignatorOf(HostHandle component, TLayer* side) {
    const auto known = designators_.find(component);
    if (known != designators_.end() && side == nullptr) {
        return known->second;
    }
    // The answers the search reads through the scratch component, from the one call that
    // carries them: the designator text the component points to, and its layer.
    TPcbComponent reader(component);
    reader.ExchangeProperties(ExchangeRead);
    if (side != nullptr) {
        *side = reader.GetClassicLayer();
    }
    const String255 designator = TextFromDescription(reader.NameText);
    return designators_.insert_or_assign(component, designator.Str()).first->second;
}

void NodeIndex::WalkBoard(bool* capped) {
    ++boardWalks_;
    walked_ = true;
    added_.clear();
    // Pads already learned stay with their components.
    std::unordered_map<HostHandle, Designated> learned;
    for (Designators* side : {&top_, &bottom_}) {
        side->ForEachValue([&](Designated& designated) {
            if (designated.LayersLearned != 0) {
                learned.emplace(designated.Component, std::move(designated));
            }
        });
        side->Clear();
    }
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        Designators& designators = SideOf(side);
        bool sideCapped = false;
        FindFirstOnLayer(
            board_, KindCodeOf(ObjectKind::Component), side,
            [&](HostHandle component) {
                const auto [entry, added] = designators.TryEmplace(
                    DesignatorOf(component), Designated{component, false, 0, {}});
                const auto pads = learned.find(component);
                if (added && pads != learned.end()) {
                    *entry = std::move(pads->second);
                    entry->NeedsWalk = false;
                    learned.erase(pads);
                }
                return false; // visit every component
            },
            &sideCapped);
        sideCapped_[SideIndex(side)] = sideCapped;
        if (sideCapped && capped != nullptr) {
            *capped = true;
        }
    }
}

void NodeIndex::MarkForWalk(Designators& side, const std::string& designator) {
    side.TryEmplace(designator, Designated{}).first->NeedsWalk = true;
}

void NodeIndex::LearnAddedComponents() {
    for (const auto& [component, addStatus] : added_) {
        TLayer side = 0;
        const std::string& designator = DesignatorOf(component, &side);
        const bool onASide = side == layer::TopLayer || side == layer::BottomLayer;
        if (addStatus != 0 || !onASide) {
            // Where the host keeps it, if anywhere, only a walk can tell.
            MarkForWalk(top_, designator);
            MarkForWalk(bottom_, designator);
            continue;
        }
        Designators& designators = SideOf(side);
        if (sideCapped_[SideIndex(side)]) {
            MarkForWalk(designators, designator);
            continue;
        }
        const auto [entry, added] =
            designators.TryEmplace(designator, Designated{component, false, 0, {}});
        if (!added) {
            entry->NeedsWalk = true; // which of the two comes first is the host's order
        }
    }
    added_.clear();
}

void NodeIndex::LearnPadsUntil(Designated& designated, std::string_view pin, bool* capped) const {
    // The search meets pads layer by layer and, on each layer, in the host's order; a pad the
    // host lists on several layers counts where it is met first. Here its name is read once; on
    // a later call, met again, it finds its name (or an earlier pad's) in the block already.
    std::vector<HostHandle> read;
    std::vector<HostHandle> met;
    std::vector<std::string> names;
    std::vector<std::pair<std::string_view, HostHandle>> named;
    TPcbPad reader(0);
    while (designated.LayersLearned < MaxClassicLayer) {
        const auto layer = static_cast<TLayer>(designated.LayersLearned + 1);
        met.clear();
        FindFirstOnLayer(
            designated.Component, KindCodeOf(ObjectKind::Pad), layer,
            [&](HostHandle pad) {
                met.push_back(pad);
                return false;
            },
            capped);
        designated.LayersLearned = layer;
        names.clear();
        named.clear();
        for (const HostHandle pad : met) {
            if (std::find(read.begin(), read.end(), pad) == read.end()) {
                read.push_back(pad);
                names.push_back(PadNameFromDescription(pad, reader).Str());
                named.emplace_back(std::string_view(), pad);
            }
        }
        if (named.empty()) {
            continue; // nothing new: the pin is still missing
        }
        for (std::size_t i = 0; i < named.size(); ++i) {
            named[i].first = names[i]; // names no longer moves
        }
        designated.Pads.AddNew(named);
        if (designated.Pads.Find(pin) != 0) {
            return; // later layers cannot come before it
        }
    }
}

HostHandle NodeIndex::FindPad(const String255& reference, bool* capped) {
    if (!walked_) {
        WalkBoard(capped);
    } else if (!added_.empty()) {
        LearnAddedComponents();
    }
    const PinReferenceParts parts = SplitPinReference(reference);
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        Designated* found = SideOf(side).Find(parts.Designator.View());
        if (found != nullptr && found->NeedsWalk) {
            WalkBoard(capped);
            found = SideOf(side).Find(parts.Designator.View());
        }
        if (found == nullptr || found->Component == 0) {
            continue;
        }
        if (found->Pads.Find(parts.Pin.View()) == 0) {
            LearnPadsUntil(*found, parts.Pin.View(), capped);
        }
        if (const HostHandle pad = found->Pads.Find(parts.Pin.View())) {
            return pad;
        }
    }
    return 0;
}

} // namespace corvane
