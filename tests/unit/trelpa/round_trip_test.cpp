// The plug-in's PCB code against the simulated PCB editor: the module loaded from beside the test
// program, the PCB API table bound to it as at plug-in load.
#include <gtest/gtest.h>

#include <string>

#include "RTL/pcb_api.h"
#include "hostsim/trelpa/hidden_exports.h"
#include "hostsim/trelpa/trelpa_control.h"
#include "hostsim/trelpa/trelpa_module.h"

namespace plz {
namespace {

class TrelpaRoundTrip : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_NE(module_ = trelpa::OpenModuleBesideProgram(&error), nullptr) << error;
        ASSERT_NE(control_ = trelpa::ControlOf(module_), nullptr);
    }
    void SetUp() override {
        ASSERT_NE(control_, nullptr);
        board_ = control_->Reset();
        BindPcbApi();
    }

    static inline ModuleHandle module_ = nullptr;
    static inline const trelpa::Control* control_ = nullptr;
    uint32_t board_ = 0;
};

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
