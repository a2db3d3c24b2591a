#include "BoardRecord.h"

#include "HostUnits.h"

namespace halvex {

BoardRecord::BoardRecord(HostHandle handle, std::string fileName)
    : Handle(handle), FileName(std::move(fileName)) {
    for (int number = 1; number < ClassicLayerCount; ++number) {
        const auto layer = static_cast<corvane::TLayer>(number);
        Layers[layer].Name = ClassicLayerName(layer);
        if (IsClassicPlane(layer)) {
            Layers[layer].PlaneNetName = "(No Net)";
        }
    }
    const corvane::TLayer stack[] = {TopLayer, InternalPlane1, InternalPlane2, BottomLayer};
    for (std::size_t i = 0; i + 1 < std::size(stack); ++i) {
        Layers[stack[i]].NextLayer = stack[i + 1];
        Layers[stack[i + 1]].PrevLayer = stack[i];
    }

    // Grids of 5 mil and the signal layers plotted; the other options start at zero.
    Grids.Grids.fill(Mils(5));
    Grids.MoreGrids.fill(Mils(5));
    for (int slot = 1; slot <= BottomLayer; ++slot) {
        Output.PlotLayers[slot] = 1;
    }
}

std::vector<corvane::TLayer> BoardRecord::StackLayers() const {
    std::vector<corvane::TLayer> stack;
    corvane::TLayer layer = 0;
    for (int number = 1; number < ClassicLayerCount; ++number) {
        if (Layers[number].PrevLayer == 0) {
            layer = static_cast<corvane::TLayer>(number);
            break;
        }
    }
    std::array<bool, ClassicLayerCount> seen{};
    while (IsBoardLayer(layer) && !seen[layer]) {
        seen[layer] = true;
        stack.push_back(layer);
        layer = Layers[layer].NextLayer;
    }
    return stack;
}

} // namespace halvex
