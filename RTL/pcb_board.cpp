// The board mirror's exchanges with the host, its layer stack walk and the object iteration.
#include "RTL/pcb_board.h"

#include <string>

#include "RTL/pcb_api.h"

namespace plz {

TPcbBoard::TPcbBoard(uint32_t boardHandle) : Handle(boardHandle) {
    for (int n = kTopLayer; n <= kLastLegacyLayer; ++n) {
        const uint8_t layer = uint8_t(n);
        if (layer >= kFirstInternalPlane && layer <= kLastInternalPlane)
            Layers[n] = std::make_unique<TInternalPlane>(boardHandle, layer);
        else
            Layers[n] = std::make_unique<TLayerObject>(boardHandle, layer);
    }
}

uint32_t TPcbBoard::Transfer(Direction direction) {
    const uint8_t d = WireDirection(direction);
    BoardRecord& b = Board;
    const uint32_t status =
        PcbApi_QueryBoard(d, Handle, &b.BoardValue1, &b.BoardString, &b.BoardByte1, &b.BoardValue2, &b.BoardValue3,
                          &b.BoardValue4, &b.BoardValue5, &b.BoardByte2, &b.BoardLayer, &b.BoardValue6);
    for (int n = kTopLayer; n <= kLastLegacyLayer; ++n) {
        uint8_t* scratch = &layerInfoScratch_[n];
        PcbApi_QueryBoardLayerInfo(d, Handle, uint8_t(n), scratch, scratch, &LayerInfo[n]);
    }
    for (int n = kTopLayer; n <= kLastLegacyLayer; ++n) Layers[n]->Transfer(direction);
    PcbApi_QueryBoardSplitPlaneMode(d, Handle, &SplitPlaneMode);
    TransferGrids(direction);
    TransferOutputOptions(direction);
    TransferGerberOptions(direction);
    TransferPrinterOptions(direction);
    TransferPlacerOptions(direction);
    TransferEcoOptions(direction);
    TransferLayerPairs(direction);
    PcbApi_QueryBoardExternalDielectrics(d, Handle, &Dielectric1.Material, &Dielectric1.Type, &Dielectric1.Constant,
                                         &Dielectric1.Height, &Dielectric2.Material, &Dielectric2.Type,
                                         &Dielectric2.Constant, &Dielectric2.Height);
    return status;
}

uint32_t TPcbBoard::TransferGrids(Direction direction) {
    GridOptions& g = Grids;
    const uint32_t status = PcbApi_QueryBoardGridsEx(
        WireDirection(direction), Handle, &g.GridByte1, &g.GridByte2, &g.GridByte3, &g.GridByte4, &g.GridValue1,
        &g.GridValue2, &g.GridValue4, &g.GridValue5, &g.GridInt, &g.GridByte5, &g.GridValue6, &g.GridValue7,
        &g.GridValue9, &g.GridValue10);
    g.GridValue3 = g.GridValue4;
    g.GridValue8 = g.GridValue9;
    return status;
}

uint32_t TPcbBoard::TransferOutputOptions(Direction direction) {
    const uint8_t d = WireDirection(direction);
    OutputOptions& o = Output;
    uint8_t* b = o.OutputBytes;
    const uint32_t status = PcbApi_QueryBoardOutputOptions(
        d, Handle, &o.OutputValue1, &o.OutputValue2, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7], &b[8],
        &b[9], &b[10], &b[11], &b[12], &b[13], &b[14], &b[15], &b[16], &b[17], &b[18], &b[19], &b[20], &b[21]);
    for (int i = 1; i <= kPlotLayerCount; ++i) PcbApi_QueryBoardOutputOptionsPlotLayers(d, Handle, uint8_t(i), &o.PlotLayers[i]);
    for (int i = 1; i <= kPlotLayerCount; ++i) PcbApi_QueryBoardOutputOptionsFlipLayers(d, Handle, uint8_t(i), &o.FlipLayers[i]);
    return status;
}

uint32_t TPcbBoard::TransferGerberOptions(Direction direction) {
    GerberOptions& g = Gerber;
    return PcbApi_QueryBoardGerberOptions(WireDirection(direction), Handle, &g.GerberValue1, &g.GerberValue2,
                                          &g.GerberValue3, &g.GerberValue4, &g.GerberValue5, &g.GerberValue6,
                                          &g.GerberValue7, &g.GerberValue8, &g.GerberValue9, &g.GerberValue10,
                                          &g.GerberValue11, &g.GerberValue12, &g.GerberValue13, &g.GerberValue14,
                                          &g.GerberValue15, &g.GerberValue16, &g.GerberValue17, &g.GerberValue18,
                                          &g.GerberValue19);
}

uint32_t TPcbBoard::TransferPrinterOptions(Direction direction) {
    const uint8_t d = WireDirection(direction);
    PrinterOptions& p = Printer;
    const uint32_t status = PcbApi_QueryBoardPrinterOptions(
        d, Handle, &p.PrinterValue1, &p.PrinterValue2, &p.PrinterValue3, &p.PrinterValue4, &p.PrinterValue5,
        &p.PrinterValue6, &p.PrinterValue7, &p.PrinterValue8, &p.PrinterValue9, &p.PrinterValue10, &p.PrinterValue11,
        &p.PrinterValue12, &p.PrinterValue13, &p.PrinterValue14, &p.PrinterValue15, &p.PrinterValue16,
        &p.PrinterValue17, &p.PrinterValue18, &p.PrinterValue19, &p.PrinterValue20, &p.PrinterValue21,
        &p.PrinterValue22, &p.PrinterValue23, &p.PrinterValue24, &p.PrinterValue25, &p.PrinterValue26);
    for (uint32_t pen = 1; pen <= kPlotterPenCount; ++pen)
        PcbApi_QueryBoardPrinterOptionsPlotterPen(d, Handle, pen, &p.PlotterPens[pen].PenValue1,
                                                  &p.PlotterPens[pen].PenValue2);
    for (int n = kTopLayer; n <= kLastLegacyLayer; ++n) {
        CompositeLayer& c = p.CompositeLayers[n];
        PcbApi_QueryBoardPrinterOptionsCompositeLayer(d, Handle, uint8_t(n), &c.CompositeValue1, &c.CompositeValue2,
                                                      &c.CompositeByte, &c.CompositeValue3);
    }
    return status;
}

uint32_t TPcbBoard::TransferPlacerOptions(Direction direction) {
    PlacerOptions& p = Placer;
    return PcbApi_QueryBoardAdvancedPlacerOptions(WireDirection(direction), Handle, &p.PlacerValue1,
                                                  &p.PlacerValue2, &p.PlacerValue3, &p.PlacerValue4,
                                                  &p.PlacerValue5, &p.PlacerValue6);
}

uint32_t TPcbBoard::TransferEcoOptions(Direction direction) {
    return PcbApi_QueryBoardEngineeringChangeOrderOptions(WireDirection(direction), Handle, &Eco.EcoValue1,
                                                          &Eco.EcoValue2);
}

void TPcbBoard::TransferLayerPairs(Direction direction) {
    const uint8_t d = WireDirection(direction);
    if (direction == Direction::Fetch) {
        LayerPairs.clear();
        int32_t count = 0;
        if (PcbApi_QueryBoardLayerPairsCount(Handle, &count, 1) != 0) count = 0;
        for (int32_t i = 0; i < count; ++i) {
            auto pair = std::make_unique<TPcblayerPair>();
            PcbApi_QueryBoardLayerPairAt(d, Handle, uint32_t(i), &pair->FirstLayerId, &pair->SecondLayerId,
                                         &pair->HostPairByte2, &pair->HostPairByte1);
            NamePair(*pair);
            LayerPairs.push_back(std::move(pair));
        }
        return;
    }
    int32_t count = int32_t(LayerPairs.size());
    PcbApi_QueryBoardLayerPairsCount(Handle, &count, 0);
    for (std::size_t i = 0; i < LayerPairs.size(); ++i) {
        TPcblayerPair& pair = *LayerPairs[i];
        PcbApi_QueryBoardLayerPairAt(d, Handle, uint32_t(i), &pair.FirstLayerId, &pair.SecondLayerId,
                                     &pair.HostPairByte2, &pair.HostPairByte1);
    }
}

void TPcbBoard::NamePair(TPcblayerPair& pair) {
    // A pair end that names no layer of the stack (no layer at all) is named as the legacy
    // number reads, and stands outside the stack.
    const uint8_t a = pair.SecondLayer(), b = pair.FirstLayer();
    const auto name = [&](uint8_t n) { return Layers[n] ? Layers[n]->Own.Name.Str() : std::string(kLayerNames[n]); };
    const auto position = [&](uint8_t n) { return Layers[n] ? StackPosition(kElectricalLayers, *Layers[n]) : 0; };
    const bool aFirst = position(a) <= position(b);
    pair.Name = name(aFirst ? a : b) + " - " + name(aFirst ? b : a);
}

TLayerObject* TPcbBoard::FirstStackLayer() {
    for (int n = kTopLayer; n <= kLastLegacyLayer; ++n)
        if (Layers[n]->Own.PreviousLayer == 0) return Layers[n].get();
    return nullptr;
}

TLayerObject* TPcbBoard::NextStackLayer(const TLayerObject& layer) {
    const uint8_t next = layer.Own.NextLayer;
    return next >= kTopLayer && next <= kLastLegacyLayer ? Layers[next].get() : nullptr;
}

int32_t TPcbBoard::StackPosition(const LayerSet& set, const TLayerObject& layer) {
    if (!set.Contains(layer.Own.Layer)) return 0;
    int32_t count = 0;
    // A stack has at most 82 layers; links that loop end the walk there.
    int steps = 0;
    for (TLayerObject* at = FirstStackLayer(); at && steps < kLastLegacyLayer; at = NextStackLayer(*at), ++steps) {
        if (set.Contains(at->Own.Layer)) ++count;
        if (at == &layer) break;
    }
    return count;
}

namespace {

// The host's iterator, destroyed also when the callback raises.
struct HostIterator {
    const uint32_t handle;
    ~HostIterator() { PcbApi_DestroyIterator(handle); }
};

}  // namespace

void TPcbBoard::Iterate(IterateCallback callback, ObjectSet objects, const LayerSet& layers, uint8_t mode) {
    const LayerSet wanted = layers;
    for (uint8_t kind = 0; kind <= kLastIteratedObjectKind; ++kind) {
        if (!((objects >> kind) & 1)) continue;
        for (uint8_t layer = 0; layer <= kLastLegacyLayer; ++layer) {
            if (!wanted.Contains(layer)) continue;
            const HostIterator iterator{PcbApi_CreateIterator(Handle, kind, mode, layer)};
            for (uint32_t object = PcbApi_GetFirstObject(iterator.handle); object != 0;
                 object = PcbApi_GetNextObject(iterator.handle))
                callback(object);
        }
    }
}

}  // namespace plz
