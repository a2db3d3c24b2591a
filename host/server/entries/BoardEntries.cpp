// The board: finding it from its file name, its properties, the layer stack, the option blocks,
// the layer pairs and the external dielectrics. Per-layer entries take the classic layers 1..82.

#include "entries/EntrySupport.h"
#include "entries/ServerEntries.h"

#include "BoardRecord.h"

using corvane::HostHandle;
using corvane::OpaqueBytes;
using corvane::String255;
using corvane::TLayer;
using corvane::TLayerId;
using namespace halvex;

namespace {

// The board and one of its layers; nullptr with the status when either is missing.
BoardLayer* FindBoardLayer(HostHandle board, TLayer layer, std::int32_t& status) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        status = StatusNoSuchObject;
        return nullptr;
    }
    if (!BoardRecord::IsBoardLayer(layer)) {
        status = StatusBadArgument;
        return nullptr;
    }
    status = StatusOk;
    return &record->Layers[layer];
}

void ExchangeDielectric(const FieldExchange& move, Dielectric& stored, String255* material,
                        std::uint8_t* type, double* constant, std::int32_t* height) {
    move(material, stored.Material);
    move(type, stored.Type);
    move(constant, stored.Constant);
    move(height, stored.Height);
}

} // namespace

extern "C" {

HostHandle PCBAPI_CALL PcbApi_GetBoardHandleFromFullFileName(const String255* fileName) {
    if (fileName == nullptr) {
        return 0;
    }
    const BoardRecord* board = Server::Instance().FindBoardByName(fileName->View());
    return board == nullptr ? 0 : board->Handle;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoard(std::uint8_t mode, HostHandle board,
                                           std::uint32_t* value1, String255* text,
                                           std::uint8_t* option1, std::int32_t* value2,
                                           std::int32_t* value3, std::int32_t* value4,
                                           std::int32_t* value5, std::uint8_t* option2,
                                           TLayerId* currentLayer, std::uint32_t* value6) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(value1, record->Value1);
    move(text, record->Text);
    move(option1, record->Option1);
    move(value2, record->Value2);
    move(value3, record->Value3);
    move(value4, record->Value4);
    move(value5, record->Value5);
    move(option2, record->Option2);
    move(currentLayer, record->CurrentLayer);
    move(value6, record->Value6);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardLayerInfo(std::uint8_t mode, HostHandle board,
                                                    TLayer layer, std::uint8_t* scratch1,
                                                    std::uint8_t* scratch2, std::uint32_t* info) {
    std::int32_t status = StatusOk;
    BoardLayer* stored = FindBoardLayer(board, layer, status);
    if (stored != nullptr) {
        const FieldExchange move(mode);
        move(scratch1, stored->InfoByte1);
        move(scratch2, stored->InfoByte2);
        move(info, stored->Info);
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_QueryLayer(std::uint8_t mode, TLayer layer, HostHandle board,
                                           String255* name, std::int32_t* copperThickness,
                                           std::uint8_t* option1, std::uint8_t* option2,
                                           TLayer* prevLayer, TLayer* nextLayer,
                                           std::uint8_t* option3) {
    std::int32_t status = StatusOk;
    BoardLayer* stored = FindBoardLayer(board, layer, status);
    if (stored != nullptr) {
        const FieldExchange move(mode);
        move(name, stored->Name);
        move(copperThickness, stored->CopperThickness);
        move(option1, stored->Option1);
        move(option2, stored->Option2);
        move(prevLayer, stored->PrevLayer);
        move(nextLayer, stored->NextLayer);
        move(option3, stored->Option3);
    }
    return status;
}

// Only the internal planes 39..54 answer.
std::int32_t PCBAPI_CALL PcbApi_QueryInternalPlane(std::uint8_t mode, TLayer layer,
                                                   HostHandle board, String255* name,
                                                   std::int32_t* copperThickness,
                                                   std::uint8_t* option1, std::uint8_t* option2,
                                                   TLayer* prevLayer, TLayer* nextLayer,
                                                   String255* planeNetName) {
    std::int32_t status = StatusOk;
    BoardLayer* stored = FindBoardLayer(board, layer, status);
    if (stored != nullptr && !IsClassicPlane(layer)) {
        return StatusBadArgument;
    }
    if (stored != nullptr) {
        const FieldExchange move(mode);
        move(name, stored->Name);
        move(copperThickness, stored->CopperThickness);
        move(option1, stored->Option1);
        move(option2, stored->Option2);
        move(prevLayer, stored->PrevLayer);
        move(nextLayer, stored->NextLayer);
        move(planeNetName, stored->PlaneNetName);
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_QueryLayerDielectric(std::uint8_t mode, TLayer layer,
                                                     HostHandle board, String255* material,
                                                     std::uint8_t* type, double* constant,
                                                     std::int32_t* height) {
    std::int32_t status = StatusOk;
    BoardLayer* stored = FindBoardLayer(board, layer, status);
    if (stored != nullptr) {
        ExchangeDielectric(FieldExchange{mode}, stored->LayerDielectric, material, type, constant,
                           height);
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardSplitPlaneMode(std::uint8_t mode, HostHandle board,
                                                         std::uint8_t* splitPlaneMode) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    FieldExchange{mode}(splitPlaneMode, record->SplitPlaneMode);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardGridsEx(std::uint8_t mode, HostHandle board,
                                                  std::uint8_t* g1, std::uint8_t* g2,
                                                  std::uint8_t* g3, std::uint8_t* g4, double* g5,
                                                  double* g6, double* g7, double* g8,
                                                  std::int32_t* g9, std::uint8_t* g10, double* g11,
                                                  double* g12, double* g13, double* g14) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    GridOptions& grids = record->Grids;
    std::uint8_t* bytes[] = {g1, g2, g3, g4};
    double* first[] = {g5, g6, g7, g8};
    double* second[] = {g11, g12, g13, g14};
    for (std::size_t i = 0; i < 4; ++i) {
        move(bytes[i], grids.Bytes[i]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        move(first[i], grids.Grids[i]);
    }
    move(g9, grids.Value);
    move(g10, grids.Byte);
    for (std::size_t i = 0; i < 4; ++i) {
        move(second[i], grids.MoreGrids[i]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardOutputOptions(
    std::uint8_t mode, HostHandle board, std::int32_t* v1, std::int32_t* v2, std::uint8_t* o1,
    std::uint8_t* o2, std::uint8_t* o3, std::uint8_t* o4, std::uint8_t* o5, std::uint8_t* o6,
    std::uint8_t* o7, std::uint8_t* o8, std::uint8_t* o9, std::uint8_t* o10, std::uint8_t* o11,
    std::uint8_t* o12, std::uint8_t* o13, std::uint8_t* o14, std::uint8_t* o15, std::uint8_t* o16,
    std::uint8_t* o17, std::uint8_t* o18, std::uint8_t* o19, std::uint8_t* o20, std::uint8_t* o21,
    OpaqueBytes<25>* reserved) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    OutputOptions& output = record->Output;
    move(v1, output.Value1);
    move(v2, output.Value2);
    std::uint8_t* options[] = {o1,  o2,  o3,  o4,  o5,  o6,  o7,  o8,  o9,  o10, o11,
                               o12, o13, o14, o15, o16, o17, o18, o19, o20, o21};
    for (std::size_t i = 0; i < output.Options.size(); ++i) {
        move(options[i], output.Options[i]);
    }
    move(reserved, output.Reserved);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardOutputOptionsPlotLayers(std::uint8_t mode,
                                                                  HostHandle board,
                                                                  std::uint8_t index,
                                                                  std::uint8_t* value) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (index < 1 || index > OutputOptions::LayerSlots) {
        return StatusBadArgument;
    }
    FieldExchange{mode}(value, record->Output.PlotLayers[index]);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardOutputOptionsFlipLayers(std::uint8_t mode,
                                                                  HostHandle board,
                                                                  std::uint8_t index,
                                                                  std::uint8_t* value) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (index < 1 || index > OutputOptions::LayerSlots) {
        return StatusBadArgument;
    }
    FieldExchange{mode}(value, record->Output.FlipLayers[index]);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardGerberOptions(
    std::uint8_t mode, HostHandle board, std::uint8_t* o1, std::uint8_t* o2, std::uint8_t* o3,
    std::uint8_t* o4, std::uint8_t* o5, std::uint8_t* o6, std::uint8_t* o7, std::int32_t* v1,
    std::int32_t* v2, std::int32_t* v3, std::int32_t* v4, std::int32_t* v5, String255* text,
    std::int32_t* v6, std::uint8_t* o8, std::uint8_t* o9, std::int32_t* v7, std::int32_t* v8,
    std::uint8_t* o10) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    GerberOptions& gerber = record->Gerber;
    std::uint8_t* options[] = {o1, o2, o3, o4, o5, o6, o7};
    for (std::size_t i = 0; i < gerber.Options.size(); ++i) {
        move(options[i], gerber.Options[i]);
    }
    std::int32_t* values[] = {v1, v2, v3, v4, v5};
    for (std::size_t i = 0; i < gerber.Values.size(); ++i) {
        move(values[i], gerber.Values[i]);
    }
    move(text, gerber.Text);
    move(v6, gerber.Value6);
    move(o8, gerber.Option8);
    move(o9, gerber.Option9);
    move(v7, gerber.Value7);
    move(v8, gerber.Value8);
    move(o10, gerber.Option10);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardPrinterOptions(
    std::uint8_t mode, HostHandle board, String255* t1, String255* t2, String255* t3,
    std::uint8_t* o1, std::uint8_t* o2, std::uint8_t* o3, std::uint8_t* o4, std::uint8_t* o5,
    std::uint8_t* o6, std::int32_t* v1, double* d1, double* d2, double* d3,
    OpaqueBytes<27>* reserved, std::uint8_t* o7, std::uint8_t* o8, double* d4, double* d5,
    double* d6, std::int32_t* v2, std::int32_t* v3, std::uint8_t* o9, std::uint8_t* o10,
    std::uint8_t* o11, std::uint8_t* o12, std::uint8_t* o13) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    PrinterOptions& printer = record->Printer;
    String255* texts[] = {t1, t2, t3};
    for (std::size_t i = 0; i < printer.Texts.size(); ++i) {
        move(texts[i], printer.Texts[i]);
    }
    std::uint8_t* options[] = {o1, o2, o3, o4, o5, o6};
    for (std::size_t i = 0; i < printer.Options.size(); ++i) {
        move(options[i], printer.Options[i]);
    }
    move(v1, printer.Value1);
    double* doubles[] = {d1, d2, d3};
    for (std::size_t i = 0; i < printer.Doubles.size(); ++i) {
        move(doubles[i], printer.Doubles[i]);
    }
    move(reserved, printer.Reserved);
    move(o7, printer.Option7);
    move(o8, printer.Option8);
    double* moreDoubles[] = {d4, d5, d6};
    for (std::size_t i = 0; i < printer.MoreDoubles.size(); ++i) {
        move(moreDoubles[i], printer.MoreDoubles[i]);
    }
    move(v2, printer.Value2);
    move(v3, printer.Value3);
    std::uint8_t* moreOptions[] = {o9, o10, o11, o12, o13};
    for (std::size_t i = 0; i < printer.MoreOptions.size(); ++i) {
        move(moreOptions[i], printer.MoreOptions[i]);
    }
    return StatusOk;
}

// Pens 1..8.
std::int32_t PCBAPI_CALL PcbApi_QueryBoardPrinterOptionsPlotterPen(std::uint8_t mode,
                                                                   HostHandle board,
                                                                   std::int32_t index,
                                                                   std::int32_t* first,
                                                                   std::int32_t* second) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (index < 1 || index > PrinterOptions::PenCount) {
        return StatusBadArgument;
    }
    const FieldExchange move(mode);
    move(first, record->Printer.Pens[index][0]);
    move(second, record->Printer.Pens[index][1]);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardPrinterOptionsCompositeLayer(
    std::uint8_t mode, HostHandle board, TLayer layer, std::int32_t* a, std::int32_t* b,
    std::uint8_t* c, std::int32_t* d) {
    std::int32_t status = StatusOk;
    BoardLayer* stored = FindBoardLayer(board, layer, status);
    if (stored != nullptr) {
        const FieldExchange move(mode);
        move(a, stored->CompositeA);
        move(b, stored->CompositeB);
        move(c, stored->CompositeC);
        move(d, stored->CompositeD);
    }
    return status;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardAdvancedPlacerOptions(std::uint8_t mode, HostHandle board,
                                                                String255* t1, String255* t2,
                                                                std::uint8_t* o1, std::uint8_t* o2,
                                                                std::uint8_t* o3,
                                                                std::uint8_t* o4) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    PlacerOptions& placer = record->Placer;
    move(t1, placer.Texts[0]);
    move(t2, placer.Texts[1]);
    std::uint8_t* options[] = {o1, o2, o3, o4};
    for (std::size_t i = 0; i < placer.Options.size(); ++i) {
        move(options[i], placer.Options[i]);
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardEngineeringChangeOrderOptions(std::uint8_t mode,
                                                                        HostHandle board,
                                                                        std::uint8_t* o1,
                                                                        String255* t1) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    move(o1, record->ChangeOrder.Option);
    move(t1, record->ChangeOrder.Text);
    return StatusOk;
}

// Read: the number of pairs. Write: the board keeps that many pairs (new ones zero, extra ones
// dropped; the count is cut to 0..MaxLayerPairs). Note the order: board, count, mode.
std::int32_t PCBAPI_CALL PcbApi_QueryBoardLayerPairsCount(HostHandle board, std::int32_t* count,
                                                          std::uint8_t mode) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (count == nullptr) {
        return StatusBadArgument;
    }
    if (FieldExchange{mode}.Reading()) {
        *count = static_cast<std::int32_t>(record->LayerPairs.size());
    } else {
        const std::int32_t kept = *count < 0                            ? 0
                                  : *count > BoardRecord::MaxLayerPairs ? BoardRecord::MaxLayerPairs
                                                                        : *count;
        record->LayerPairs.resize(static_cast<std::size_t>(kept));
    }
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardLayerPairAt(std::uint8_t mode, HostHandle board,
                                                      std::int32_t index, TLayerId* firstLayer,
                                                      TLayerId* secondLayer, std::uint8_t* option1,
                                                      std::uint8_t* option2) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= record->LayerPairs.size()) {
        return StatusBadArgument;
    }
    LayerPair& pair = record->LayerPairs[static_cast<std::size_t>(index)];
    const FieldExchange move(mode);
    move(firstLayer, pair.FirstLayer);
    move(secondLayer, pair.SecondLayer);
    move(option1, pair.Option1);
    move(option2, pair.Option2);
    return StatusOk;
}

std::int32_t PCBAPI_CALL PcbApi_QueryBoardExternalDielectrics(
    std::uint8_t mode, HostHandle board, String255* material1, std::uint8_t* type1,
    double* constant1, std::int32_t* height1, String255* material2, std::uint8_t* type2,
    double* constant2, std::int32_t* height2) {
    BoardRecord* record = FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const FieldExchange move(mode);
    ExchangeDielectric(move, record->External1, material1, type1, constant1, height1);
    ExchangeDielectric(move, record->External2, material2, type2, constant2, height2);
    return StatusOk;
}

} // extern "C"
