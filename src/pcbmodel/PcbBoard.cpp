#include "pcbmodel/PcbBoard.h"

#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

#include <algorithm>
#include <limits>
#include <string>

namespace corvane {
namespace {

constexpr int PlotLayerCount = 109;
constexpr int PlotterPenCount = 8;

} // namespace

TPcbBoard::TPcbBoard(HostHandle boardHandle) : BoardHandle(boardHandle), Layers(boardHandle) {}

TPcbBoard::~TPcbBoard() = default;

std::int32_t TPcbBoard::AddObject(HostHandle objectHandle) {
    if (objectHandle == 0) {
        return 1;
    }
    return PcbApi_AddObjectToContainer(BoardHandle, objectHandle);
}

std::int32_t TPcbBoard::Exchange(std::uint8_t mode) {
    const std::int32_t result = ExchangeProperties(mode);
    ExchangeLayerInfo(mode);
    ExchangeLayers(mode);
    PcbApi_QueryBoardSplitPlaneMode(mode, BoardHandle, &SplitPlaneMode);
    ExchangeGrids(mode);
    ExchangeOutputOptions(mode);
    ExchangeGerberOptions(mode);
    ExchangePrinterOptions(mode);
    ExchangePlacerOptions(mode);
    ExchangeChangeOrderOptions(mode);
    if (mode == ExchangeRead) {
        ReadLayerPairs();
    } else {
        WriteLayerPairs(mode);
    }
    ExchangeExternalDielectrics(mode);
    return result;
}

// The host speaks of the current layer by identifier; the model keeps the classic number.
std::int32_t TPcbBoard::ExchangeProperties(std::uint8_t mode) {
    TLayerId current = LayerToLayerId(CurrentLayer);
    const std::int32_t result = PcbApi_QueryBoard(
        mode, BoardHandle, &BoardValue1, &BoardText, &BoardOption1, &BoardValue2, &BoardValue3,
        &BoardValue4, &BoardValue5, &BoardOption2, &current, &BoardValue6);
    CurrentLayer = LayerIdToLayer(current);
    return result;
}

// The two leading per-layer values are of no use to the board; a write sends zeros for them.
void TPcbBoard::ExchangeLayerInfo(std::uint8_t mode) {
    for (int layer = TBoardLayers::First; layer <= TBoardLayers::Last; ++layer) {
        std::uint8_t scratch = 0;
        PcbApi_QueryBoardLayerInfo(mode, BoardHandle, static_cast<TLayer>(layer), &scratch,
                                   &scratch, &LayerInfo[layer]);
    }
}

void TPcbBoard::ExchangeLayers(std::uint8_t mode) {
    for (int layer = TBoardLayers::First; layer <= TBoardLayers::Last; ++layer) {
        Layers[layer]->Exchange(mode);
    }
}

void TPcbBoard::ExchangeGrids(std::uint8_t mode) {
    PcbApi_QueryBoardGridsEx(mode, BoardHandle, &Grid1, &Grid2, &Grid3, &Grid4, &Grid5, &Grid6,
                             &Grid7, &Grid8, &Grid9, &Grid10, &Grid11, &Grid12, &Grid13, &Grid14);
    SavedGrid1 = Grid13;
    SavedGrid2 = Grid7;
}

void TPcbBoard::ExchangeOutputOptions(std::uint8_t mode) {
    auto& o = OutputOptions;
    PcbApi_QueryBoardOutputOptions(mode, BoardHandle, &OutputValue1, &OutputValue2, &o[0], &o[1],
                                   &o[2], &o[3], &o[4], &o[5], &o[6], &o[7], &o[8], &o[9], &o[10],
                                   &o[11], &o[12], &o[13], &o[14], &o[15], &o[16], &o[17], &o[18],
                                   &o[19], &o[20], &OutputReserved);
    for (int i = 1; i <= PlotLayerCount; ++i) {
        PcbApi_QueryBoardOutputOptionsPlotLayers(mode, BoardHandle, static_cast<std::uint8_t>(i),
                                                 &PlotLayers[i]);
    }
    for (int i = 1; i <= PlotLayerCount; ++i) {
        PcbApi_QueryBoardOutputOptionsFlipLayers(mode, BoardHandle, static_cast<std::uint8_t>(i),
                                                 &FlipLayers[i]);
    }
}

void TPcbBoard::ExchangeGerberOptions(std::uint8_t mode) {
    PcbApi_QueryBoardGerberOptions(
        mode, BoardHandle, &GerberOption1, &GerberOption2, &GerberOption3, &GerberOption4,
        &GerberOption5, &GerberOption6, &GerberOption7, &GerberValue1, &GerberValue2, &GerberValue3,
        &GerberValue4, &GerberValue5, &GerberText, &GerberValue6, &GerberOption8, &GerberOption9,
        &GerberValue7, &GerberValue8, &GerberOption10);
}

void TPcbBoard::ExchangePrinterOptions(std::uint8_t mode) {
    PcbApi_QueryBoardPrinterOptions(
        mode, BoardHandle, &PrinterText1, &PrinterText2, &PrinterText3, &PrinterOption1,
        &PrinterOption2, &PrinterOption3, &PrinterOption4, &PrinterOption5, &PrinterOption6,
        &PrinterValue1, &PrinterReal1, &PrinterReal2, &PrinterReal3, &PrinterReserved,
        &PrinterOption7, &PrinterOption8, &PrinterReal4, &PrinterReal5, &PrinterReal6,
        &PrinterValue2, &PrinterValue3, &PrinterOption9, &PrinterOption10, &PrinterOption11,
        &PrinterOption12, &PrinterOption13);
    for (int i = 1; i <= PlotterPenCount; ++i) {
        PcbApi_QueryBoardPrinterOptionsPlotterPen(mode, BoardHandle, i, &PlotterPens[i].First,
                                                  &PlotterPens[i].Second);
    }
    for (int layer = TBoardLayers::First; layer <= TBoardLayers::Last; ++layer) {
        PcbApi_QueryBoardPrinterOptionsCompositeLayer(mode, BoardHandle, static_cast<TLayer>(layer),
                                                      &CompositeA[layer], &CompositeB[layer],
                                                      &CompositeC[layer], &CompositeD[layer]);
    }
}

void TPcbBoard::ExchangePlacerOptions(std::uint8_t mode) {
    PcbApi_QueryBoardAdvancedPlacerOptions(mode, BoardHandle, &PlacerText1, &PlacerText2,
                                           &PlacerOption1, &PlacerOption2, &PlacerOption3,
                                           &PlacerOption4);
}

void TPcbBoard::ExchangeChangeOrderOptions(std::uint8_t mode) {
    PcbApi_QueryBoardEngineeringChangeOrderOptions(mode, BoardHandle, &ChangeOrderOption,
                                                   &ChangeOrderText);
}

// Pairs are rebuilt on every read. A count the host reports with a failure result means no
// pairs; a negative count means none and an absurd one is cut to MaxLayerPairs, the rest being
// remembered so that a write does not shrink the host's list.
void TPcbBoard::ReadLayerPairs() {
    LayerPairs.clear();
    LayerPairsBeyondCap = 0;
    std::int32_t count = 0;
    if (PcbApi_QueryBoardLayerPairsCount(BoardHandle, &count, ExchangeRead) != 0) {
        return;
    }
    LayerPairsBeyondCap = std::max(count, MaxLayerPairs) - MaxLayerPairs;
    count = std::clamp<std::int32_t>(count, 0, MaxLayerPairs);
    LayerPairs.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        TPcblayerPair pair;
        PcbApi_QueryBoardLayerPairAt(ExchangeRead, BoardHandle, i, &pair.FirstLayer,
                                     &pair.SecondLayer, &pair.PairOption1, &pair.PairOption2);
        pair.PairName = PairNameOf(pair);
        LayerPairs.push_back(pair);
    }
}

// The pairs a capped read left out keep their places after those written.
void TPcbBoard::WriteLayerPairs(std::uint8_t mode) {
    const auto listed = static_cast<std::int64_t>(LayerPairs.size()) + LayerPairsBeyondCap;
    auto count = static_cast<std::int32_t>(
        std::min<std::int64_t>(listed, std::numeric_limits<std::int32_t>::max()));
    PcbApi_QueryBoardLayerPairsCount(BoardHandle, &count, ExchangeWrite);
    std::int32_t index = 0;
    for (auto& pair : LayerPairs) {
        PcbApi_QueryBoardLayerPairAt(mode, BoardHandle, index++, &pair.FirstLayer,
                                     &pair.SecondLayer, &pair.PairOption1, &pair.PairOption2);
    }
}

// The layer higher in the stack is named first; on a tie the second layer comes first. A layer
// without a layer object (an identifier with no classic number) contributes an empty name and
// stack position 0.
String255 TPcbBoard::PairNameOf(const TPcblayerPair& pair) {
    const TLayerObject* second = Layers[pair.GetSecondLayer()];
    const TLayerObject* first = Layers[pair.GetFirstLayer()];
    const auto nameOf = [](const TLayerObject* layer) {
        return layer != nullptr ? layer->LayerName.Str() : std::string();
    };
    const bool secondFirst =
        StackPosition(ElectricalLayers, second) <= StackPosition(ElectricalLayers, first);
    const TLayerObject* upper = secondFirst ? second : first;
    const TLayerObject* lower = secondFirst ? first : second;
    return String255(nameOf(upper) + " - " + nameOf(lower));
}

void TPcbBoard::ExchangeExternalDielectrics(std::uint8_t mode) {
    PcbApi_QueryBoardExternalDielectrics(
        mode, BoardHandle, &Dielectric1.Material, &Dielectric1.Type, &Dielectric1.Constant,
        &Dielectric1.Height, &Dielectric2.Material, &Dielectric2.Type, &Dielectric2.Constant,
        &Dielectric2.Height);
}

void TPcbBoard::SetPlaneNetName(int layer, const String255& name) {
    if (TInternalPlane* plane = Layers.InternalPlane(layer)) {
        plane->PlaneNetName = name;
    }
}

void TPcbBoard::SetPlaneNetName1(const String255& name) {
    SetPlaneNetName(layer::InternalPlane1, name);
}

void TPcbBoard::SetPlaneNetName2(const String255& name) {
    SetPlaneNetName(layer::InternalPlane2, name);
}

void TPcbBoard::SetPlaneNetName3(const String255& name) {
    SetPlaneNetName(layer::InternalPlane3, name);
}

void TPcbBoard::SetPlaneNetName4(const String255& name) {
    SetPlaneNetName(layer::InternalPlane4, name);
}

TLayerObject* TPcbBoard::FirstStackLayer() {
    for (int layer = TBoardLayers::First; layer <= TBoardLayers::Last; ++layer) {
        if (Layers[layer]->PrevLayer == layer::NoLayer) {
            return Layers[layer];
        }
    }
    return nullptr;
}

TLayerObject* TPcbBoard::NextStackLayer(const TLayerObject* layerObject) {
    if (layerObject == nullptr || layerObject->NextLayer == layer::NoLayer) {
        return nullptr;
    }
    return Layers[layerObject->NextLayer];
}

// The host's links may form a loop; each layer is visited at most once, so the walk ends.
std::int32_t TPcbBoard::StackPosition(const TLayerSet& layerSet, const TLayerObject* layerObject) {
    if (layerObject == nullptr || !layerSet.Contains(layerObject->LayerNumber)) {
        return 0;
    }
    std::array<bool, 256> visited{};
    std::int32_t count = 0;
    for (const TLayerObject* layer = FirstStackLayer();
         layer != nullptr && !visited[layer->LayerNumber]; layer = NextStackLayer(layer)) {
        visited[layer->LayerNumber] = true;
        if (layerSet.Contains(layer->LayerNumber)) {
            ++count;
        }
        if (layer == layerObject) {
            break;
        }
    }
    return count;
}

} // namespace corvane
