#pragma once
// A board document: the file it was opened for, the free objects, components and nets on it, its
// properties, its layer stack and its option blocks. Every field is kept at the width of the
// board's exchange, so that a read followed by a write returns what the server gave.
// Units: thicknesses and heights in host units (1/10000 mil); dielectric constants plain numbers.

#include "Container.h"
#include "HostLayerTable.h"

#include "contract/HostTypes.h"

#include <array>
#include <string>
#include <vector>

namespace halvex {

using corvane::HostHandle;

struct Dielectric {
    std::string Material = "FR-4";
    std::uint8_t Type = 1;
    double Constant = 4.8;
    /// Host units; 126000 = 12.6 mil.
    std::int32_t Height = 126000;
};

/// One classic layer of the board, in the stack or not.
struct BoardLayer {
    std::string Name;
    std::int32_t CopperThickness = 14000;
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
    /// The layers above and below in the stack (classic numbers; 0: none).
    corvane::TLayer PrevLayer = 0;
    corvane::TLayer NextLayer = 0;
    std::uint8_t Option3 = 0;
    /// Net of an internal plane; "(No Net)" when it has none.
    std::string PlaneNetName;
    Dielectric LayerDielectric;

    // Per-layer values of the board's other exchanges.
    std::uint8_t InfoByte1 = 0;
    std::uint8_t InfoByte2 = 0;
    std::uint32_t Info = 0;
    std::int32_t CompositeA = 0;
    std::int32_t CompositeB = 0;
    std::uint8_t CompositeC = 0;
    std::int32_t CompositeD = 0;
};

struct LayerPair {
    corvane::TLayerId FirstLayer = 0;
    corvane::TLayerId SecondLayer = 0;
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
};

struct GridOptions {
    std::array<std::uint8_t, 4> Bytes{}; // fields 1..4
    std::array<double, 4> Grids{};       // fields 5..8
    std::int32_t Value = 0;              // field 9
    std::uint8_t Byte = 0;               // field 10
    std::array<double, 4> MoreGrids{};   // fields 11..14
};

struct OutputOptions {
    static constexpr int LayerSlots = 109;
    std::int32_t Value1 = 0;
    std::int32_t Value2 = 0;
    std::array<std::uint8_t, 21> Options{};
    corvane::OpaqueBytes<25> Reserved{};
    /// Indexed 1..109 (index 0 unused).
    std::array<std::uint8_t, LayerSlots + 1> PlotLayers{};
    std::array<std::uint8_t, LayerSlots + 1> FlipLayers{};
};

struct GerberOptions {
    std::array<std::uint8_t, 7> Options{}; // fields 1..7
    std::array<std::int32_t, 5> Values{};  // fields 8..12
    std::string Text;                      // field 13
    std::int32_t Value6 = 0;
    std::uint8_t Option8 = 0;
    std::uint8_t Option9 = 0;
    std::int32_t Value7 = 0;
    std::int32_t Value8 = 0;
    std::uint8_t Option10 = 0;
};

struct PrinterOptions {
    static constexpr int PenCount = 8;
    std::array<std::string, 3> Texts;
    std::array<std::uint8_t, 6> Options{};
    std::int32_t Value1 = 0;
    std::array<double, 3> Doubles{};
    corvane::OpaqueBytes<27> Reserved{};
    std::uint8_t Option7 = 0;
    std::uint8_t Option8 = 0;
    std::array<double, 3> MoreDoubles{};
    std::int32_t Value2 = 0;
    std::int32_t Value3 = 0;
    std::array<std::uint8_t, 5> MoreOptions{};
    /// Plotter pens indexed 1..8 (index 0 unused): two values each.
    std::array<std::array<std::int32_t, 2>, PenCount + 1> Pens{};
};

struct PlacerOptions {
    std::array<std::string, 2> Texts;
    std::array<std::uint8_t, 4> Options{};
};

struct ChangeOrderOptions {
    std::uint8_t Option = 0;
    std::string Text;
};

/// A board. New: the stack "TopLayer" (1) -> "InternalPlane1" (39) -> "InternalPlane2" (40) ->
/// "BottomLayer" (32), planes on "(No Net)", every layer named from the classic table with 1.4 mil
/// copper and an FR-4 dielectric, current layer "TopLayer", split-plane mode 1, no layer pairs.
struct BoardRecord {
    BoardRecord(HostHandle handle, std::string fileName);

    const HostHandle Handle;
    const std::string FileName;

    /// Free objects, components and nets, in the order they were added.
    Container Objects;

    std::uint32_t Value1 = 0;
    std::string Text;
    std::uint8_t Option1 = 0;
    std::int32_t Value2 = 0;
    std::int32_t Value3 = 0;
    std::int32_t Value4 = 0;
    std::int32_t Value5 = 0;
    std::uint8_t Option2 = 0;
    corvane::TLayerId CurrentLayer = TopLayer;
    std::uint32_t Value6 = 0;

    /// Indexed by classic layer 1..82 (index 0 unused).
    std::array<BoardLayer, ClassicLayerCount> Layers;
    std::uint8_t SplitPlaneMode = 1;
    GridOptions Grids;
    OutputOptions Output;
    GerberOptions Gerber;
    PrinterOptions Printer;
    PlacerOptions Placer;
    ChangeOrderOptions ChangeOrder;
    std::vector<LayerPair> LayerPairs;
    Dielectric External1;
    Dielectric External2;

    /// The most layer pairs a board keeps; a larger count is cut to it.
    static constexpr std::int32_t MaxLayerPairs = 1000;

    /// True for 1..82, the layers the board's exchanges take.
    static constexpr bool IsBoardLayer(corvane::TLayer layer) {
        return layer >= 1 && layer <= MaxClassicLayer;
    }

    /// The layers of the stack from the top: from the first layer (1..82) without a layer above
    /// along NextLayer, each layer once.
    std::vector<corvane::TLayer> StackLayers() const;
};

} // namespace halvex
