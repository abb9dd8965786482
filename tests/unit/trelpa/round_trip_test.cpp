// The plug-in's PCB code against the simulated PCB editor: the module loaded from beside the test
// program and the PCB API table bound to it, as at plug-in load.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RTL/pcb_api.h"
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
