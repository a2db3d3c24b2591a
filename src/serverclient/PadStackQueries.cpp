#include "serverclient/PadStackQueries.h"

#include "serverclient/EntryNames.h"
#include "serverclient/PcbApi.h"

namespace corvane {
namespace {

constexpr std::size_t ShapeSlot = pcbapi::SlotOf("PcbApi_QueryPadOrViaShapeOnLayer");
constexpr std::size_t SizeSlot = pcbapi::SlotOf("PcbApi_QueryPadOrViaSizeOnLayer");
constexpr std::size_t RadiusSlot = pcbapi::SlotOf("PcbApi_QueryPadCornerRadiusOnLayer");
constexpr std::size_t PercentSlot = pcbapi::SlotOf("PcbApi_QueryPadCRPercentageOnLayer");
static_assert(ShapeSlot < pcbapi::EntryCount && SizeSlot < pcbapi::EntryCount &&
              RadiusSlot < pcbapi::EntryCount && PercentSlot < pcbapi::EntryCount);

template <typename Fn> Fn Found(std::size_t slot) {
    return reinterpret_cast<Fn>(pcbapi::FoundEntry(slot));
}

// The loop itself, over the entries themselves or over their guarded wrappers.
template <typename Shape, typename Size, typename Radius, typename Percent>
void AskEachLayer(HostHandle handle, const PadStackAnswers& answers, unsigned layers, Shape shape,
                  Size size, Radius radius, Percent percent) {
    // Local copies: the calls cannot change them, so they need not be read again after each.
    const PadStackAnswers to = answers;
    for (unsigned layer = 0; layer < layers; ++layer) {
        const auto classic = static_cast<TLayer>(layer);
        shape(handle, classic, &to.Shape[layer]);
        size(handle, classic, &to.XSize[layer], &to.YSize[layer]);
        radius(handle, classic, &to.CornerRadius[layer]);
        percent(handle, classic, &to.CRPercent[layer]);
    }
}

} // namespace

void QueryPadStackLayers(HostHandle handle, const PadStackAnswers& answers, unsigned layers) {
    const auto shape = Found<pcbapi::PcbApi_QueryPadOrViaShapeOnLayer_fn>(ShapeSlot);
    const auto size = Found<pcbapi::PcbApi_QueryPadOrViaSizeOnLayer_fn>(SizeSlot);
    const auto radius = Found<pcbapi::PcbApi_QueryPadCornerRadiusOnLayer_fn>(RadiusSlot);
    const auto percent = Found<pcbapi::PcbApi_QueryPadCRPercentageOnLayer_fn>(PercentSlot);
    if (shape == nullptr || size == nullptr || radius == nullptr || percent == nullptr) {
        AskEachLayer(handle, answers, layers, &PcbApi_QueryPadOrViaShapeOnLayer,
                     &PcbApi_QueryPadOrViaSizeOnLayer, &PcbApi_QueryPadCornerRadiusOnLayer,
                     &PcbApi_QueryPadCRPercentageOnLayer);
        return;
    }
    AskEachLayer(handle, answers, layers, shape, size, radius, percent);
}

} // namespace corvane
