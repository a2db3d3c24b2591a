#pragma once
// The per-layer part of a pad read: for each layer in turn, the pad's shape, size, corner radius
// and corner-radius percentage on it. A pad read is the commonest exchange of an import and this
// loop makes nearly all of its calls (332 for the 83 classic layers), so the four entries are
// looked up once for the loop instead of once per call.

#include "contract/HostTypes.h"

#include <cstdint>

namespace corvane {

/// Where the answers go: arrays indexed by layer number, each at least as long as the layers
/// asked (shape and percentage in bytes, sizes and radius in host units).
struct PadStackAnswers {
    std::uint8_t* Shape = nullptr;
    std::int32_t* XSize = nullptr;
    std::int32_t* YSize = nullptr;
    std::int32_t* CornerRadius = nullptr;
    std::uint8_t* CRPercent = nullptr;
};

/// Asks PcbApi_QueryPadOrViaShapeOnLayer, PcbApi_QueryPadOrViaSizeOnLayer,
/// PcbApi_QueryPadCornerRadiusOnLayer and PcbApi_QueryPadCRPercentageOnLayer, in that order, for
/// each layer from 0 to layers - 1 (layers at most 256: the numbers are layer bytes). The calls
/// and their outcome are those of the guarded wrappers: where an entry is missing, the wrappers
/// make every call.
void QueryPadStackLayers(HostHandle handle, const PadStackAnswers& answers, unsigned layers);

} // namespace corvane
