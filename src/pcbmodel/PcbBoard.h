#pragma once
// Model-side mirror of one host board: its properties and options, its layer stack and its
// drill layer pairs. Coordinates, grid steps and heights are host units (1/10000 mil).
//
// The option blocks are carried, not interpreted: a read followed by a write hands the host back
// what it gave. Every field is handed to the host by address, so each keeps its exact width.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"
#include "pcbmodel/BoardLayers.h"
#include "pcbmodel/LayerPair.h"
#include "pcbmodel/LayerSet.h"

#include <array>
#include <cstdint>
#include <vector>

namespace corvane {

/// An external dielectric of the board.
struct TDielectricRecord {
    String255 Material{"FR-4"};
    std::uint8_t Type = 1;
    double Constant = 4.8;
    std::int32_t Height = 126000;
};

/// One plotter pen: two host values.
struct TPlotterPen {
    std::int32_t First = 0;
    std::int32_t Second = 0;
};

class TPcbBoard {
public:
    /// Stores the host board handle and builds the default layer stack; never calls the host.
    explicit TPcbBoard(HostHandle boardHandle);
    virtual ~TPcbBoard();

    TPcbBoard(const TPcbBoard&) = delete;
    TPcbBoard& operator=(const TPcbBoard&) = delete;

    /// Reads (ExchangeRead) or writes (any other mode) the whole board; returns the result of
    /// the board-properties call.
    virtual std::int32_t Exchange(std::uint8_t mode);

    HostHandle GetBoardHandle() const { return BoardHandle; }

    /// Adds a host object to the board. Handle 0 answers 1 without calling the host; otherwise
    /// the result of PcbApi_AddObjectToContainer(board, object).
    std::int32_t AddObject(HostHandle objectHandle);

    /// Name the nets of internal planes 1..4 in the model; the next write sends them.
    void SetPlaneNetName1(const String255& name);
    void SetPlaneNetName2(const String255& name);
    void SetPlaneNetName3(const String255& name);
    void SetPlaneNetName4(const String255& name);

    /// The first layer (in layer order) that has no layer above it, or nullptr.
    TLayerObject* FirstStackLayer();
    /// The layer below the given one, or nullptr at the end of the stack.
    TLayerObject* NextStackLayer(const TLayerObject* layerObject);
    /// 1-based position of a layer among the set's layers in stack order; 0 when the layer is not
    /// in the set. A layer that is not on the stack gives the number of set layers on the stack.
    std::int32_t StackPosition(const TLayerSet& layerSet, const TLayerObject* layerObject);

    /// The most layer pairs a read keeps, whatever count the host reports.
    static constexpr std::int32_t MaxLayerPairs = 4096;

    HostHandle BoardHandle;
    std::uint32_t BoardValue1 = 0;
    String255 BoardText;
    std::uint8_t BoardOption1 = 0;
    std::int32_t BoardValue2 = 0;
    std::int32_t BoardValue3 = 0;
    std::int32_t BoardValue4 = 0;
    std::int32_t BoardValue5 = 0;
    std::uint8_t BoardOption2 = 0;
    TDielectricRecord Dielectric1;
    TDielectricRecord Dielectric2;
    TLayer CurrentLayer = 0;
    TBoardLayers Layers;
    std::vector<TPcblayerPair> LayerPairs;
    /// The host's pairs the last read left out at MaxLayerPairs (not exchanged): a write counts
    /// them in and leaves them as they are.
    std::int32_t LayerPairsBeyondCap = 0;
    std::array<std::uint32_t, MaxClassicLayer + 1> LayerInfo{}; // index = layer, 1..82

    // Grids, numbered by their place in the grid exchange (9 and 10 are kept further down).
    std::uint8_t Grid1 = 0;
    std::uint8_t Grid2 = 0;
    std::uint8_t Grid3 = 0;
    std::uint8_t Grid4 = 0;
    double Grid5 = 0;
    double Grid6 = 0;
    double Grid7 = 0;
    double Grid8 = 0;
    double Grid11 = 0;
    double Grid12 = 0;
    double Grid13 = 0;
    double Grid14 = 0;
    double SavedGrid1 = 0; // copy of Grid13 after each exchange; never sent
    double SavedGrid2 = 0; // copy of Grid7 after each exchange; never sent

    // Output options.
    std::int32_t OutputValue1 = 0;
    std::int32_t OutputValue2 = 0;
    std::array<std::uint8_t, 21> OutputOptions{};
    OpaqueBytes<25> OutputReserved{};
    std::array<std::uint8_t, 110> PlotLayers{}; // index 1..109
    std::array<std::uint8_t, 110> FlipLayers{}; // index 1..109

    // Gerber options.
    std::uint8_t GerberOption1 = 0;
    std::uint8_t GerberOption2 = 0;
    std::uint8_t GerberOption3 = 0;
    std::uint8_t GerberOption4 = 0;
    std::uint8_t GerberOption5 = 0;
    std::uint8_t GerberOption6 = 0;
    std::uint8_t GerberOption7 = 0;
    std::int32_t GerberValue1 = 0;
    std::int32_t GerberValue2 = 0;
    std::int32_t GerberValue3 = 0;
    std::int32_t GerberValue4 = 0;
    std::int32_t GerberValue5 = 0;
    String255 GerberText;
    std::int32_t GerberValue6 = 0;
    std::uint8_t GerberOption8 = 0;
    std::uint8_t GerberOption9 = 0;
    std::int32_t GerberValue7 = 0;
    std::int32_t GerberValue8 = 0;
    std::uint8_t GerberOption10 = 0;

    // Printer options.
    String255 PrinterText1;
    String255 PrinterText2;
    String255 PrinterText3;
    std::uint8_t PrinterOption1 = 0;
    std::uint8_t PrinterOption2 = 0;
    std::uint8_t PrinterOption3 = 0;
    std::uint8_t PrinterOption4 = 0;
    std::uint8_t PrinterOption5 = 0;
    std::uint8_t PrinterOption6 = 0;
    std::int32_t PrinterValue1 = 0;
    double PrinterReal1 = 0;
    double PrinterReal2 = 0;
    double PrinterReal3 = 0;
    OpaqueBytes<27> PrinterReserved{};
    std::uint8_t PrinterOption7 = 0;
    std::uint8_t PrinterOption8 = 0;
    double PrinterReal4 = 0;
    double PrinterReal5 = 0;
    double PrinterReal6 = 0;
    std::int32_t PrinterValue2 = 0;
    std::int32_t PrinterValue3 = 0;
    std::uint8_t PrinterOption9 = 0;
    std::uint8_t PrinterOption10 = 0;
    std::uint8_t PrinterOption11 = 0;
    std::uint8_t PrinterOption12 = 0;
    std::uint8_t PrinterOption13 = 0;
    std::array<TPlotterPen, 9> PlotterPens{};                   // index 1..8
    std::array<std::int32_t, MaxClassicLayer + 1> CompositeA{}; // index = layer, 1..82
    std::array<std::int32_t, MaxClassicLayer + 1> CompositeB{};
    std::array<std::uint8_t, MaxClassicLayer + 1> CompositeC{};
    std::array<std::int32_t, MaxClassicLayer + 1> CompositeD{};

    // Placer options.
    String255 PlacerText1;
    String255 PlacerText2;
    std::uint8_t PlacerOption1 = 0;
    std::uint8_t PlacerOption2 = 0;
    std::uint8_t PlacerOption3 = 0;
    std::uint8_t PlacerOption4 = 0;

    // Change-order options.
    std::uint8_t ChangeOrderOption = 0;
    String255 ChangeOrderText;

    std::int32_t Grid9 = 0;
    std::uint8_t Grid10 = 0;
    std::uint32_t BoardValue6 = 0;
    std::uint8_t SplitPlaneMode = 1;

private:
    std::int32_t ExchangeProperties(std::uint8_t mode);
    void ExchangeLayerInfo(std::uint8_t mode);
    void ExchangeLayers(std::uint8_t mode);
    void ExchangeGrids(std::uint8_t mode);
    void ExchangeOutputOptions(std::uint8_t mode);
    void ExchangeGerberOptions(std::uint8_t mode);
    void ExchangePrinterOptions(std::uint8_t mode);
    void ExchangePlacerOptions(std::uint8_t mode);
    void ExchangeChangeOrderOptions(std::uint8_t mode);
    void ReadLayerPairs();
    void WriteLayerPairs(std::uint8_t mode);
    void ExchangeExternalDielectrics(std::uint8_t mode);

    void SetPlaneNetName(int layer, const String255& name);
    String255 PairNameOf(const TPcblayerPair& pair);
};

} // namespace corvane
