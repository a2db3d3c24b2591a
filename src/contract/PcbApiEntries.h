#pragma once
// The signature of every host PCB server entry point this module calls.
//
// This list is the binary contract with the server: argument order and the width of every field
// behind a pointer. The plug-in's entry table and wrappers, the substitute server and the
// recording test server are all generated from it, so the two sides cannot drift apart.
//
// X(kind, result, name, unbound, params, args)
//   kind    Plain: the wrapper is generated; Custom: the wrapper is written by hand (strings).
//   unbound the wrapper's result while the server or the entry is missing.
//
// Byte arguments (modes, kind codes, classic layers, shapes, percentages) occupy one 32-bit
// stack slot each on the 32-bit target; only their low byte is meaningful.

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <cstdint>
#include <string_view>

// clang-format off
#define CORVANE_PCBAPI_ENTRIES(X)                                                                  \
    /* Object base */                                                                              \
    X(Plain, void, PcbApi_GetObjectBitField2, 0,                                                   \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* bitField2),                    \
      (mode, handle, bitField2))                                                                   \
    X(Plain, void, PcbApi_GetObjectBitField3, 0,                                                   \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* bitField3),                   \
      (mode, handle, bitField3))                                                                   \
    X(Plain, std::int32_t, PcbApi_QueryPrimitive, 0,                                               \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, std::uint32_t* ownerHandle,                   \
       corvane::Bool8* objectFlag),                                                                \
      (mode, handle, flags, tag, layer, net, ownerHandle, objectFlag))                             \
    X(Plain, std::int32_t, PcbApi_QueryObjectBoundingRectangle, 0,                                 \
      (corvane::HostHandle handle, std::int32_t* b1, std::int32_t* b2, std::int32_t* b3,           \
       std::int32_t* b4),                                                                          \
      (handle, b1, b2, b3, b4))                                                                    \
    X(Plain, std::int32_t, PcbApi_QueryObjectImport_FromUser, 0, (corvane::HostHandle handle),     \
      (handle))                                                                                    \
    X(Plain, std::int32_t, PcbApi_QueryObjectGraphicallyInvalidate, 0,                             \
      (corvane::HostHandle handle), (handle))                                                      \
    /* Tracks, vias, arcs, fills, regions */                                                       \
    X(Plain, std::int32_t, PcbApi_QueryTrack, 0,                                                   \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint32_t* ownerHandle, std::int32_t* x, std::int32_t* y, std::int32_t* x2,             \
       std::int32_t* y2, std::int32_t* width, std::int32_t* aux1, std::int32_t* aux2,              \
       std::int32_t* aux3),                                                                        \
      (mode, handle, flags, tag, layer, net, objectFlag, ownerHandle, x, y, x2, y2, width, aux1,   \
       aux2, aux3))                                                                                \
    X(Plain, std::int32_t, PcbApi_QueryVia, 0,                                                     \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayer* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                     \
       std::uint32_t* ownerHandle, std::int32_t* x, std::int32_t* y, std::int32_t* size,           \
       std::int32_t* holeSize, corvane::TLayer* startLayer, corvane::TLayer* endLayer,             \
       corvane::Bool8* padViaFlag1, corvane::Bool8* padViaFlag2),                                  \
      (mode, handle, flags, tag, layer, net, objectFlag, ownerHandle, x, y, size, holeSize,        \
       startLayer, endLayer, padViaFlag1, padViaFlag2))                                            \
    X(Plain, std::int32_t, PcbApi_QueryArc, 0,                                                     \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint32_t* ownerHandle, std::int32_t* x, std::int32_t* y, std::int32_t* radius,         \
       double* startAngle, double* endAngle, std::int32_t* lineWidth, std::int32_t* aux1),         \
      (mode, handle, flags, tag, layer, net, objectFlag, ownerHandle, x, y, radius, startAngle,    \
       endAngle, lineWidth, aux1))                                                                 \
    X(Plain, std::int32_t, PcbApi_QueryFill, 0,                                                    \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint32_t* ownerHandle, std::int32_t* x, std::int32_t* y, std::int32_t* x2,             \
       std::int32_t* y2, std::int32_t* aux1, double* rotation),                                    \
      (mode, handle, flags, tag, layer, net, objectFlag, ownerHandle, x, y, x2, y2, aux1,          \
       rotation))                                                                                  \
    X(Plain, std::int32_t, PcbApi_QueryRegion, 0,                                                  \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* regionByte,                    \
       std::uint16_t* flags, std::uint16_t* tag, corvane::TLayerId* layer, std::uint32_t* net,     \
       corvane::Bool8* objectFlag, std::uint32_t* ownerHandle, std::int32_t* value6,               \
       std::int32_t* value5, std::int32_t* value1, std::int32_t* value2, std::int32_t* value3,     \
       std::int32_t* value4),                                                                      \
      (mode, handle, regionByte, flags, tag, layer, net, objectFlag, ownerHandle, value6, value5,  \
       value1, value2, value3, value4))                                                            \
    /* Pads */                                                                                     \
    X(Plain, std::int32_t, PcbApi_QueryPad, 0,                                                     \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint32_t* ownerHandle, std::int32_t* x, std::int32_t* y, std::int32_t* topXSize,       \
       std::int32_t* topYSize, std::int32_t* midXSize, std::int32_t* midYSize,                     \
       std::int32_t* botXSize, std::int32_t* botYSize, std::int32_t* holeSize,                     \
       std::uint8_t* topShape, std::uint8_t* midShape, std::uint8_t* botShape,                     \
       corvane::String20* name, std::uint8_t* padByte1, std::uint8_t* padByte2, double* rotation,  \
       corvane::OpaqueBytes<21>* padBlock1, corvane::OpaqueBytes<21>* padBlock2,                   \
       std::int32_t* padValue1, corvane::OpaqueBytes<21>* padBlock3, std::uint8_t* padByte3,       \
       std::uint8_t* padByte4, std::int32_t* padValue2, std::uint64_t* padWide1,                   \
       std::int32_t* padValue3, std::int32_t* padValue4, std::int32_t* padValue5,                  \
       corvane::Bool8* padViaFlag1, corvane::Bool8* padViaFlag2),                                  \
      (mode, handle, flags, tag, layer, net, objectFlag, ownerHandle, x, y, topXSize, topYSize,    \
       midXSize, midYSize, botXSize, botYSize, holeSize, topShape, midShape, botShape, name,       \
       padByte1, padByte2, rotation, padBlock1, padBlock2, padValue1, padBlock3, padByte3,         \
       padByte4, padValue2, padWide1, padValue3, padValue4, padValue5, padViaFlag1, padViaFlag2))  \
    X(Plain, std::int32_t, PcbApi_QueryPadStackMode, 0,                                            \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* stackMode),                    \
      (mode, handle, stackMode))                                                                   \
    X(Plain, std::int32_t, PcbApi_QueryPadOrViaShapeOnLayer, 0,                                    \
      (corvane::HostHandle handle, corvane::TLayer layer, std::uint8_t* shape),                    \
      (handle, layer, shape))                                                                      \
    X(Plain, std::int32_t, PcbApi_QueryPadOrViaSizeOnLayer, 0,                                     \
      (corvane::HostHandle handle, corvane::TLayer layer, std::int32_t* xSize,                     \
       std::int32_t* ySize),                                                                       \
      (handle, layer, xSize, ySize))                                                               \
    X(Plain, std::int32_t, PcbApi_QueryPadCornerRadiusOnLayer, 0,                                  \
      (corvane::HostHandle handle, corvane::TLayer layer, std::int32_t* radius),                   \
      (handle, layer, radius))                                                                     \
    X(Plain, std::int32_t, PcbApi_QueryPadCRPercentageOnLayer, 0,                                  \
      (corvane::HostHandle handle, corvane::TLayer layer, std::uint8_t* percent),                  \
      (handle, layer, percent))                                                                    \
    X(Plain, std::int32_t, PcbApi_SetPadShapeOnLayer, 0,                                           \
      (corvane::HostHandle handle, corvane::TLayer layer, std::uint8_t shape),                     \
      (handle, layer, shape))                                                                      \
    X(Plain, std::int32_t, PcbApi_SetPadSizeOnLayer, 0,                                            \
      (corvane::HostHandle handle, corvane::TLayer layer, std::int32_t xSize,                      \
       std::int32_t ySize),                                                                        \
      (handle, layer, xSize, ySize))                                                               \
    X(Plain, std::int32_t, PcbApi_SetCRPctOnLayer, 0,                                              \
      (corvane::HostHandle handle, corvane::TLayer layer, std::uint8_t percent),                   \
      (handle, layer, percent))                                                                    \
    /* Texts */                                                                                    \
    X(Plain, std::int32_t, PcbApi_QueryText, 0,                                                    \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint32_t* ownerHandle, std::int32_t* x, std::int32_t* y, std::int32_t* size,           \
       std::int32_t* fontId, double* rotation, corvane::Bool8* mirror, corvane::String254* text,   \
       std::int32_t* width, std::int32_t* aux2, std::int32_t* aux3),                               \
      (mode, handle, flags, tag, layer, net, objectFlag, ownerHandle, x, y, size, fontId,          \
       rotation, mirror, text, width, aux2, aux3))                                                 \
    X(Plain, std::int32_t, PcbApi_QueryTrueTypeTextInfo, 0,                                        \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* trueTypeKind,                  \
       corvane::String255* fontName, std::uint8_t* flag1, std::uint8_t* flag2,                     \
       std::uint8_t* flag3, std::int32_t* trueTypeValue),                                          \
      (mode, handle, trueTypeKind, fontName, flag1, flag2, flag3, trueTypeValue))                  \
    X(Plain, std::int32_t, PcbApi_QueryBarCodeTextInfo, 0,                                         \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* b1, std::uint8_t* b2,          \
       std::uint8_t* b3, std::uint8_t* b4),                                                        \
      (mode, handle, b1, b2, b3, b4))                                                              \
    X(Custom, void, PcbApi_GetDesignatorDisplayString, 0,                                          \
      (corvane::String255* buffer, corvane::HostHandle textHandle), (buffer, textHandle))          \
    /* Board and layer stack */                                                                    \
    X(Plain, std::int32_t, PcbApi_QueryBoard, 0,                                                   \
      (std::uint8_t mode, corvane::HostHandle board, std::uint32_t* value1,                        \
       corvane::String255* text, std::uint8_t* option1, std::int32_t* value2,                      \
       std::int32_t* value3, std::int32_t* value4, std::int32_t* value5, std::uint8_t* option2,    \
       corvane::TLayerId* currentLayer, std::uint32_t* value6),                                    \
      (mode, board, value1, text, option1, value2, value3, value4, value5, option2, currentLayer,  \
       value6))                                                                                    \
    X(Plain, std::int32_t, PcbApi_QueryBoardLayerInfo, 0,                                         \
      (std::uint8_t mode, corvane::HostHandle board, corvane::TLayer layer,                        \
       std::uint8_t* scratch1, std::uint8_t* scratch2, std::uint32_t* info),                       \
      (mode, board, layer, scratch1, scratch2, info))                                              \
    X(Plain, std::int32_t, PcbApi_QueryLayer, 0,                                                   \
      (std::uint8_t mode, corvane::TLayer layer, corvane::HostHandle board,                        \
       corvane::String255* name, std::int32_t* copperThickness, std::uint8_t* option1,             \
       std::uint8_t* option2, corvane::TLayer* prevLayer, corvane::TLayer* nextLayer,              \
       std::uint8_t* option3),                                                                     \
      (mode, layer, board, name, copperThickness, option1, option2, prevLayer, nextLayer,          \
       option3))                                                                                   \
    X(Plain, std::int32_t, PcbApi_QueryInternalPlane, 0,                                           \
      (std::uint8_t mode, corvane::TLayer layer, corvane::HostHandle board,                        \
       corvane::String255* name, std::int32_t* copperThickness, std::uint8_t* option1,             \
       std::uint8_t* option2, corvane::TLayer* prevLayer, corvane::TLayer* nextLayer,              \
       corvane::String255* planeNetName),                                                          \
      (mode, layer, board, name, copperThickness, option1, option2, prevLayer, nextLayer,          \
       planeNetName))                                                                              \
    X(Plain, std::int32_t, PcbApi_QueryLayerDielectric, 0,                                         \
      (std::uint8_t mode, corvane::TLayer layer, corvane::HostHandle board,                        \
       corvane::String255* material, std::uint8_t* type, double* constant, std::int32_t* height),  \
      (mode, layer, board, material, type, constant, height))                                      \
    X(Plain, std::int32_t, PcbApi_QueryBoardSplitPlaneMode, 1,                                     \
      (std::uint8_t mode, corvane::HostHandle board, std::uint8_t* splitPlaneMode),                \
      (mode, board, splitPlaneMode))                                                               \
    X(Plain, std::int32_t, PcbApi_QueryBoardGridsEx, 0,                                           \
      (std::uint8_t mode, corvane::HostHandle board, std::uint8_t* g1, std::uint8_t* g2,           \
       std::uint8_t* g3, std::uint8_t* g4, double* g5, double* g6, double* g7, double* g8,         \
       std::int32_t* g9, std::uint8_t* g10, double* g11, double* g12, double* g13, double* g14),   \
      (mode, board, g1, g2, g3, g4, g5, g6, g7, g8, g9, g10, g11, g12, g13, g14))                  \
    X(Plain, std::int32_t, PcbApi_QueryBoardOutputOptions, 0,                                      \
      (std::uint8_t mode, corvane::HostHandle board, std::int32_t* v1, std::int32_t* v2,           \
       std::uint8_t* o1, std::uint8_t* o2, std::uint8_t* o3, std::uint8_t* o4, std::uint8_t* o5,   \
       std::uint8_t* o6, std::uint8_t* o7, std::uint8_t* o8, std::uint8_t* o9, std::uint8_t* o10,  \
       std::uint8_t* o11, std::uint8_t* o12, std::uint8_t* o13, std::uint8_t* o14,                 \
       std::uint8_t* o15, std::uint8_t* o16, std::uint8_t* o17, std::uint8_t* o18,                 \
       std::uint8_t* o19, std::uint8_t* o20, std::uint8_t* o21,                                    \
       corvane::OpaqueBytes<25>* reserved),                                                        \
      (mode, board, v1, v2, o1, o2, o3, o4, o5, o6, o7, o8, o9, o10, o11, o12, o13, o14, o15,      \
       o16, o17, o18, o19, o20, o21, reserved))                                                    \
    X(Plain, std::int32_t, PcbApi_QueryBoardOutputOptionsPlotLayers, 0,                           \
      (std::uint8_t mode, corvane::HostHandle board, std::uint8_t index, std::uint8_t* value),     \
      (mode, board, index, value))                                                                 \
    X(Plain, std::int32_t, PcbApi_QueryBoardOutputOptionsFlipLayers, 0,                           \
      (std::uint8_t mode, corvane::HostHandle board, std::uint8_t index, std::uint8_t* value),     \
      (mode, board, index, value))                                                                 \
    X(Plain, std::int32_t, PcbApi_QueryBoardGerberOptions, 0,                                      \
      (std::uint8_t mode, corvane::HostHandle board, std::uint8_t* o1, std::uint8_t* o2,           \
       std::uint8_t* o3, std::uint8_t* o4, std::uint8_t* o5, std::uint8_t* o6, std::uint8_t* o7,   \
       std::int32_t* v1, std::int32_t* v2, std::int32_t* v3, std::int32_t* v4, std::int32_t* v5,   \
       corvane::String255* text, std::int32_t* v6, std::uint8_t* o8, std::uint8_t* o9,             \
       std::int32_t* v7, std::int32_t* v8, std::uint8_t* o10),                                     \
      (mode, board, o1, o2, o3, o4, o5, o6, o7, v1, v2, v3, v4, v5, text, v6, o8, o9, v7, v8,      \
       o10))                                                                                       \
    X(Plain, std::int32_t, PcbApi_QueryBoardPrinterOptions, 0,                                     \
      (std::uint8_t mode, corvane::HostHandle board, corvane::String255* t1,                       \
       corvane::String255* t2, corvane::String255* t3, std::uint8_t* o1, std::uint8_t* o2,         \
       std::uint8_t* o3, std::uint8_t* o4, std::uint8_t* o5, std::uint8_t* o6, std::int32_t* v1,   \
       double* d1, double* d2, double* d3, corvane::OpaqueBytes<27>* reserved,                     \
       std::uint8_t* o7, std::uint8_t* o8, double* d4, double* d5, double* d6, std::int32_t* v2,   \
       std::int32_t* v3, std::uint8_t* o9, std::uint8_t* o10, std::uint8_t* o11,                   \
       std::uint8_t* o12, std::uint8_t* o13),                                                      \
      (mode, board, t1, t2, t3, o1, o2, o3, o4, o5, o6, v1, d1, d2, d3, reserved, o7, o8, d4, d5,  \
       d6, v2, v3, o9, o10, o11, o12, o13))                                                        \
    X(Plain, std::int32_t, PcbApi_QueryBoardPrinterOptionsPlotterPen, 0,                          \
      (std::uint8_t mode, corvane::HostHandle board, std::int32_t index, std::int32_t* first,      \
       std::int32_t* second),                                                                      \
      (mode, board, index, first, second))                                                         \
    X(Plain, std::int32_t, PcbApi_QueryBoardPrinterOptionsCompositeLayer, 0,                      \
      (std::uint8_t mode, corvane::HostHandle board, corvane::TLayer layer, std::int32_t* a,       \
       std::int32_t* b, std::uint8_t* c, std::int32_t* d),                                         \
      (mode, board, layer, a, b, c, d))                                                            \
    X(Plain, std::int32_t, PcbApi_QueryBoardAdvancedPlacerOptions, 0,                             \
      (std::uint8_t mode, corvane::HostHandle board, corvane::String255* t1,                       \
       corvane::String255* t2, std::uint8_t* o1, std::uint8_t* o2, std::uint8_t* o3,               \
       std::uint8_t* o4),                                                                          \
      (mode, board, t1, t2, o1, o2, o3, o4))                                                       \
    X(Plain, std::int32_t, PcbApi_QueryBoardEngineeringChangeOrderOptions, 0,                     \
      (std::uint8_t mode, corvane::HostHandle board, std::uint8_t* o1, corvane::String255* t1),    \
      (mode, board, o1, t1))                                                                       \
    X(Plain, std::int32_t, PcbApi_QueryBoardLayerPairsCount, 1,                                   \
      (corvane::HostHandle board, std::int32_t* count, std::uint8_t mode), (board, count, mode))   \
    X(Plain, std::int32_t, PcbApi_QueryBoardLayerPairAt, 0,                                       \
      (std::uint8_t mode, corvane::HostHandle board, std::int32_t index,                           \
       corvane::TLayerId* firstLayer, corvane::TLayerId* secondLayer, std::uint8_t* option1,       \
       std::uint8_t* option2),                                                                     \
      (mode, board, index, firstLayer, secondLayer, option1, option2))                             \
    X(Plain, std::int32_t, PcbApi_QueryBoardExternalDielectrics, 0,                               \
      (std::uint8_t mode, corvane::HostHandle board, corvane::String255* material1,                \
       std::uint8_t* type1, double* constant1, std::int32_t* height1,                              \
       corvane::String255* material2, std::uint8_t* type2, double* constant2,                      \
       std::int32_t* height2),                                                                     \
      (mode, board, material1, type1, constant1, height1, material2, type2, constant2, height2))   \
    /* Components and nets */                                                                      \
    X(Plain, std::int32_t, PcbApi_QueryComponentChannelOffset, 0,                                  \
      (std::uint8_t mode, corvane::HostHandle handle, std::int32_t* channelOffset),                \
      (mode, handle, channelOffset))                                                               \
    X(Plain, std::int32_t, PcbApi_QueryComponentKind, 0,                                           \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint32_t* componentKind),               \
      (mode, handle, componentKind))                                                               \
    X(Plain, std::int32_t, PcbApi_QueryComponent, 0,                                               \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayer* layer, corvane::Bool8* objectFlag, std::uint32_t* nameText,                \
       std::uint32_t* commentText, corvane::String250* pattern, std::uint8_t* option1,             \
       std::uint8_t* option2, std::int32_t* x, std::int32_t* y, std::int32_t* value,               \
       double* rotation, std::uint8_t* option3),                                                   \
      (mode, handle, flags, tag, layer, objectFlag, nameText, commentText, pattern, option1,       \
       option2, x, y, value, rotation, option3))                                                   \
    X(Plain, std::int32_t, PcbApi_QueryComponentEx, 0,                                             \
      (std::uint8_t mode, corvane::HostHandle handle, std::int32_t* value1, std::uint8_t* option1, \
       std::uint8_t* option2, std::int32_t* value2),                                               \
      (mode, handle, value1, option1, option2, value2))                                            \
    X(Plain, std::int32_t, PcbApi_QueryComponentSourceLinks, 0,                                    \
      (std::uint8_t mode, corvane::HostHandle handle, corvane::String255* l1,                      \
       corvane::String255* l2, corvane::String255* l3, corvane::String255* l4,                     \
       corvane::String255* l5, corvane::String255* l6, corvane::String255* l7,                     \
       corvane::String255* l8),                                                                    \
      (mode, handle, l1, l2, l3, l4, l5, l6, l7, l8))                                              \
    X(Plain, std::int32_t, PcbApi_QueryDefaultPCB3DModel, 0,                                       \
      (std::uint8_t mode, corvane::HostHandle handle, corvane::String255* model),                  \
      (mode, handle, model))                                                                       \
    X(Plain, std::int32_t, PcbApi_QueryNet, 0,                                                     \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* tag,                          \
       corvane::String255* name, std::uint8_t* option1, std::uint8_t* option2),                    \
      (mode, handle, tag, name, option1, option2))                                                 \
    /* Polygons, split planes, coordinates, dimensions */                                          \
    X(Plain, std::int32_t, PcbApi_QueryPolygon, 0,                                                 \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint8_t* option2, std::uint8_t* option3, std::uint8_t* option4,                        \
       std::int32_t* value1, std::int32_t* value2, std::uint8_t* option5, std::uint8_t* option6,   \
       std::int32_t* value3, std::uint8_t* option1, std::int32_t* segmentCount,                    \
       corvane::SegmentRecord* segments),                                                          \
      (mode, handle, flags, tag, layer, net, objectFlag, option2, option3, option4, value1,        \
       value2, option5, option6, value3, option1, segmentCount, segments))                         \
    X(Plain, std::int32_t, PcbApi_QuerySplitPlane, 0,                                              \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::TLayerId* layer, std::uint32_t* net, corvane::Bool8* objectFlag,                   \
       std::uint8_t* option, std::int32_t* segmentCount, corvane::SegmentRecord* segments),        \
      (mode, handle, flags, tag, layer, net, objectFlag, option, segmentCount, segments))          \
    X(Plain, std::int32_t, PcbApi_QueryCoordinate, 0,                                              \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::Bool8* objectFlag, std::int32_t* x, std::int32_t* y, corvane::TLayerId* layer,     \
       std::int32_t* v1, std::int32_t* v2, std::int32_t* v3, std::int32_t* v4, std::int32_t* v5,   \
       std::int32_t* v6),                                                                          \
      (mode, handle, flags, tag, objectFlag, x, y, layer, v1, v2, v3, v4, v5, v6))                 \
    X(Plain, std::int32_t, PcbApi_QueryDimension, 0,                                               \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::Bool8* objectFlag, std::int32_t* x, std::int32_t* y, std::int32_t* v1,             \
       std::int32_t* v2, corvane::TLayerId* layer, std::int32_t* v3, std::int32_t* v4,             \
       std::int32_t* v5, std::int32_t* v6, std::int32_t* v7, std::uint8_t* option1),               \
      (mode, handle, flags, tag, objectFlag, x, y, v1, v2, layer, v3, v4, v5, v6, v7, option1))    \
    X(Plain, std::int32_t, PcbApi_References_Count, 0,                                             \
      (std::uint8_t mode, corvane::HostHandle handle, std::int32_t* count),                        \
      (mode, handle, count))                                                                       \
    X(Plain, std::int32_t, PcbApi_References_At, 0,                                                \
      (std::uint8_t mode, corvane::HostHandle handle, std::int32_t index, std::int32_t* first,     \
       std::int32_t* second, std::int32_t* third, std::int32_t* fourth),                           \
      (mode, handle, index, first, second, third, fourth))                                         \
    X(Plain, std::int32_t, PcbApi_QueryExtDimension, 0,                                            \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* kind, std::int32_t* e1,        \
       std::int32_t* e2, std::int32_t* e3, std::uint8_t* eo1, std::int32_t* e4,                    \
       corvane::String255* t1, std::uint8_t* eo2, std::int32_t* e5, corvane::String255* t2,        \
       corvane::String255* t3, std::uint64_t* e64, std::int32_t* e6, std::int32_t* e7,             \
       std::int32_t* e8, std::uint8_t* eo3, std::int32_t* e9, std::int32_t* e10,                   \
       std::int32_t* e11),                                                                         \
      (mode, handle, kind, e1, e2, e3, eo1, e4, t1, eo2, e5, t2, t3, e64, e6, e7, e8, eo3, e9,     \
       e10, e11))                                                                                  \
    /* Other object kinds */                                                                       \
    X(Plain, std::int32_t, PcbApi_QueryFromTo, 0,                                                  \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* tag, std::int32_t* x,         \
       std::int32_t* y, corvane::Bool8* flagA, std::int32_t* x2, std::int32_t* y2,                 \
       corvane::Bool8* flagB, std::uint32_t* net),                                                 \
      (mode, handle, tag, x, y, flagA, x2, y2, flagB, net))                                        \
    X(Plain, std::int32_t, PcbApi_QueryManualFromTo, 1,                                            \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* tag, corvane::String255* t1,  \
       corvane::String255* t2, corvane::String255* t3, std::int32_t* value),                       \
      (mode, handle, tag, t1, t2, t3, value))                                                      \
    X(Plain, std::int32_t, PcbApi_QueryClass, 0,                                                   \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* tag, std::uint8_t* option1,   \
       std::uint8_t* option2, corvane::String255* className),                                      \
      (mode, handle, tag, option1, option2, className))                                            \
    X(Plain, std::int32_t, PcbApi_QueryEmbedded, 0,                                                \
      (std::uint8_t mode, corvane::HostHandle handle, corvane::String255* text,                    \
       std::uint8_t* data),                                                                        \
      (mode, handle, text, data))                                                                  \
    X(Plain, std::int32_t, PcbApi_QueryEmbeddedBoard, 0,                                           \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint16_t* flags, std::uint16_t* tag,    \
       corvane::Bool8* objectFlag, std::int32_t* x, std::int32_t* y, corvane::String255* text,     \
       std::int32_t* v1, std::int32_t* v2, std::int32_t* v3, std::int32_t* v4,                     \
       std::uint64_t* v64, corvane::Bool8* mirror, std::uint8_t* option),                          \
      (mode, handle, flags, tag, objectFlag, x, y, text, v1, v2, v3, v4, v64, mirror, option))     \
    X(Plain, std::int32_t, PcbApi_QueryRule, 0,                                                    \
      (std::uint8_t mode, corvane::HostHandle handle, std::uint8_t* o1, std::uint8_t* o2,          \
       std::uint8_t* o3, std::uint8_t* o4, std::uint8_t* o5, std::uint8_t* o6, std::uint8_t* o7,   \
       corvane::String255* t1, corvane::String255* t2, corvane::String255* t3,                     \
       corvane::String255* t4, std::uint8_t* o8, std::uint8_t* o9, std::int32_t* v1,               \
       std::int32_t* v2, std::int32_t* v3, std::int32_t* v4, corvane::String255* t5,               \
       corvane::String255* t6, corvane::String255* t7, corvane::String255* t8,                     \
       corvane::String255* t9, corvane::String255* t10),                                           \
      (mode, handle, o1, o2, o3, o4, o5, o6, o7, t1, t2, t3, t4, o8, o9, v1, v2, v3, v4, t5, t6,   \
       t7, t8, t9, t10))                                                                           \
    X(Plain, std::int32_t, PcbApi_QueryViolation, 0,                                               \
      (std::uint8_t mode, corvane::HostHandle handle, corvane::String255* t1,                      \
       corvane::String255* t2, std::int32_t* v1, std::int32_t* v2, std::int32_t* v3),              \
      (mode, handle, t1, t2, v1, v2, v3))                                                          \
    X(Custom, std::int32_t, PcbApi_AddMemberToClass, 1,                                            \
      (corvane::HostHandle handle, const corvane::String255* member), (handle, member))            \
    X(Plain, std::int32_t, PcbApi_GetMemberFromClassAt, 1,                                         \
      (corvane::HostHandle handle, std::int32_t index, corvane::String255* member),                \
      (handle, index, member))                                                                     \
    X(Plain, std::int32_t, PcbApi_RemoveAllMembersFromClass, 1, (corvane::HostHandle handle),      \
      (handle))                                                                                    \
    /* Creation, containers, identity, iteration */                                                \
    X(Plain, corvane::HostHandle, PcbApi_CreateObject, 0, (std::uint8_t kind), (kind))             \
    X(Plain, std::int32_t, PcbApi_AddObjectToContainer, 0,                                         \
      (corvane::HostHandle container, corvane::HostHandle object), (container, object))            \
    X(Plain, std::uint8_t, PcbApi_GetObjectIdFromObjectHandle, 0, (corvane::HostHandle object),    \
      (object))                                                                                    \
    X(Plain, corvane::HostHandle, PcbApi_CreateIterator, 0,                                        \
      (corvane::HostHandle container, std::uint8_t kind, std::uint8_t mode,                        \
       corvane::TLayerId layer),                                                                   \
      (container, kind, mode, layer))                                                              \
    X(Plain, corvane::HostHandle, PcbApi_GetFirstObject, 0, (corvane::HostHandle iterator),        \
      (iterator))                                                                                  \
    X(Plain, corvane::HostHandle, PcbApi_GetNextObject, 0, (corvane::HostHandle iterator),         \
      (iterator))                                                                                  \
    X(Plain, std::int32_t, PcbApi_DestroyIterator, 0, (corvane::HostHandle iterator), (iterator))  \
    X(Custom, corvane::HostHandle, PcbApi_GetBoardHandleFromFullFileName, 0,                       \
      (const corvane::String255* fileName), (fileName))                                            \
    /* Progress */                                                                                 \
    X(Custom, void, PcbApi_Percent_Init, 0, (const corvane::String255* caption, std::int32_t steps), \
      (caption, steps))                                                                            \
    X(Plain, void, PcbApi_Percent_Update, 0, (), ())                                               \
    X(Plain, void, PcbApi_Percent_Finish, 0, (), ())
// clang-format on

namespace corvane::pcbapi {

/// The names of the entries above, which a server exports them by.
inline constexpr std::string_view CalledEntryNames[] = {
#define CORVANE_CALLED_ENTRY_NAME(kind, result, name, unbound, params, args) #name,
    CORVANE_PCBAPI_ENTRIES(CORVANE_CALLED_ENTRY_NAME)
#undef CORVANE_CALLED_ENTRY_NAME
};

// One function-pointer type per called entry, e.g. PcbApi_QueryTrack_fn.
#define CORVANE_DECLARE_ENTRY_TYPE(kind, result, name, unbound, params, args)                      \
    using name##_fn = result(PCBAPI_CALL*) params;
CORVANE_PCBAPI_ENTRIES(CORVANE_DECLARE_ENTRY_TYPE)
#undef CORVANE_DECLARE_ENTRY_TYPE

} // namespace corvane::pcbapi
