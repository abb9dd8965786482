// The plug-in's PCB code against the simulated PCB editor: the module loaded from beside the test
// program and the PCB API table bound to it, as at plug-in load.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "RTL/pcb_api.h"
#include "RTL/pcb_board.h"
#include "RTL/pcb_component.h"
#include "RTL/pcb_factory.h"
#include "RTL/pcb_text.h"
#include "hostsim/trelpa/hidden_exports.h"
#include "tests/unit/trelpa/trelpa_fixture.h"

namespace plz {
namespace {

class TrelpaRoundTrip : public test::TrelpaFixture {
protected:
    void SetUp() override {
        TrelpaFixture::SetUp();
        BindPcbApi();
    }
};

TEST_F(TrelpaRoundTrip, FetchedComponentAndDesignatorStoreEveryValueBackUnchanged) {
    const uint32_t handle = Add("C17", "CAPC1608X90N", -25000, 480000, kBottomLayer, true);
    const std::string before = Dump();

    const std::unique_ptr<TPCBObject> object = CreateObjectFromHandle(handle);
    auto* component = dynamic_cast<TPcbComponent*>(object.get());
    ASSERT_NE(component, nullptr);
    const auto host = Read(handle);
    EXPECT_EQ(component->X(), host.x);
    EXPECT_EQ(component->Y(), host.y);
    EXPECT_EQ(component->Layer(), kBottomLayer);
    EXPECT_TRUE(component->Selected());
    EXPECT_EQ(component->HostByte(), host.hostByte);
    EXPECT_EQ(component->Rotation(), host.rotation);
    EXPECT_EQ(component->Own.FootprintKey.View(), "CAPC1608X90N");
    EXPECT_EQ(uint32_t{component->Own.NameHandle}, host.nameHandle);
    EXPECT_EQ(component->Name().View(), "C17");

    TPcbText text(component->Own.NameHandle);
    text.Transfer(Direction::Fetch);
    EXPECT_EQ(text.Text().View(), "C17");
    EXPECT_EQ(text.Own.DisplayText.View(), "C17");

    EXPECT_EQ(component->Transfer(Direction::Store), 0u);
    text.Transfer(Direction::Store);
    EXPECT_EQ(Dump(), before);
}

TEST_F(TrelpaRoundTrip, ComponentCommitMovesOnlyTheLocation) {
    Add("U1", "SO8", 1000, 2000);
    const uint32_t handle = Add("U2", "SO8", 7000, 9000);
    TPcbComponent component(handle);
    component.Transfer(Direction::Fetch);
    component.SetX(component.X() + 123456);
    component.SetY(component.Y() - 654321);
    EXPECT_EQ(component.Transfer(Direction::Commit), 0u);
    const std::string moved = Dump();

    // The same board with U2 placed there from the start: its rectangle and designator moved along.
    control_->Reset();
    Add("U1", "SO8", 1000, 2000);
    Add("U2", "SO8", 7000 + 123456, 9000 - 654321);
    EXPECT_EQ(moved, Dump());
}

TEST_F(TrelpaRoundTrip, FetchedBoardStoresEveryValueBackUnchanged) {
    Add("U1", "SO8", 1000, 2000);
    ASSERT_NE(control_->SetPlaneNet(39, "AGND"), 0);
    const std::string before = Dump();

    TPcbBoard board(board_);
    EXPECT_EQ(board.Transfer(Direction::Fetch), 0u);
    // What the host holds, in the mirror's fields.
    EXPECT_EQ(board.Layers[kTopLayer]->Own.Name.View(), "TopLayer");
    EXPECT_EQ(board.Layers[kTopLayer]->Own.NextLayer, kFirstInternalPlane);
    EXPECT_EQ(dynamic_cast<TInternalPlane&>(*board.Layers[kFirstInternalPlane]).NetName.View(), "AGND");
    EXPECT_EQ(board.Board.BoardLayer, kTopLayer);
    EXPECT_EQ(board.SplitPlaneMode, 2);
    EXPECT_EQ(board.Gerber.GerberValue13.View(), "Gerber 412");
    EXPECT_EQ(board.Dielectric2.Material.View(), "Coverlay");
    ASSERT_EQ(board.LayerPairs.size(), 1u);

    EXPECT_EQ(board.Transfer(Direction::Store), 0u);
    EXPECT_EQ(Dump(), before);
}

TEST_F(TrelpaRoundTrip, ALayerPairIsNamedUpperLayerFirstInStackOrder) {
    ASSERT_NE(control_->SetLayerName(kTopLayer, "Component Side"), 0);
    ASSERT_NE(control_->SetLayerName(kBottomLayer, "Solder Side"), 0);
    const struct {
        uint32_t first, second;
        const char* name;
    } pairs[] = {
        {kTopLayer, kBottomLayer, "Component Side - Solder Side"},
        {kBottomLayer, kTopLayer, "Component Side - Solder Side"},
        {kFirstInternalPlane + 1, kFirstInternalPlane, "InternalPlane1 - InternalPlane2"},
        {kBottomLayer, kFirstInternalPlane, "InternalPlane1 - Solder Side"},
        // Outside the signal and plane layers both positions are 0: the second layer comes first.
        {57, 58, "Mechanical2 - Mechanical1"},
    };
    control_->ClearLayerPairs();
    for (const auto& p : pairs) control_->AddLayerPair(p.first, p.second);

    TPcbBoard board(board_);
    board.Transfer(Direction::Fetch);
    ASSERT_EQ(board.LayerPairs.size(), std::size(pairs));
    for (std::size_t i = 0; i < std::size(pairs); ++i) EXPECT_EQ(board.LayerPairs[i]->Name.View(), pairs[i].name);
}

std::vector<uint32_t> g_visited;

TEST_F(TrelpaRoundTrip, IterateOverComponentsOnLayers1To75HandsOverEachLayerByLayer) {
    const uint8_t layers[] = {32, 1, 75, 2, 1, 74};
    std::vector<uint32_t> c;
    for (uint8_t l : layers) c.push_back(Add("X", "F", 0, 0, l));
    LayerSet set;
    for (int l = 1; l <= 75; ++l) set.Include(uint8_t(l));

    control_->SetLogging(1);
    g_visited.clear();
    TPcbBoard(board_).Iterate([](uint32_t handle) { g_visited.push_back(handle); },
                              ObjectSetOf(kComponentObject), set, 0);
    control_->SetLogging(0);
    EXPECT_EQ(g_visited, (std::vector<uint32_t>{c[1], c[4], c[3], c[0], c[5], c[2]}));

    // 75 iterators, for the component kind and the layers in ascending order, each destroyed.
    std::vector<std::string> created;
    std::istringstream log(control_->CallLog());
    for (std::string line; std::getline(log, line);)
        if (line.rfind("PcbApi_CreateIterator(", 0) == 0) created.push_back(line);
    ASSERT_EQ(created.size(), 75u);
    for (int l = 1; l <= 75; ++l)
        EXPECT_EQ(created[l - 1].substr(0, created[l - 1].find(')') + 1),
                  "PcbApi_CreateIterator(" + std::to_string(board_) + ", 9, 0, " + std::to_string(l) + ")");
    EXPECT_EQ(control_->CallCount("PcbApi_DestroyIterator"), 75u);
}

TEST_F(TrelpaRoundTrip, HiddenExportsAreMissingForTheBindingAndOnlyThose) {
    {
        trelpa::HiddenExports hidden({"PcbApi_ChooseLocation", "PcbApi_GetCurrentEditorWindow"});
        BindPcbApi();
    }
    int32_t x = 5, y = 6;
    EXPECT_EQ(PcbApi_ChooseLocation(board_, &x, &y, ShortString<255>("Pick")), 0);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(PcbApi_GetCurrentEditorWindow(), 0u);
    EXPECT_EQ(control_->CallCount("PcbApi_ChooseLocation"), 0u);
    EXPECT_EQ(control_->CallCount("PcbApi_GetCurrentEditorWindow"), 0u);
    EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), board_);

    BindPcbApi();  // the lookup is the native one again
    EXPECT_NE(PcbApi_ChooseLocation(board_, &x, &y, ShortString<255>("Pick")), 0);
    EXPECT_STREQ(control_->LastPrompt(), "Pick");
}

}  // namespace
}  // namespace plz
