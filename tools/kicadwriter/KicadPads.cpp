#include "kicadwriter/KicadPads.h"

#include <algorithm>
#include <cstdlib>

namespace corvane::cli::kicad {
namespace {

// Host pad shape codes with a meaning (the rest are drawn as rectangles).
constexpr std::uint8_t RoundShape = 1;
constexpr std::uint8_t OctagonShape = 3;
constexpr std::uint8_t RoundedRectangleShape = 9;

void SetShape(const Pad& pad, PadForm& form) {
    switch (pad.ShapeCode) {
    case RoundShape:
        form.Shape = std::abs(std::int64_t{pad.XSize}) == std::abs(std::int64_t{pad.YSize})
                         ? "circle"
                         : "oval";
        break;
    case OctagonShape:
        form.Shape = "roundrect";
        form.Octagon = true;
        break;
    case RoundedRectangleShape:
        form.Shape = "roundrect";
        // The host's corner radius is the percentage of half the smaller side.
        form.RoundRatio = std::min(pad.CornerPercent, std::uint8_t{100}) / 200.0;
        break;
    default:
        form.Shape = "rect";
        break;
    }
}

void SetSurfaceLayers(const Pad& pad, const LayerMap& layers, PadForm& form) {
    if (pad.Layer == "MultiLayer") {
        form.Layers = {"*.Cu", "*.Mask"};
        form.Copper = layers.AllCopper();
        return;
    }
    const CopperLayer* copper = layers.CopperOf(pad.Layer);
    if (copper == nullptr) {
        form.Layers = {layers.NonCopperLayer(pad.Layer)};
        form.TakesNet = false;
        return;
    }
    form.Copper = layers.CopperOn(pad.Layer);
    if (copper->Name == "F.Cu") {
        form.Layers = {"F.Cu", "F.Paste", "F.Mask"};
    } else if (copper->Name == "B.Cu") {
        form.Layers = {"B.Cu", "B.Paste", "B.Mask"};
    } else {
        form.Layers = {copper->Name};
    }
}

} // namespace

PadForm PadFormOf(const Pad& pad, const LayerMap& layers) {
    PadForm form;
    SetShape(pad, form);
    if (pad.Hole > 0) {
        const std::int64_t smallerSide =
            std::min(std::abs(std::int64_t{pad.XSize}), std::abs(std::int64_t{pad.YSize}));
        if (pad.Hole >= smallerSide) {
            form.Kind = "np_thru_hole";
            form.Layers = {"*.Cu", "*.Mask"};
            form.TakesNet = false;
        } else {
            form.Kind = "thru_hole";
            form.Layers = {"*.Cu", "*.Mask"};
            form.Copper = layers.AllCopper();
        }
        return form;
    }
    form.Kind = "smd";
    SetSurfaceLayers(pad, layers, form);
    return form;
}

} // namespace corvane::cli::kicad
