// The board mirror: defaults, the order and arguments of its transfer, layer pairs and their
// names, the layer records' exchanges, and the iteration over objects.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <utility>

#include "RTL/pcb_board.h"
#include "fake_pcb_module.h"

namespace plz::test {
namespace {

constexpr uint8_t kStore = 0, kFetch = 1;
constexpr uint32_t kBoard = 800;

// The entry points in call order, runs of the same one counted.
std::vector<std::pair<std::string, int>> Runs(const std::vector<HostCall>& log) {
    std::vector<std::pair<std::string, int>> runs;
    for (const HostCall& c : log) {
        if (runs.empty() || runs.back().first != c.entry) runs.emplace_back(c.entry, 0);
        ++runs.back().second;
    }
    return runs;
}

TEST(PcbBoard, NewBoardHasItsDefaultsAndAskesTheHostNothing) {
    FakePcbModule pcb;
    TPcbBoard board(kBoard);
    EXPECT_EQ(board.Dielectric1.Material.Str(), "FR-4");
    EXPECT_EQ(board.Dielectric2.Type, 1);
    EXPECT_EQ(double(board.Dielectric2.Constant), 4.8);
    EXPECT_EQ(int32_t(board.Dielectric1.Height), 126000);
    EXPECT_EQ(board.SplitPlaneMode, 1);
    EXPECT_TRUE(board.LayerPairs.empty());
    EXPECT_EQ(board.Layers[0], nullptr);
    int planes = 0;
    for (int n = 1; n <= 82; ++n) {
        ASSERT_NE(board.Layers[n], nullptr);
        EXPECT_EQ(board.Layers[n]->Own.Layer, n);
        EXPECT_EQ(uint32_t(board.Layers[n]->Own.BoardHandle), kBoard);
        planes += dynamic_cast<TInternalPlane*>(board.Layers[n].get()) != nullptr;
    }
    EXPECT_EQ(planes, 16);
    EXPECT_NE(dynamic_cast<TInternalPlane*>(board.Layers[39].get()), nullptr);
    EXPECT_EQ(board.Layers[5]->Own.Name.Str(), "MidLayer4");
    EXPECT_EQ(static_cast<TInternalPlane&>(*board.Layers[54]).NetName.Str(), "(No Net)");
    EXPECT_EQ(int32_t(board.Layers[1]->Own.CopperThickness), 14000);
    EXPECT_TRUE(pcb.log.empty());
}

TEST(PcbBoard, TransferCallsEveryGroupInOrder) {
    FakePcbModule pcb;
    pcb.on.PcbApi_QueryBoardLayerPairsCount = [](uint32_t, int32_t* count, uint8_t) {
        StoreUnaligned(count, int32_t{2});
        return 0u;
    };
    TPcbBoard board(kBoard);
    board.Transfer(Direction::Fetch);
    const std::vector<std::pair<std::string, int>> expected = {
        {"PcbApi_QueryBoard", 1},
        {"PcbApi_QueryBoardLayerInfo", 82},
    };
    auto runs = Runs(pcb.log);
    ASSERT_GT(runs.size(), 2u);
    EXPECT_EQ(std::vector(runs.begin(), runs.begin() + 2), expected);
    // The layer records 1 to 82, each a layer query and a dielectric query.
    std::vector<std::pair<std::string, int>> layers;
    for (int n = 1; n <= 82; ++n) {
        layers.emplace_back(n >= 39 && n <= 54 ? "PcbApi_QueryInternalPlane" : "PcbApi_QueryLayer", 1);
        layers.emplace_back("PcbApi_QueryLayerDielectric", 1);
    }
    EXPECT_EQ(std::vector(runs.begin() + 2, runs.begin() + 2 + 164), layers);
    const std::vector<std::pair<std::string, int>> tail = {
        {"PcbApi_QueryBoardSplitPlaneMode", 1},
        {"PcbApi_QueryBoardGridsEx", 1},
        {"PcbApi_QueryBoardOutputOptions", 1},
        {"PcbApi_QueryBoardOutputOptionsPlotLayers", 109},
        {"PcbApi_QueryBoardOutputOptionsFlipLayers", 109},
        {"PcbApi_QueryBoardGerberOptions", 1},
        {"PcbApi_QueryBoardPrinterOptions", 1},
        {"PcbApi_QueryBoardPrinterOptionsPlotterPen", 8},
        {"PcbApi_QueryBoardPrinterOptionsCompositeLayer", 82},
        {"PcbApi_QueryBoardAdvancedPlacerOptions", 1},
        {"PcbApi_QueryBoardEngineeringChangeOrderOptions", 1},
        {"PcbApi_QueryBoardLayerPairsCount", 1},
        {"PcbApi_QueryBoardLayerPairAt", 2},
        {"PcbApi_QueryBoardExternalDielectrics", 1},
    };
    EXPECT_EQ(std::vector(runs.begin() + 166, runs.end()), tail);
}

TEST(PcbBoard, TransferArgumentsPointIntoTheMirror) {
    FakePcbModule pcb;
    TPcbBoard board(kBoard);
    board.Transfer(Direction::Store);
    const BoardRecord& b = board.Board;
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoard").at(0),
              Call("PcbApi_QueryBoard", kStore, kBoard, &b.BoardValue1, &b.BoardString, &b.BoardByte1,
                   &b.BoardValue2, &b.BoardValue3, &b.BoardValue4, &b.BoardValue5, &b.BoardByte2, kAnyArg,
                   &b.BoardValue6));
    const HostCall info = pcb.CallsOf("PcbApi_QueryBoardLayerInfo").at(4);
    EXPECT_EQ(info, Call("PcbApi_QueryBoardLayerInfo", kStore, kBoard, uint8_t{5}, kAnyArg, kAnyArg,
                         &board.LayerInfo[5]));
    EXPECT_EQ(info.args[3], info.args[4]);  // one scratch byte for both positions

    const LayerFields& l = board.Layers[5]->Own;
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryLayer").at(4),
              Call("PcbApi_QueryLayer", kStore, uint8_t{5}, kBoard, &l.Name, &l.CopperThickness, &l.HostLayerByte1,
                   &l.HostLayerByte2, &l.PreviousLayer, &l.NextLayer, &l.HostLayerWord));
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryLayerDielectric").at(4),
              Call("PcbApi_QueryLayerDielectric", kStore, uint8_t{5}, kBoard, &l.DielectricMaterial,
                   &l.DielectricType, &l.DielectricConstant, &l.DielectricHeight));
    auto& plane = static_cast<TInternalPlane&>(*board.Layers[40]);
    const LayerFields& p = plane.Own;
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryInternalPlane").at(1),
              Call("PcbApi_QueryInternalPlane", kStore, uint8_t{40}, kBoard, &p.Name, &p.CopperThickness,
                   &p.HostLayerByte1, &p.HostLayerByte2, &p.PreviousLayer, &p.NextLayer, &plane.NetName));

    const GridOptions& g = board.Grids;
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoardGridsEx").at(0),
              Call("PcbApi_QueryBoardGridsEx", kStore, kBoard, &g.GridByte1, &g.GridByte2, &g.GridByte3,
                   &g.GridByte4, &g.GridValue1, &g.GridValue2, &g.GridValue4, &g.GridValue5, &g.GridInt,
                   &g.GridByte5, &g.GridValue6, &g.GridValue7, &g.GridValue9, &g.GridValue10));
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoardOutputOptionsFlipLayers").at(108),
              Call("PcbApi_QueryBoardOutputOptionsFlipLayers", kStore, kBoard, uint8_t{109},
                   &board.Output.FlipLayers[109]));
    const PlotterPen& pen = board.Printer.PlotterPens[8];
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoardPrinterOptionsPlotterPen").at(7),
              Call("PcbApi_QueryBoardPrinterOptionsPlotterPen", kStore, kBoard, 8u, &pen.PenValue1, &pen.PenValue2));
    const CompositeLayer& c = board.Printer.CompositeLayers[82];
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoardPrinterOptionsCompositeLayer").at(81),
              Call("PcbApi_QueryBoardPrinterOptionsCompositeLayer", kStore, kBoard, uint8_t{82}, &c.CompositeValue1,
                   &c.CompositeValue2, &c.CompositeByte, &c.CompositeValue3));
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoardEngineeringChangeOrderOptions").at(0),
              Call("PcbApi_QueryBoardEngineeringChangeOrderOptions", kStore, kBoard, &board.Eco.EcoValue1,
                   &board.Eco.EcoValue2));
    const OuterDielectric &d1 = board.Dielectric1, &d2 = board.Dielectric2;
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryBoardExternalDielectrics").at(0),
              Call("PcbApi_QueryBoardExternalDielectrics", kStore, kBoard, &d1.Material, &d1.Type, &d1.Constant,
                   &d1.Height, &d2.Material, &d2.Type, &d2.Constant, &d2.Height));
}

TEST(PcbBoard, StoreSendsBackWhatTheFetchBrought) {
    FakePcbModule pcb;
    std::vector<int> scratchSeen;
    pcb.on.PcbApi_QueryBoardLayerInfo = [&](uint8_t d, uint32_t, uint8_t layer, uint8_t* b1, uint8_t* b2,
                                            uint32_t* value) {
        if (d == kFetch) {
            *b1 = 9;
            *b2 = uint8_t(layer);
            StoreUnaligned(value, uint32_t{layer} * 10);
        } else {
            scratchSeen.push_back(*b1);
        }
        return 0u;
    };
    pcb.on.PcbApi_QueryBoardGridsEx = [](uint8_t, uint32_t, uint8_t*, uint8_t*, uint8_t*, uint8_t*, uint64_t*,
                                         uint64_t*, uint64_t* v4, uint64_t*, uint32_t*, uint8_t*, uint64_t*,
                                         uint64_t*, uint64_t* v9, uint64_t*) {
        StoreUnaligned(v4, uint64_t{44});
        StoreUnaligned(v9, uint64_t{99});
        return 0u;
    };
    TPcbBoard board(kBoard);
    board.Transfer(Direction::Fetch);
    EXPECT_EQ(board.LayerInfo[7], 70u);
    EXPECT_EQ(uint64_t(board.Grids.GridValue3), 44u);
    EXPECT_EQ(uint64_t(board.Grids.GridValue8), 99u);
    board.Transfer(Direction::Store);
    ASSERT_EQ(scratchSeen.size(), 82u);
    EXPECT_EQ(scratchSeen[0], 1);
    EXPECT_EQ(scratchSeen[81], 82);
}

// A host stack TopLayer - MidLayer1 - BottomLayer; every other record has a layer above it, so
// the stack starts at the top layer.
void InstallStack(FakePcbModule& pcb, std::vector<std::pair<uint8_t, uint8_t>> links = {{0, 2}, {1, 32}}) {
    pcb.on.PcbApi_QueryLayer = [links](uint8_t, uint8_t layer, uint32_t, ShortString<255>* name, int32_t*,
                                       uint8_t*, uint8_t*, uint8_t* previous, uint8_t* next, uint16_t*) {
        name->Assign(std::string("L") + std::to_string(layer));
        *previous = layer;
        *next = 0;
        if (layer == 1) *previous = links[0].first, *next = links[0].second;
        if (layer == 2) *previous = links[1].first, *next = links[1].second;
        if (layer == 32) *previous = 2;
        return 0u;
    };
    pcb.on.PcbApi_QueryInternalPlane = [](uint8_t, uint8_t layer, uint32_t, ShortString<255>*, int32_t*, uint8_t*,
                                          uint8_t*, uint8_t* previous, uint8_t*, ShortString<255>*) {
        *previous = layer;
        return 0u;
    };
}

void InstallPairs(FakePcbModule& pcb, std::vector<std::pair<uint32_t, uint32_t>> pairs, uint32_t countStatus = 0) {
    pcb.on.PcbApi_QueryBoardLayerPairsCount = [pairs, countStatus](uint32_t, int32_t* count, uint8_t fetch) {
        if (fetch) StoreUnaligned(count, int32_t(pairs.size()));
        return countStatus;
    };
    pcb.on.PcbApi_QueryBoardLayerPairAt = [pairs](uint8_t, uint32_t, uint32_t i, uint32_t* first, uint32_t* second,
                                                  uint8_t* byte2, uint8_t*) {
        StoreUnaligned(first, pairs.at(i).first);
        StoreUnaligned(second, pairs.at(i).second);
        *byte2 = uint8_t(i + 1);
        return 0u;
    };
}

std::vector<std::string> PairNames(const TPcbBoard& board) {
    std::vector<std::string> names;
    for (const auto& pair : board.LayerPairs) names.push_back(pair->Name.Str());
    return names;
}

TEST(PcbBoard, LayerPairsAreNamedUpperLayerFirst) {
    FakePcbModule pcb;
    InstallStack(pcb);
    InstallPairs(pcb, {{1, 32}, {32, 1}, {2, 32}, {57, 33}, {0, 1}});
    TPcbBoard board(kBoard);
    board.Transfer(Direction::Fetch);
    EXPECT_EQ(PairNames(board), (std::vector<std::string>{"L1 - L32", "L1 - L32", "L2 - L32", "L33 - L57",
                                                          "NoLayer - L1"}));
    EXPECT_EQ(board.StackPosition(kElectricalLayers, *board.Layers[32]), 3);
    EXPECT_EQ(board.StackPosition(kElectricalLayers, *board.Layers[40]), 3);  // not on the chain: all of it
    EXPECT_EQ(board.StackPosition(kElectricalLayers, *board.Layers[33]), 0);
    EXPECT_EQ(board.LayerPairs[1]->HostPairByte2, 2);
}

TEST(PcbBoard, FetchReplacesThePairsAndStoreSendsThemBack) {
    FakePcbModule pcb;
    InstallStack(pcb);
    InstallPairs(pcb, {{1, 32}, {1, 2}});
    TPcbBoard board(kBoard);
    board.Transfer(Direction::Fetch);
    board.Transfer(Direction::Fetch);
    ASSERT_EQ(board.LayerPairs.size(), 2u);

    pcb.log.clear();
    board.TransferLayerPairs(Direction::Commit);
    const TPcblayerPair& second = *board.LayerPairs[1];
    ASSERT_EQ(pcb.log.size(), 3u);
    EXPECT_EQ(pcb.log[0], Call("PcbApi_QueryBoardLayerPairsCount", kBoard, kAnyArg, uint8_t{0}));
    EXPECT_EQ(pcb.log[2], Call("PcbApi_QueryBoardLayerPairAt", uint8_t{2}, kBoard, 1u, &second.FirstLayerId,
                               &second.SecondLayerId, &second.HostPairByte2, &second.HostPairByte1));

    InstallPairs(pcb, {{1, 32}}, /*countStatus=*/1);
    board.TransferLayerPairs(Direction::Fetch);
    EXPECT_TRUE(board.LayerPairs.empty());
}

TEST(PcbBoard, StackWalkEndsOnLinksThatLoop) {
    FakePcbModule pcb;
    InstallStack(pcb, {{0, 2}, {1, 1}});  // MidLayer1 points back to the top layer
    TPcbBoard board(kBoard);
    board.Transfer(Direction::Fetch);
    EXPECT_GT(board.StackPosition(kElectricalLayers, *board.Layers[32]), 0);
}

TEST(PcbLayerPair, NewPairHasNoLayers) {
    TPcblayerPair pair;
    EXPECT_EQ(pair.FirstLayer(), kNoLayer);
    EXPECT_EQ(pair.SecondLayer(), kNoLayer);
    pair.SetSecondLayer(kBottomLayer);
    EXPECT_EQ(uint32_t(pair.SecondLayerId), 32u);
    pair.SecondLayerId = 0x01010028;
    EXPECT_EQ(pair.SecondLayer(), 31);
}

std::vector<uint32_t> g_visited;
void Visit(uint32_t handle) { g_visited.push_back(handle); }

TEST(PcbBoardIterate, OneIteratorPerKindAndLayerInAscendingOrder) {
    FakePcbModule pcb;
    g_visited.clear();
    std::vector<uint32_t> remaining;
    pcb.on.PcbApi_CreateIterator = [](uint32_t, uint8_t, uint8_t, uint32_t layerId) { return 1000 + layerId; };
    pcb.on.PcbApi_GetFirstObject = [&](uint32_t iterator) {
        remaining = iterator == 1001 ? std::vector<uint32_t>{11, 12} : iterator == 1075 ? std::vector<uint32_t>{13}
                                                                                         : std::vector<uint32_t>{};
        return remaining.empty() ? 0u : remaining.front();
    };
    pcb.on.PcbApi_GetNextObject = [&](uint32_t) {
        remaining.erase(remaining.begin());
        return remaining.empty() ? 0u : remaining.front();
    };
    LayerSet layers;
    for (int n = 1; n <= 75; ++n) layers.Include(uint8_t(n));
    TPcbBoard board(kBoard);
    board.Iterate(&Visit, ObjectSetOf(kComponentObject), layers, 0);

    EXPECT_EQ(g_visited, (std::vector<uint32_t>{11, 12, 13}));
    const auto created = pcb.CallsOf("PcbApi_CreateIterator");
    ASSERT_EQ(created.size(), 75u);
    for (uint32_t n = 1; n <= 75; ++n)
        EXPECT_EQ(created[n - 1], Call("PcbApi_CreateIterator", kBoard, uint8_t{9}, uint8_t{0}, n));
    EXPECT_EQ(pcb.CallsOf("PcbApi_DestroyIterator").size(), 75u);
    EXPECT_EQ(pcb.log.at(0), Call("PcbApi_CreateIterator", kBoard, uint8_t{9}, uint8_t{0}, 1u));
    EXPECT_EQ(pcb.log.at(1), Call("PcbApi_GetFirstObject", 1001u));
    EXPECT_EQ(pcb.log.at(4), Call("PcbApi_DestroyIterator", 1001u));
}

void Fail(uint32_t) { throw std::bad_alloc(); }

TEST(PcbBoardIterate, ACallbackThatRaisesStillLeavesTheHostsIteratorDestroyed) {
    FakePcbModule pcb;
    pcb.on.PcbApi_CreateIterator = [](uint32_t, uint8_t, uint8_t, uint32_t) { return 61u; };
    pcb.on.PcbApi_GetFirstObject = [](uint32_t) { return 5u; };
    LayerSet top;
    top.Include(kTopLayer);
    TPcbBoard board(kBoard);
    EXPECT_THROW(board.Iterate(&Fail, ObjectSetOf(kComponentObject), top, 0), std::bad_alloc);
    EXPECT_EQ(pcb.CallsOf("PcbApi_DestroyIterator"), (std::vector<HostCall>{Call("PcbApi_DestroyIterator", 61u)}));
}

TEST(PcbBoardIterate, EmptyOrOutOfRangeSetsAskNothingAndAZeroIteratorIsStillUsed) {
    FakePcbModule pcb;
    TPcbBoard board(kBoard);
    LayerSet beyond;
    for (int n = 83; n <= 87; ++n) beyond.Include(uint8_t(n));
    LayerSet top;
    top.Include(kTopLayer);
    board.Iterate(&Visit, 0, top, 0);
    board.Iterate(&Visit, ObjectSetOf(kComponentObject), LayerSet{}, 0);
    board.Iterate(&Visit, ObjectSetOf(kComponentObject), beyond, 0);
    board.Iterate(&Visit, ObjectSet{1} << 26 | ObjectSet{1} << 31, top, 0);
    EXPECT_TRUE(pcb.log.empty());

    board.Iterate(&Visit, ObjectSetOf(kNoObject) | ObjectSetOf(25), top, 2);
    EXPECT_EQ(pcb.log, (std::vector<HostCall>{
                           Call("PcbApi_CreateIterator", kBoard, uint8_t{0}, uint8_t{2}, 1u),
                           Call("PcbApi_GetFirstObject", 0u),
                           Call("PcbApi_DestroyIterator", 0u),
                           Call("PcbApi_CreateIterator", kBoard, uint8_t{25}, uint8_t{2}, 1u),
                           Call("PcbApi_GetFirstObject", 0u),
                           Call("PcbApi_DestroyIterator", 0u),
                       }));
}

}  // namespace
}  // namespace plz::test
