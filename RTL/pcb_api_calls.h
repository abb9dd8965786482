// The 75 PCB editor entry points that the plug-in calls, with their exact argument lists: the
// wire format shared by the plug-in's forwarders and by whatever module stands in for the editor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "RTL/pcb_api_names.h"
#include "platform/abi.h"
#include "platform/name_lists.h"
#include "platform/short_string.h"

// X(name, result, missing, form, (parameters), (arguments)), one entry per called entry point.
//   result      the entry point's return type (void: it returns nothing the plug-in reads).
//   missing     what the forwarder returns when the module lacks the entry point.
//   form        Plain: the forwarder passes its arguments through unchanged;
//               Converted: the forwarder is written by hand (it converts an argument first).
//   parameters  the argument list in wire order: byte/word/uint/int are uint8_t/uint16_t/
//               uint32_t/int32_t, "32-bit" values of open sign uint32_t, 8-byte values uint64_t,
//               str[n] a ShortString<n>* (n + 1 bytes), and T* the address of the caller's T.
//   arguments   the parameter names, for forwarding.
// Addresses point into packed records and need not be aligned: read and write through them with
// LoadUnaligned and StoreUnaligned (or memcpy). Outline areas are kOutlineAreaBytes long, the
// embedded record's buffer kEmbeddedBufferBytes; its address travels pointer-sized.
#define PLZ_PCB_API_CALLS(X) \
    /* editor state, user interaction and iteration */                                                       \
    X(PcbApi_GetCurrentEditorWindow, uint32_t, 0, Plain,                                                     \
      (),                                                                                                    \
      ())                                                                                                    \
    X(PcbApi_GetCurrentBoardHandle, uint32_t, 0, Plain,                                                      \
      (),                                                                                                    \
      ())                                                                                                    \
    X(PcbApi_ChooseLocation, uint8_t, 0, Converted,                                                          \
      (uint32_t board, int32_t* x, int32_t* y, plz::ShortString<255>* prompt),                                    \
      (board, x, y, prompt))                                                                                 \
    X(PcbApi_CreateIterator, uint32_t, 0, Converted,                                                         \
      (uint32_t board, uint8_t objectKind, uint8_t mode, uint32_t layerId),                                  \
      (board, objectKind, mode, layerId))                                                                    \
    X(PcbApi_GetFirstObject, uint32_t, 0, Plain,                                                             \
      (uint32_t iterator),                                                                                   \
      (iterator))                                                                                            \
    X(PcbApi_GetNextObject, uint32_t, 0, Plain,                                                              \
      (uint32_t iterator),                                                                                   \
      (iterator))                                                                                            \
    X(PcbApi_DestroyIterator, uint32_t, 0, Plain,                                                            \
      (uint32_t iterator),                                                                                   \
      (iterator))                                                                                            \
    /* identity and common state of any object */                                                            \
    X(PcbApi_GetObjectIdFromObjectHandle, uint8_t, 0, Plain,                                                 \
      (uint32_t handle),                                                                                     \
      (handle))                                                                                              \
    X(PcbApi_GetObjectBitField2, void, void(), Plain,                                                        \
      (uint8_t direction, uint32_t handle, uint8_t* bitField2),                                              \
      (direction, handle, bitField2))                                                                        \
    X(PcbApi_GetObjectBitField3, void, void(), Plain,                                                        \
      (uint8_t direction, uint32_t handle, uint16_t* bitField3),                                             \
      (direction, handle, bitField3))                                                                        \
    X(PcbApi_QueryPrimitive, uint32_t, 0, Plain,                                                             \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, int32_t* hostInt2, uint8_t* hostByte),                                                       \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostInt2, hostByte))                           \
    X(PcbApi_QueryObjectBoundingRectangle, uint32_t, 0, Plain,                                               \
      (uint32_t handle, int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2),                                 \
      (handle, x1, y1, x2, y2))                                                                              \
    X(PcbApi_QueryObjectImport_FromUser, uint32_t, 0, Plain,                                                 \
      (uint32_t handle),                                                                                     \
      (handle))                                                                                              \
    X(PcbApi_QueryObjectGraphicallyInvalidate, uint32_t, 0, Plain,                                           \
      (uint32_t handle),                                                                                     \
      (handle))                                                                                              \
    X(PcbApi_GetDesignatorDisplayString, void, void(), Converted,                                            \
      (plz::ShortString<255>* buffer, uint32_t handle),                                                           \
      (buffer, handle))                                                                                      \
    /* components and texts */                                                                               \
    X(PcbApi_QueryComponent, uint32_t, 0, Plain,                                                             \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* layer, uint8_t*     \
      hostByte, uint32_t* nameHandle, uint32_t* componentInt1, plz::ShortString<250>* footprintKey, uint8_t*      \
      componentByte1, uint8_t* componentByte2, int32_t* x, int32_t* y, int32_t* componentInt2, double*       \
      rotation, uint8_t* componentByte3),                                                                    \
      (direction, handle, flags, hostWord, layer, hostByte, nameHandle, componentInt1, footprintKey,         \
      componentByte1, componentByte2, x, y, componentInt2, rotation, componentByte3))                        \
    X(PcbApi_QueryComponentEx, uint32_t, 0, Plain,                                                           \
      (uint8_t direction, uint32_t handle, int32_t* exInt1, uint8_t* exByte1, uint8_t* exByte2, int32_t*     \
      exInt2),                                                                                               \
      (direction, handle, exInt1, exByte1, exByte2, exInt2))                                                 \
    X(PcbApi_QueryComponentChannelOffset, uint32_t, 0, Plain,                                                \
      (uint8_t direction, uint32_t handle, int32_t* channelOffset),                                          \
      (direction, handle, channelOffset))                                                                    \
    X(PcbApi_QueryComponentKind, uint32_t, 0, Plain,                                                         \
      (uint8_t direction, uint32_t handle, uint32_t* componentKind),                                         \
      (direction, handle, componentKind))                                                                    \
    X(PcbApi_QueryComponentSourceLinks, uint32_t, 0, Plain,                                                  \
      (uint8_t direction, uint32_t handle, plz::ShortString<255>* sourceLink1, plz::ShortString<255>* sourceLink2,     \
      plz::ShortString<255>* sourceLink3, plz::ShortString<255>* sourceLink4, plz::ShortString<255>* sourceLink5,           \
      plz::ShortString<255>* sourceLink6, plz::ShortString<255>* sourceLink7, plz::ShortString<255>* sourceLink8),          \
      (direction, handle, sourceLink1, sourceLink2, sourceLink3, sourceLink4, sourceLink5, sourceLink6,      \
      sourceLink7, sourceLink8))                                                                             \
    X(PcbApi_QueryDefaultPCB3DModel, uint32_t, 0, Plain,                                                     \
      (uint8_t direction, uint32_t handle, plz::ShortString<255>* default3DModel),                                \
      (direction, handle, default3DModel))                                                                   \
    X(PcbApi_QueryText, uint32_t, 0, Plain,                                                                  \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* size, int32_t*        \
      intValue11, double* rotation, uint8_t* byteValue6, plz::ShortString<254>* text, int32_t* width, int32_t*    \
      intValue2, int32_t* intValue3),                                                                        \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y, size, intValue11,    \
      rotation, byteValue6, text, width, intValue2, intValue3))                                              \
    X(PcbApi_QueryTrueTypeTextInfo, uint32_t, 0, Plain,                                                      \
      (uint8_t direction, uint32_t handle, uint8_t* trueTypeByte1, plz::ShortString<255>* fontName, uint8_t*      \
      trueTypeByte2, uint8_t* trueTypeByte3, uint8_t* trueTypeByte4, int32_t* trueTypeInt1),                 \
      (direction, handle, trueTypeByte1, fontName, trueTypeByte2, trueTypeByte3, trueTypeByte4,              \
      trueTypeInt1))                                                                                         \
    X(PcbApi_QueryBarCodeTextInfo, uint32_t, 0, Plain,                                                       \
      (uint8_t direction, uint32_t handle, uint8_t* barCodeByte1, uint8_t* barCodeByte2, uint8_t*            \
      barCodeByte3, uint8_t* barCodeByte4),                                                                  \
      (direction, handle, barCodeByte1, barCodeByte2, barCodeByte3, barCodeByte4))                           \
    /* board, layer stack and board options */                                                               \
    X(PcbApi_QueryBoard, uint32_t, 0, Converted,                                                             \
      (uint8_t direction, uint32_t board, uint32_t* value1, plz::ShortString<255>* text, uint8_t* byte1,          \
      uint32_t* value2, uint32_t* value3, uint32_t* value4, uint32_t* value5, uint8_t* byte2, uint32_t*      \
      currentLayerId, uint32_t* value6),                                                                     \
      (direction, board, value1, text, byte1, value2, value3, value4, value5, byte2, currentLayerId,         \
      value6))                                                                                               \
    X(PcbApi_QueryBoardLayerInfo, uint32_t, 0, Plain,                                                        \
      (uint8_t direction, uint32_t board, uint8_t layer, uint8_t* byte1, uint8_t* byte2, uint32_t* value),   \
      (direction, board, layer, byte1, byte2, value))                                                        \
    X(PcbApi_QueryLayer, uint32_t, 0, Plain,                                                                 \
      (uint8_t direction, uint8_t layer, uint32_t board, plz::ShortString<255>* name, int32_t* copperThickness,   \
      uint8_t* hostLayerByte1, uint8_t* hostLayerByte2, uint8_t* previousLayer, uint8_t* nextLayer,          \
      uint16_t* hostLayerWord),                                                                              \
      (direction, layer, board, name, copperThickness, hostLayerByte1, hostLayerByte2, previousLayer,        \
      nextLayer, hostLayerWord))                                                                             \
    X(PcbApi_QueryInternalPlane, uint32_t, 0, Plain,                                                         \
      (uint8_t direction, uint8_t layer, uint32_t board, plz::ShortString<255>* name, int32_t* copperThickness,   \
      uint8_t* hostLayerByte1, uint8_t* hostLayerByte2, uint8_t* previousLayer, uint8_t* nextLayer,          \
      plz::ShortString<255>* netName),                                                                            \
      (direction, layer, board, name, copperThickness, hostLayerByte1, hostLayerByte2, previousLayer,        \
      nextLayer, netName))                                                                                   \
    X(PcbApi_QueryLayerDielectric, uint32_t, 0, Plain,                                                       \
      (uint8_t direction, uint8_t layer, uint32_t board, plz::ShortString<255>* material, uint8_t*                \
      dielectricType, double* constant, int32_t* height),                                                    \
      (direction, layer, board, material, dielectricType, constant, height))                                 \
    X(PcbApi_QueryBoardExternalDielectrics, uint32_t, 0, Plain,                                              \
      (uint8_t direction, uint32_t board, plz::ShortString<255>* material1, uint8_t* type1, double* constant1,    \
      int32_t* height1, plz::ShortString<255>* material2, uint8_t* type2, double* constant2, int32_t* height2),   \
      (direction, board, material1, type1, constant1, height1, material2, type2, constant2, height2))        \
    X(PcbApi_QueryBoardSplitPlaneMode, uint32_t, 1, Plain,                                                   \
      (uint8_t direction, uint32_t board, uint8_t* mode),                                                    \
      (direction, board, mode))                                                                              \
    X(PcbApi_QueryBoardLayerPairsCount, uint32_t, 1, Plain,                                                  \
      (uint32_t board, int32_t* count, uint8_t fetch),                                                       \
      (board, count, fetch))                                                                                 \
    X(PcbApi_QueryBoardLayerPairAt, uint32_t, 0, Plain,                                                      \
      (uint8_t direction, uint32_t board, uint32_t index, uint32_t* firstLayerId, uint32_t* secondLayerId,   \
      uint8_t* hostPairByte2, uint8_t* hostPairByte1),                                                       \
      (direction, board, index, firstLayerId, secondLayerId, hostPairByte2, hostPairByte1))                  \
    X(PcbApi_QueryBoardGridsEx, uint32_t, 0, Plain,                                                          \
      (uint8_t direction, uint32_t board, uint8_t* gridByte1, uint8_t* gridByte2, uint8_t* gridByte3,        \
      uint8_t* gridByte4, uint64_t* gridValue1, uint64_t* gridValue2, uint64_t* gridValue4, uint64_t*        \
      gridValue5, uint32_t* gridInt, uint8_t* gridByte5, uint64_t* gridValue6, uint64_t* gridValue7,         \
      uint64_t* gridValue9, uint64_t* gridValue10),                                                          \
      (direction, board, gridByte1, gridByte2, gridByte3, gridByte4, gridValue1, gridValue2, gridValue4,     \
      gridValue5, gridInt, gridByte5, gridValue6, gridValue7, gridValue9, gridValue10))                      \
    X(PcbApi_QueryBoardOutputOptions, uint32_t, 0, Plain,                                                    \
      (uint8_t direction, uint32_t board, uint32_t* outputValue1, uint32_t* outputValue2, uint8_t*           \
      outputByte1, uint8_t* outputByte2, uint8_t* outputByte3, uint8_t* outputByte4, uint8_t* outputByte5,   \
      uint8_t* outputByte6, uint8_t* outputByte7, uint8_t* outputByte8, uint8_t* outputByte9, uint8_t*       \
      outputByte10, uint8_t* outputByte11, uint8_t* outputByte12, uint8_t* outputByte13, uint8_t*            \
      outputByte14, uint8_t* outputByte15, uint8_t* outputByte16, uint8_t* outputByte17, uint8_t*            \
      outputByte18, uint8_t* outputByte19, uint8_t* outputByte20, uint8_t* outputByte21, uint8_t*            \
      outputByte22),                                                                                         \
      (direction, board, outputValue1, outputValue2, outputByte1, outputByte2, outputByte3, outputByte4,     \
      outputByte5, outputByte6, outputByte7, outputByte8, outputByte9, outputByte10, outputByte11,           \
      outputByte12, outputByte13, outputByte14, outputByte15, outputByte16, outputByte17, outputByte18,      \
      outputByte19, outputByte20, outputByte21, outputByte22))                                               \
    X(PcbApi_QueryBoardOutputOptionsPlotLayers, uint32_t, 0, Plain,                                          \
      (uint8_t direction, uint32_t board, uint8_t index, uint8_t* value),                                    \
      (direction, board, index, value))                                                                      \
    X(PcbApi_QueryBoardOutputOptionsFlipLayers, uint32_t, 0, Plain,                                          \
      (uint8_t direction, uint32_t board, uint8_t index, uint8_t* value),                                    \
      (direction, board, index, value))                                                                      \
    X(PcbApi_QueryBoardGerberOptions, uint32_t, 0, Plain,                                                    \
      (uint8_t direction, uint32_t board, uint8_t* gerberValue1, uint8_t* gerberValue2, uint8_t*             \
      gerberValue3, uint8_t* gerberValue4, uint8_t* gerberValue5, uint8_t* gerberValue6, uint8_t*            \
      gerberValue7, uint32_t* gerberValue8, uint32_t* gerberValue9, uint32_t* gerberValue10, uint32_t*       \
      gerberValue11, uint32_t* gerberValue12, plz::ShortString<255>* gerberValue13, uint32_t* gerberValue14,      \
      uint8_t* gerberValue15, uint8_t* gerberValue16, uint32_t* gerberValue17, uint32_t* gerberValue18,      \
      uint8_t* gerberValue19),                                                                               \
      (direction, board, gerberValue1, gerberValue2, gerberValue3, gerberValue4, gerberValue5, gerberValue6, \
      gerberValue7, gerberValue8, gerberValue9, gerberValue10, gerberValue11, gerberValue12, gerberValue13,  \
      gerberValue14, gerberValue15, gerberValue16, gerberValue17, gerberValue18, gerberValue19))             \
    X(PcbApi_QueryBoardPrinterOptions, uint32_t, 0, Plain,                                                   \
      (uint8_t direction, uint32_t board, plz::ShortString<255>* printerValue1, plz::ShortString<255>* printerValue2,  \
      plz::ShortString<255>* printerValue3, uint8_t* printerValue4, uint8_t* printerValue5, uint8_t*              \
      printerValue6, uint8_t* printerValue7, uint8_t* printerValue8, uint8_t* printerValue9, uint32_t*       \
      printerValue10, uint64_t* printerValue11, uint64_t* printerValue12, uint64_t* printerValue13,          \
      uint64_t* printerValue14, uint8_t* printerValue15, uint8_t* printerValue16, uint64_t* printerValue17,  \
      uint64_t* printerValue18, uint64_t* printerValue19, uint32_t* printerValue20, uint32_t*                \
      printerValue21, uint8_t* printerValue22, uint8_t* printerValue23, uint8_t* printerValue24, uint8_t*    \
      printerValue25, uint8_t* printerValue26),                                                              \
      (direction, board, printerValue1, printerValue2, printerValue3, printerValue4, printerValue5,          \
      printerValue6, printerValue7, printerValue8, printerValue9, printerValue10, printerValue11,            \
      printerValue12, printerValue13, printerValue14, printerValue15, printerValue16, printerValue17,        \
      printerValue18, printerValue19, printerValue20, printerValue21, printerValue22, printerValue23,        \
      printerValue24, printerValue25, printerValue26))                                                       \
    X(PcbApi_QueryBoardPrinterOptionsPlotterPen, uint32_t, 0, Plain,                                         \
      (uint8_t direction, uint32_t board, uint32_t pen, uint32_t* penValue1, uint32_t* penValue2),           \
      (direction, board, pen, penValue1, penValue2))                                                         \
    X(PcbApi_QueryBoardPrinterOptionsCompositeLayer, uint32_t, 0, Plain,                                     \
      (uint8_t direction, uint32_t board, uint8_t layer, uint32_t* compositeValue1, uint32_t*                \
      compositeValue2, uint8_t* compositeByte, uint32_t* compositeValue3),                                   \
      (direction, board, layer, compositeValue1, compositeValue2, compositeByte, compositeValue3))           \
    X(PcbApi_QueryBoardAdvancedPlacerOptions, uint32_t, 0, Plain,                                            \
      (uint8_t direction, uint32_t board, plz::ShortString<255>* placerValue1, plz::ShortString<255>* placerValue2,    \
      uint8_t* placerValue3, uint8_t* placerValue4, uint8_t* placerValue5, uint8_t* placerValue6),           \
      (direction, board, placerValue1, placerValue2, placerValue3, placerValue4, placerValue5,               \
      placerValue6))                                                                                         \
    X(PcbApi_QueryBoardEngineeringChangeOrderOptions, uint32_t, 0, Plain,                                    \
      (uint8_t direction, uint32_t board, uint8_t* ecoValue1, plz::ShortString<255>* ecoValue2),                  \
      (direction, board, ecoValue1, ecoValue2))                                                              \
    /* primitives */                                                                                         \
    X(PcbApi_QueryTrack, uint32_t, 0, Plain,                                                                 \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* x2, int32_t* y2,      \
      int32_t* width, int32_t* intValue1, int32_t* intValue2, int32_t* intValue3),                           \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y, x2, y2, width,       \
      intValue1, intValue2, intValue3))                                                                      \
    X(PcbApi_QueryArc, uint32_t, 0, Plain,                                                                   \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* radius, double*       \
      startAngle, double* endAngle, int32_t* lineWidth, int32_t* intValue1),                                 \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y, radius, startAngle,  \
      endAngle, lineWidth, intValue1))                                                                       \
    X(PcbApi_QueryFill, uint32_t, 0, Plain,                                                                  \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* x2, int32_t* y2,      \
      int32_t* intValue1, double* rotation),                                                                 \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y, x2, y2, intValue1,   \
      rotation))                                                                                             \
    X(PcbApi_QueryVia, uint32_t, 0, Plain,                                                                   \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* layer, int32_t*     \
      hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* size, int32_t*        \
      intValue10, uint8_t* byteValue4, uint8_t* byteValue5, uint8_t* flag1, uint8_t* flag2),                 \
      (direction, handle, flags, hostWord, layer, hostInt1, hostByte, hostInt2, x, y, size, intValue10,      \
      byteValue4, byteValue5, flag1, flag2))                                                                 \
    X(PcbApi_QueryPad, uint32_t, 0, Plain,                                                                   \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* intValue4, int32_t*   \
      intValue5, int32_t* intValue6, int32_t* intValue7, int32_t* intValue8, int32_t* intValue9, int32_t*    \
      intValue10, uint8_t* byteValue1, uint8_t* byteValue2, uint8_t* byteValue3, plz::ShortString<20>* name,      \
      uint8_t* padByte1, uint8_t* padByte2, double* rotation, plz::ShortString<20>* padString1, plz::ShortString<20>*  \
      padString2, uint32_t* padInt1, plz::ShortString<20>* padString3, uint8_t* padByte3, uint8_t* padByte4,      \
      uint32_t* padInt2, uint64_t* padValue8, uint32_t* padInt3, uint32_t* padInt4, uint32_t* padInt5,       \
      uint8_t* flag1, uint8_t* flag2),                                                                       \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y, intValue4,           \
      intValue5, intValue6, intValue7, intValue8, intValue9, intValue10, byteValue1, byteValue2, byteValue3, \
      name, padByte1, padByte2, rotation, padString1, padString2, padInt1, padString3, padByte3, padByte4,   \
      padInt2, padValue8, padInt3, padInt4, padInt5, flag1, flag2))                                          \
    X(PcbApi_QueryPadStackMode, uint32_t, 0, Plain,                                                          \
      (uint8_t direction, uint32_t handle, uint8_t* padStackMode),                                           \
      (direction, handle, padStackMode))                                                                     \
    X(PcbApi_QueryPadOrViaShapeOnLayer, uint32_t, 0, Plain,                                                  \
      (uint32_t handle, uint8_t layer, uint8_t* shape),                                                      \
      (handle, layer, shape))                                                                                \
    X(PcbApi_QueryPadOrViaSizeOnLayer, uint32_t, 0, Plain,                                                   \
      (uint32_t handle, uint8_t layer, int32_t* xSize, int32_t* ySize),                                      \
      (handle, layer, xSize, ySize))                                                                         \
    X(PcbApi_QueryPadCornerRadiusOnLayer, uint32_t, 0, Plain,                                                \
      (uint32_t handle, uint8_t layer, uint32_t* cornerRadius),                                              \
      (handle, layer, cornerRadius))                                                                         \
    X(PcbApi_QueryPadCRPercentageOnLayer, uint32_t, 0, Plain,                                                \
      (uint32_t handle, uint8_t layer, uint8_t* percentage),                                                 \
      (handle, layer, percentage))                                                                           \
    X(PcbApi_SetPadShapeOnLayer, uint32_t, 0, Plain,                                                         \
      (uint32_t handle, uint8_t layer, uint8_t shape),                                                       \
      (handle, layer, shape))                                                                                \
    X(PcbApi_SetPadSizeOnLayer, uint32_t, 0, Plain,                                                          \
      (uint32_t handle, uint8_t layer, int32_t xSize, int32_t ySize),                                        \
      (handle, layer, xSize, ySize))                                                                         \
    X(PcbApi_SetCRPctOnLayer, uint32_t, 0, Plain,                                                            \
      (uint32_t handle, uint8_t layer, uint8_t percentage),                                                  \
      (handle, layer, percentage))                                                                           \
    X(PcbApi_QueryRegion, uint32_t, 0, Plain,                                                                \
      (uint8_t direction, uint32_t handle, uint8_t* regionByte, uint16_t* flags, uint16_t* hostWord,         \
      uint32_t* layerId, int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, uint32_t* regionValue1,    \
      uint32_t* regionValue2, int32_t* regionValue3, int32_t* regionValue4, int32_t* regionValue5, int32_t*  \
      regionValue6),                                                                                         \
      (direction, handle, regionByte, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, regionValue1,  \
      regionValue2, regionValue3, regionValue4, regionValue5, regionValue6))                                 \
    X(PcbApi_QueryEmbeddedBoard, uint32_t, 0, Plain,                                                         \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* hostByte, int32_t*  \
      x, int32_t* y, plz::ShortString<255>* embString, uint32_t* embValue1, uint32_t* embValue2, uint32_t*        \
      embValue3, uint32_t* embValue4, uint64_t* embValue5, uint8_t* byteValue6, uint8_t* embByte),           \
      (direction, handle, flags, hostWord, hostByte, x, y, embString, embValue1, embValue2, embValue3,       \
      embValue4, embValue5, byteValue6, embByte))                                                            \
    /* group objects and records */                                                                          \
    X(PcbApi_QueryNet, uint32_t, 0, Plain,                                                                   \
      (uint8_t direction, uint32_t handle, uint16_t* hostWord, plz::ShortString<255>* name, uint8_t* netByte,     \
      uint32_t* netValue),                                                                                   \
      (direction, handle, hostWord, name, netByte, netValue))                                                \
    X(PcbApi_QueryClass, uint32_t, 0, Plain,                                                                 \
      (uint8_t direction, uint32_t handle, uint16_t* hostWord, uint8_t* classByte1, uint8_t* classByte2,     \
      plz::ShortString<255>* name),                                                                               \
      (direction, handle, hostWord, classByte1, classByte2, name))                                           \
    X(PcbApi_RemoveAllMembersFromClass, uint32_t, 1, Plain,                                                  \
      (uint32_t classHandle),                                                                                \
      (classHandle))                                                                                         \
    X(PcbApi_AddMemberToClass, uint32_t, 1, Converted,                                                       \
      (uint32_t classHandle, plz::ShortString<255>* memberName),                                                  \
      (classHandle, memberName))                                                                             \
    X(PcbApi_GetMemberFromClassAt, uint32_t, 1, Plain,                                                       \
      (uint32_t classHandle, int32_t index, plz::ShortString<255>* memberName),                                   \
      (classHandle, index, memberName))                                                                      \
    X(PcbApi_QueryFromTo, uint32_t, 0, Plain,                                                                \
      (uint8_t direction, uint32_t handle, uint16_t* hostWord, int32_t* x, int32_t* y, uint8_t* byteValue7,  \
      int32_t* x2, int32_t* y2, uint8_t* byteValue8, int32_t* hostInt1),                                     \
      (direction, handle, hostWord, x, y, byteValue7, x2, y2, byteValue8, hostInt1))                         \
    X(PcbApi_QueryManualFromTo, uint32_t, 1, Plain,                                                          \
      (uint8_t direction, uint32_t handle, uint16_t* hostWord, plz::ShortString<255>* manualString1,              \
      plz::ShortString<255>* manualString2, plz::ShortString<255>* manualString3, uint32_t* manualValue),              \
      (direction, handle, hostWord, manualString1, manualString2, manualString3, manualValue))               \
    X(PcbApi_QueryCoordinate, uint32_t, 0, Plain,                                                            \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* hostByte, int32_t*  \
      x, int32_t* y, uint32_t* layerId, uint32_t* coordValue1, uint32_t* coordValue2, uint32_t* coordValue3, \
      uint32_t* coordValue4, uint32_t* coordValue5, uint32_t* coordValue6),                                  \
      (direction, handle, flags, hostWord, hostByte, x, y, layerId, coordValue1, coordValue2, coordValue3,   \
      coordValue4, coordValue5, coordValue6))                                                                \
    X(PcbApi_QueryDimension, uint32_t, 0, Plain,                                                             \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* hostByte, int32_t*  \
      x, int32_t* y, uint32_t* dimValue1, uint32_t* dimValue2, uint32_t* layerId, uint32_t* dimValue3,       \
      uint32_t* dimValue4, uint32_t* dimValue5, uint32_t* dimValue6, uint32_t* dimValue7, uint8_t* dimByte), \
      (direction, handle, flags, hostWord, hostByte, x, y, dimValue1, dimValue2, layerId, dimValue3,         \
      dimValue4, dimValue5, dimValue6, dimValue7, dimByte))                                                  \
    X(PcbApi_References_Count, uint32_t, 0, Plain,                                                           \
      (uint8_t direction, uint32_t handle, int32_t* count),                                                  \
      (direction, handle, count))                                                                            \
    X(PcbApi_References_At, uint32_t, 0, Plain,                                                              \
      (uint8_t direction, uint32_t handle, uint32_t index, uint32_t* referenceValue1, uint32_t*              \
      referenceValue2, uint32_t* referenceValue3, uint32_t* referenceValue4),                                \
      (direction, handle, index, referenceValue1, referenceValue2, referenceValue3, referenceValue4))        \
    X(PcbApi_QueryExtDimension, uint32_t, 0, Plain,                                                          \
      (uint8_t direction, uint32_t handle, uint8_t* dimensionKind, uint32_t* extValue1, uint32_t* extValue2, \
      uint32_t* extValue3, uint8_t* extByte1, uint32_t* extValue4, plz::ShortString<255>* extString1, uint8_t*    \
      extByte2, uint32_t* extValue5, plz::ShortString<255>* extString2, plz::ShortString<255>* extString3, uint64_t*   \
      extValue6, uint32_t* extValue7, uint32_t* extValue8, uint32_t* extValue9, uint8_t* extByte3, uint32_t* \
      extValue10, uint32_t* extValue11, uint32_t* extValue12),                                               \
      (direction, handle, dimensionKind, extValue1, extValue2, extValue3, extByte1, extValue4, extString1,   \
      extByte2, extValue5, extString2, extString3, extValue6, extValue7, extValue8, extValue9, extByte3,     \
      extValue10, extValue11, extValue12))                                                                   \
    X(PcbApi_QueryPolygon, uint32_t, 0, Plain,                                                               \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, uint8_t* polyByte1, uint8_t* polyByte2, uint8_t* polyByte3, uint32_t*     \
      polyValue1, uint32_t* polyValue2, uint8_t* polyByte4, uint16_t* polyWord, uint32_t* polyValue3,        \
      uint8_t* polyByte5, uint32_t* polyValue4, uint8_t* outline),                                           \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, polyByte1, polyByte2, polyByte3,     \
      polyValue1, polyValue2, polyByte4, polyWord, polyValue3, polyByte5, polyValue4, outline))              \
    X(PcbApi_QuerySplitPlane, uint32_t, 0, Plain,                                                            \
      (uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId, int32_t*  \
      hostInt1, uint8_t* hostByte, uint8_t* planeByte, uint32_t* planeValue, uint8_t* outline),              \
      (direction, handle, flags, hostWord, layerId, hostInt1, hostByte, planeByte, planeValue, outline))     \
    X(PcbApi_QueryEmbedded, uint32_t, 0, Plain,                                                              \
      (uint8_t direction, uint32_t handle, plz::ShortString<255>* embeddedName, uint8_t* buffer),                 \
      (direction, handle, embeddedName, buffer))                                                             \
    X(PcbApi_QueryRule, uint32_t, 0, Plain,                                                                  \
      (uint8_t direction, uint32_t handle, uint8_t* ruleByte1, uint8_t* ruleByte2, uint8_t* ruleByte3,       \
      uint8_t* ruleByte4, uint8_t* ruleByte5, uint8_t* ruleByte6, uint8_t* ruleByte7, plz::ShortString<255>*      \
      ruleString1, plz::ShortString<255>* ruleString2, plz::ShortString<255>* ruleString3, plz::ShortString<255>*           \
      ruleString4, uint8_t* ruleByte8, uint8_t* ruleByte9, uint32_t* ruleValue1, uint32_t* ruleValue2,       \
      uint32_t* ruleValue3, uint32_t* ruleValue4, plz::ShortString<255>* ruleString5, plz::ShortString<255>*           \
      ruleString6, plz::ShortString<255>* ruleString7, plz::ShortString<255>* ruleString8, plz::ShortString<255>*           \
      ruleString9, plz::ShortString<255>* ruleString10),                                                          \
      (direction, handle, ruleByte1, ruleByte2, ruleByte3, ruleByte4, ruleByte5, ruleByte6, ruleByte7,       \
      ruleString1, ruleString2, ruleString3, ruleString4, ruleByte8, ruleByte9, ruleValue1, ruleValue2,      \
      ruleValue3, ruleValue4, ruleString5, ruleString6, ruleString7, ruleString8, ruleString9,               \
      ruleString10))                                                                                         \
    X(PcbApi_QueryViolation, uint32_t, 0, Plain,                                                             \
      (uint8_t direction, uint32_t handle, plz::ShortString<255>* violationString1, plz::ShortString<255>*             \
      violationString2, uint32_t* violationValue1, uint32_t* violationValue2, uint32_t* violationValue3),    \
      (direction, handle, violationString1, violationString2, violationValue1, violationValue2,              \
      violationValue3))

namespace plz {

inline constexpr std::size_t kOutlineAreaBytes = 185037;
inline constexpr std::size_t kEmbeddedBufferBytes = 4096;

// Slot indexes into the PCB API table, in binding order.
enum class PcbApiSlot : uint16_t {
#define PLZ_PCB_API_SLOT(name) name,
    PLZ_PCB_API_NAMES(PLZ_PCB_API_SLOT)
#undef PLZ_PCB_API_SLOT
    Count
};
inline constexpr std::size_t kPcbApiSlotCount = static_cast<std::size_t>(PcbApiSlot::Count);
static_assert(kPcbApiSlotCount == 278);

#define PLZ_PCB_API_COUNT(name, result, missing, form, params, args) +1
inline constexpr std::size_t kPcbApiCallCount = 0 PLZ_PCB_API_CALLS(PLZ_PCB_API_COUNT);
#undef PLZ_PCB_API_COUNT
static_assert(kPcbApiCallCount == 75);
// The names marked called in the names list are exactly the ones listed here.
static_assert(SameNameSet({PLZ_PCB_API_CALLS(PLZ_NAME_TEXT)}, {PLZ_PCB_API_ENTRIES(PLZ_NO_NAME, PLZ_NAME_TEXT)}));

// One function-pointer type per called entry point: PcbApi_<Name>_Fn.
#define PLZ_PCB_API_FN_TYPE(name, result, missing, form, params, args) \
    using name##_Fn = result(PLZ_STDCALL*) params;
PLZ_PCB_API_CALLS(PLZ_PCB_API_FN_TYPE)
#undef PLZ_PCB_API_FN_TYPE

// Every called entry point is one of the bound names (a misspelt one fails to compile here).
#define PLZ_PCB_API_CALLED_SLOT(name, result, missing, form, params, args) PcbApiSlot::name,
inline constexpr PcbApiSlot kPcbApiCalledSlots[] = {PLZ_PCB_API_CALLS(PLZ_PCB_API_CALLED_SLOT)};
#undef PLZ_PCB_API_CALLED_SLOT
static_assert(sizeof(kPcbApiCalledSlots) / sizeof(kPcbApiCalledSlots[0]) == kPcbApiCallCount);

// Reads and writes through a possibly unaligned address of a packed record field.
template <typename T>
T LoadUnaligned(const T* address) {
    T value;
    std::memcpy(&value, address, sizeof(T));
    return value;
}
template <typename T>
void StoreUnaligned(T* address, const T& value) {
    std::memcpy(address, &value, sizeof(T));
}

}  // namespace plz
