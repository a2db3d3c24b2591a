#include "kicadwriter/KicadPads.h"

#include "boardfacts/PadShape.h"

#include <algorithm>
#include <cstdlib>

namespace corvane::cli::kicad {
namespace {

void SetShape(const Pad& pad, PadForm& form) {
    // The rectangle and the codes without a shape of their own: a rectangle.
    switch (PadShape(pad.ShapeCode)) {
    case PadShape::Round:
        form.Shape = std::abs(std::int64_t{pad.XSize}) == std::abs(std::int64_t{pad.YSize})
                         ? "circle"
                         : "oval";
        break;
    case PadShape::Octagon:
        form.Shape = "roundrect";
        form.Octagon = true;
        break;
    case PadShape::RoundedRectangle:
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
    if (pad.Layer == MultiLayerName) {
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

std::size_t PadForms::KeyHash::operator()(const Key& key) const {
    std::uint64_t hash = key.Layer;
    for (const std::uint64_t part :
         {std::uint64_t(std::uint32_t(key.XSize)), std::uint64_t(std::uint32_t(key.YSize)),
          std::uint64_t(std::uint32_t(key.Hole)), std::uint64_t(key.ShapeCode),
          std::uint64_t(key.CornerPercent)}) {
        hash = hash * 0x9E3779B97F4A7C15ULL + part;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

const PadForm& PadForms::Of(const StoredColumn<Pad, stored::PadRecord>& pads, std::size_t i) {
    const stored::PadRecord& r = pads.RecordAt(i);
    const Key key{r.Layer, r.XSize, r.YSize, r.Hole, r.ShapeCode, r.CornerPercent};
    if (const auto found = forms_.find(key); found != forms_.end()) {
        return found->second;
    }
    if (forms_.size() >= MostKept) {
        forms_.clear();
    }
    return forms_.emplace(key, PadFormOf(pads[i], layers_)).first->second;
}

} // namespace corvane::cli::kicad
