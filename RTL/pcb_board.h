// The mirror of the PCB document itself: the board's settings, its layer stack and drill layer
// pairs, its option groups and outer dielectrics, and the iteration over the board's objects.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "RTL/layer_records.h"
#include "RTL/layers.h"
#include "RTL/pcb_object.h"
#include "platform/short_string.h"

namespace plz {

#pragma pack(push, 1)
struct BoardRecord {
    uint32_t BoardValue1 = 0;
    ShortString<255> BoardString;
    uint8_t BoardByte1 = 0;
    uint32_t BoardValue2 = 0;
    uint32_t BoardValue3 = 0;
    uint32_t BoardValue4 = 0;
    uint32_t BoardValue5 = 0;
    uint8_t BoardByte2 = 0;
    uint8_t BoardLayer = 0;  // legacy number; the host sees its identifier
    uint32_t BoardValue6 = 0;
};
static_assert(sizeof(BoardRecord) == 283);

struct GridOptions {
    uint8_t GridByte1 = 0;
    uint8_t GridByte2 = 0;
    uint8_t GridByte3 = 0;
    uint8_t GridByte4 = 0;
    uint64_t GridValue1 = 0;
    uint64_t GridValue2 = 0;
    uint64_t GridValue4 = 0;
    uint64_t GridValue5 = 0;
    uint32_t GridInt = 0;
    uint8_t GridByte5 = 0;
    uint64_t GridValue6 = 0;
    uint64_t GridValue7 = 0;
    uint64_t GridValue9 = 0;
    uint64_t GridValue10 = 0;
    // Not exchanged: copies of GridValue4 and GridValue9, refreshed after every exchange.
    uint64_t GridValue3 = 0;
    uint64_t GridValue8 = 0;
};
static_assert(sizeof(GridOptions) == 4 + 4 * 8 + 4 + 1 + 4 * 8 + 2 * 8);

struct OutputOptions {
    uint32_t OutputValue1 = 0;
    uint32_t OutputValue2 = 0;
    uint8_t OutputBytes[22] = {};  // OutputByte1 to OutputByte22
    uint8_t PlotLayers[kPlotLayerCount + 1] = {};  // indexed 1 to 109
    uint8_t FlipLayers[kPlotLayerCount + 1] = {};  // indexed 1 to 109
};

struct GerberOptions {
    uint8_t GerberValue1 = 0, GerberValue2 = 0, GerberValue3 = 0, GerberValue4 = 0, GerberValue5 = 0,
            GerberValue6 = 0, GerberValue7 = 0;
    uint32_t GerberValue8 = 0, GerberValue9 = 0, GerberValue10 = 0, GerberValue11 = 0, GerberValue12 = 0;
    ShortString<255> GerberValue13;
    uint32_t GerberValue14 = 0;
    uint8_t GerberValue15 = 0, GerberValue16 = 0;
    uint32_t GerberValue17 = 0, GerberValue18 = 0;
    uint8_t GerberValue19 = 0;
};
static_assert(sizeof(GerberOptions) == 7 + 5 * 4 + 256 + 4 + 2 + 2 * 4 + 1);

struct PlotterPen {
    uint32_t PenValue1 = 0;
    uint32_t PenValue2 = 0;
};

struct CompositeLayer {
    uint32_t CompositeValue1 = 0;
    uint32_t CompositeValue2 = 0;
    uint8_t CompositeByte = 0;
    uint32_t CompositeValue3 = 0;
};
static_assert(sizeof(CompositeLayer) == 13);

struct PrinterOptions {
    ShortString<255> PrinterValue1, PrinterValue2, PrinterValue3;
    uint8_t PrinterValue4 = 0, PrinterValue5 = 0, PrinterValue6 = 0, PrinterValue7 = 0, PrinterValue8 = 0,
            PrinterValue9 = 0;
    uint32_t PrinterValue10 = 0;
    uint64_t PrinterValue11 = 0, PrinterValue12 = 0, PrinterValue13 = 0, PrinterValue14 = 0;
    uint8_t PrinterValue15 = 0, PrinterValue16 = 0;
    uint64_t PrinterValue17 = 0, PrinterValue18 = 0, PrinterValue19 = 0;
    uint32_t PrinterValue20 = 0, PrinterValue21 = 0;
    uint8_t PrinterValue22 = 0, PrinterValue23 = 0, PrinterValue24 = 0, PrinterValue25 = 0, PrinterValue26 = 0;
    PlotterPen PlotterPens[kPlotterPenCount + 1];  // indexed 1 to 8
    CompositeLayer CompositeLayers[83];   // indexed by legacy layer number 1 to 82
};
static_assert(sizeof(PrinterOptions) == 3 * 256 + 6 + 4 + 4 * 8 + 2 + 3 * 8 + 2 * 4 + 5 + 9 * 8 + 83 * 13);

struct PlacerOptions {
    ShortString<255> PlacerValue1, PlacerValue2;
    uint8_t PlacerValue3 = 0, PlacerValue4 = 0, PlacerValue5 = 0, PlacerValue6 = 0;
};

struct EcoOptions {
    uint8_t EcoValue1 = 0;
    ShortString<255> EcoValue2;
};

struct OuterDielectric {
    ShortString<255> Material{"FR-4"};
    uint8_t Type = 1;
    double Constant = 4.8;
    int32_t Height = 126000;  // 12.6 mil
};
static_assert(sizeof(OuterDielectric) == 269);
#pragma pack(pop)

// Receives each visited object's handle.
using IterateCallback = void (*)(uint32_t handle);

class TPcbBoard {
public:
    explicit TPcbBoard(uint32_t boardHandle);
    virtual ~TPcbBoard() = default;
    TPcbBoard(const TPcbBoard&) = delete;
    TPcbBoard& operator=(const TPcbBoard&) = delete;

    uint32_t Handle;
    // Indexed by legacy layer number 1 to 82 (0 stays empty): internal planes for 39 to 54.
    std::array<std::unique_ptr<TLayerObject>, kLegacyLayerCount> Layers;
    std::vector<std::unique_ptr<TPcblayerPair>> LayerPairs;

    BoardRecord Board;
    uint32_t LayerInfo[kLegacyLayerCount] = {};  // indexed 1 to 82
    uint8_t SplitPlaneMode = 1;
    GridOptions Grids;
    OutputOptions Output;
    GerberOptions Gerber;
    PrinterOptions Printer;
    PlacerOptions Placer;
    EcoOptions Eco;
    OuterDielectric Dielectric1;
    OuterDielectric Dielectric2;

    // Exchanges everything with the host; the status of the board record's query.
    virtual uint32_t Transfer(Direction direction);

    uint32_t TransferGrids(Direction direction);
    uint32_t TransferOutputOptions(Direction direction);
    uint32_t TransferGerberOptions(Direction direction);
    uint32_t TransferPrinterOptions(Direction direction);
    uint32_t TransferPlacerOptions(Direction direction);
    uint32_t TransferEcoOptions(Direction direction);
    // A fetch replaces the pairs with the host's, named upper layer first.
    void TransferLayerPairs(Direction direction);

    // Hands every object of the set's kinds (0 to 25) on the set's layers (0 to 82) to the
    // callback, one host iterator per kind and layer.
    void Iterate(IterateCallback callback, ObjectSet objects, const LayerSet& layers, uint8_t mode);

    // The stack from top to bottom, as the layer records link it.
    TLayerObject* FirstStackLayer();
    TLayerObject* NextStackLayer(const TLayerObject& layer);
    // The 1-based position of the layer among the set's layers in stack order; 0 when the layer
    // is not in the set.
    int32_t StackPosition(const LayerSet& set, const TLayerObject& layer);

private:
    void NamePair(TPcblayerPair& pair);

    // What the host last wrote into the two byte positions of each layer's info, sent back on a store.
    uint8_t layerInfoScratch_[kLegacyLayerCount] = {};
};

}  // namespace plz
