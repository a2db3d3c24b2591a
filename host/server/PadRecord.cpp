#include "PadRecord.h"

#include <algorithm>

namespace halvex {

PadRecord::PadRecord(HostHandle handle) : KindRecord(handle, TopLayer) {
    const PadLayer round{Mils(60), Mils(60), ShapeRound, 50};
    Top = Mid = Bottom = round;
}

void PadRecord::StoreStack() {
    if (stack_ == nullptr) {
        auto stack = std::make_unique<std::array<PadLayer, ClassicLayerCount>>();
        for (int layer = 0; layer < ClassicLayerCount; ++layer) {
            (*stack)[layer] = Description(PartOf(static_cast<corvane::TLayer>(layer)));
        }
        stack_ = std::move(stack);
    }
    stackMode_ = StackModeFullStack;
}

void PadRecord::SetStackMode(std::uint8_t mode) {
    if (mode == StackModeFullStack) {
        StoreStack();
        return;
    }
    stack_.reset();
    stackMode_ = mode;
}

template <typename Change> void PadRecord::ChangeStoredLayer(corvane::TLayer layer, Change change) {
    PadLayer& entry = (*stack_)[layer];
    change(entry);
    if (layer == TopLayer || layer == LastMidLayer || layer == BottomLayer) {
        Description(PartOf(layer)) = entry;
    }
}

void PadRecord::SetShapeOnLayer(corvane::TLayer layer, std::uint8_t shape) {
    if (layer > MaxClassicLayer || OnLayer(layer).Shape == shape) {
        return;
    }
    StoreStack();
    ChangeStoredLayer(layer, [shape](PadLayer& entry) { entry.Shape = shape; });
}

void PadRecord::SetSizeOnLayer(corvane::TLayer layer, std::int32_t xSize, std::int32_t ySize) {
    if (layer > MaxClassicLayer) {
        return;
    }
    const PadLayer current = OnLayer(layer);
    if (current.XSize == xSize && current.YSize == ySize) {
        return;
    }
    StoreStack();
    ChangeStoredLayer(layer, [xSize, ySize](PadLayer& entry) {
        entry.XSize = xSize;
        entry.YSize = ySize;
    });
}

void PadRecord::SetCRPercentOnLayer(corvane::TLayer layer, std::uint8_t percent) {
    if (layer > MaxClassicLayer || OnLayer(layer).CRPercent == percent) {
        return;
    }
    if (stack_ == nullptr && layer >= TopLayer && layer <= BottomLayer) {
        Description(PartOf(layer)).CRPercent = percent;
        return;
    }
    StoreStack();
    ChangeStoredLayer(layer, [percent](PadLayer& entry) { entry.CRPercent = percent; });
}

void PadRecord::DescriptionWritten(const PadLayer& oldTop, const PadLayer& oldMid,
                                   const PadLayer& oldBottom) {
    if (stack_ == nullptr) {
        return;
    }
    const auto apply = [this](const PadLayer& now, const PadLayer& before, int first, int last) {
        if (now == before) {
            return;
        }
        for (int layer = first; layer <= last; ++layer) {
            PadLayer& entry = (*stack_)[layer];
            entry.Shape = now.Shape;
            entry.XSize = now.XSize;
            entry.YSize = now.YSize;
        }
    };
    apply(Top, oldTop, TopLayer, TopLayer);
    apply(Mid, oldMid, 2, 31);
    apply(Bottom, oldBottom, BottomLayer, BottomLayer);
}

} // namespace halvex
