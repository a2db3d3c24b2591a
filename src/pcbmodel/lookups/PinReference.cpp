#include "pcbmodel/lookups/PinReference.h"

#include "pcbmodel/PcbObject.h"
#include "pcbmodel/lookups/HandleReaders.h"
#include "pcbmodel/lookups/ScratchComponent.h"
#include "serverclient/LayerIterator.h"
#include "serverclient/LayerNumbering.h"

#include <string_view>

namespace corvane {

PinReferenceParts SplitPinReference(const String255& reference) {
    const std::string_view text = reference.View();
    const std::size_t hyphen = text.find('-');
    if (hyphen == std::string_view::npos) {
        return {String255(), reference};
    }
    return {String255(text.substr(0, hyphen)), String255(text.substr(hyphen + 1))};
}

HostHandle FindComponentByDesignator(HostHandle board, const String255& designator, TLayer layer,
                                     bool* capped) {
    return FindFirstOnLayer(
        board, KindCodeOf(ObjectKind::Component), layer,
        [&](HostHandle component) {
            return TextOfHandle(ScratchComponentAt(component).NameText) == designator;
        },
        capped);
}

HostHandle FindPadByPinName(HostHandle component, const String255& pin, bool* capped) {
    if (component == 0) {
        return 0;
    }
    for (int layer = layer::TopLayer; layer <= MaxClassicLayer; ++layer) {
        const HostHandle pad = FindFirstOnLayer(
            component, KindCodeOf(ObjectKind::Pad), static_cast<TLayer>(layer),
            [&](HostHandle candidate) { return PadNameOfHandle(candidate) == pin; }, capped);
        if (pad != 0) {
            return pad;
        }
    }
    return 0;
}

HostHandle FindPadByPinReference(HostHandle board, const String255& reference, bool* capped) {
    const PinReferenceParts parts = SplitPinReference(reference);
    for (const TLayer side : {layer::TopLayer, layer::BottomLayer}) {
        const HostHandle component =
            FindComponentByDesignator(board, parts.Designator, side, capped);
        if (const HostHandle pad = FindPadByPinName(component, parts.Pin, capped)) {
            return pad;
        }
    }
    return 0;
}

} // namespace corvane
