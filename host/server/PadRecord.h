#pragma once
// A pad: its simple top / mid / bottom description and, in stack mode 2 only, a stored per-layer
// stack of the 83 classic layers. Without a stored stack the per-layer answers come from the
// description: layer 1 ("TopLayer") from the top, layers 2..31 (mid layers) from the mid, layer 32
// ("BottomLayer") from the bottom, and every other layer from the top.
// Units: sizes and corner radii in host units (1/10000 mil); percentages 0..100.

#include "HostLayerTable.h"
#include "KindRecord.h"

#include "contract/HostTypes.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace halvex {

/// Pad shape codes the server itself gives a meaning (every other code is carried as it is).
inline constexpr std::uint8_t ShapeRound = 1;
inline constexpr std::uint8_t ShapeRectangle = 2;
inline constexpr std::uint8_t ShapeOctagonal = 3;
/// The rounded rectangle, whose corner radius follows the corner-radius percentage.
inline constexpr std::uint8_t ShapeRoundedRectangle = 9;

/// Stack mode in which the per-layer stack is stored and in force.
inline constexpr std::uint8_t StackModeFullStack = 2;

/// The last mid layer ("MidLayer30"), the mid part of a stored stack's description.
inline constexpr corvane::TLayer LastMidLayer = 31;

/// A pad's copper on one layer.
struct PadLayer {
    std::int32_t XSize = 0;
    std::int32_t YSize = 0;
    std::uint8_t Shape = 0;
    std::uint8_t CRPercent = 0;

    friend bool operator==(const PadLayer&, const PadLayer&) = default;
};

/// Corner radius of a shape on a layer: for the rounded rectangle the percentage of half the
/// smaller size, for every other shape 0.
inline std::int32_t CornerRadius(const PadLayer& layer) {
    if (layer.Shape != ShapeRoundedRectangle) {
        return 0;
    }
    const std::int64_t smaller = std::min(layer.XSize, layer.YSize);
    return static_cast<std::int32_t>(smaller * layer.CRPercent / 200);
}

/// A pad at (X, Y). New: round, 60 mil on every layer, no hole, on "TopLayer", stack mode 0,
/// corner-radius percentage 50.
struct PadRecord : KindRecord<ObjectKind::Pad> {
    explicit PadRecord(HostHandle handle);

    // The description, one PadLayer each for top, mid and bottom.
    PadLayer Top;
    PadLayer Mid;
    PadLayer Bottom;
    std::int32_t HoleSize = 0;
    /// At most 20 characters.
    std::string Name;
    double Rotation = 0.0;

    // Values the host's exchange carries.
    std::uint8_t PadByte1 = 0;
    std::uint8_t PadByte2 = 0;
    corvane::OpaqueBytes<21> PadBlock1{};
    corvane::OpaqueBytes<21> PadBlock2{};
    std::int32_t PadValue1 = 0;
    corvane::OpaqueBytes<21> PadBlock3{};
    std::uint8_t PadByte3 = 0;
    std::uint8_t PadByte4 = 0;
    std::int32_t PadValue2 = 0;
    std::uint64_t PadWide1 = 0;
    std::int32_t PadValue3 = 0;
    std::int32_t PadValue4 = 0;
    std::int32_t PadValue5 = 0;
    Bool8 PadViaFlag1 = 0;
    Bool8 PadViaFlag2 = 0;

    std::uint8_t StackMode() const { return stackMode_; }
    /// Stores the mode; mode 2 stores the stack (from the description when there was none), any
    /// other mode drops a stored stack and answers from the description again.
    void SetStackMode(std::uint8_t mode);
    bool HasStoredStack() const { return stack_ != nullptr; }

    /// The pad's copper on a classic layer (0..82). Answered in place, without a copy: the
    /// per-layer queries ask it four times per layer for every pad the plug-in reads.
    const PadLayer& OnLayer(corvane::TLayer layer) const;

    // The per-layer setters (layer 0..82). A value that changes what the layer answers switches the
    // pad to a stored stack (stack mode 2) first, except a corner-radius percentage on layers
    // 1..32 without a stored stack, which sets the percentage of the top, mid or bottom part.
    // With a stored stack the description is layers 1 (top), 31 (the last mid layer, where the
    // plug-in's model takes the mid percentage from) and 32 (bottom): a change to one of those
    // three layers changes the description too.
    void SetShapeOnLayer(corvane::TLayer layer, std::uint8_t shape);
    void SetSizeOnLayer(corvane::TLayer layer, std::int32_t xSize, std::int32_t ySize);
    void SetCRPercentOnLayer(corvane::TLayer layer, std::uint8_t percent);

    /// After the description was written: with a stored stack, a part whose shape or sizes
    /// changed gives its shape and sizes to its layers of the stack (top: 1, mid: 2..31,
    /// bottom: 32).
    void DescriptionWritten(const PadLayer& oldTop, const PadLayer& oldMid,
                            const PadLayer& oldBottom);

private:
    enum class Part { Top, Mid, Bottom };
    static Part PartOf(corvane::TLayer layer) {
        if (layer >= 2 && layer <= LastMidLayer) {
            return Part::Mid;
        }
        return layer == BottomLayer ? Part::Bottom : Part::Top;
    }
    PadLayer& Description(Part part) {
        return part == Part::Top ? Top : part == Part::Mid ? Mid : Bottom;
    }
    const PadLayer& Description(Part part) const {
        return part == Part::Top ? Top : part == Part::Mid ? Mid : Bottom;
    }
    void StoreStack();
    /// Changes one layer of the stored stack and keeps the description in step with it.
    template <typename Change> void ChangeStoredLayer(corvane::TLayer layer, Change change);

    std::uint8_t stackMode_ = 0;
    std::unique_ptr<std::array<PadLayer, ClassicLayerCount>> stack_;
};

/// The part of the description that answers each classic layer without a stored stack. A table
/// rather than tests: a pad read asks four queries on each of the 83 layers.
inline constexpr auto DescriptionPartOfLayer = [] {
    std::array<PadLayer PadRecord::*, ClassicLayerCount> part{};
    for (std::size_t layer = 0; layer < part.size(); ++layer) {
        part[layer] = layer >= 2 && layer <= LastMidLayer ? &PadRecord::Mid
                      : layer == BottomLayer              ? &PadRecord::Bottom
                                                          : &PadRecord::Top;
    }
    return part;
}();

inline const PadLayer& PadRecord::OnLayer(corvane::TLayer layer) const {
    if (layer > MaxClassicLayer) {
        return Top;
    }
    // Most pads have no stored stack: that road runs straight through, without a jump.
    if (stack_ != nullptr) [[unlikely]] {
        return (*stack_)[layer];
    }
    return this->*DescriptionPartOfLayer[layer];
}

} // namespace halvex
