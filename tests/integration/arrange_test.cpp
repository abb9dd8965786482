// The whole road of "Plazen": the simulated PCB editor loaded first, the plug-in after it, the
// command run on a board, and the host processes that refresh the board arriving at the host's
// process runner with the command's context; a failing process comes back as the command's error.
#include <gtest/gtest.h>

#include "hostsim/host.h"
#include "hostsim/plugin_host.h"
#include "hostsim/trelpa/trelpa_module.h"
#include "platform/os.h"
#include "tests/integration/environment.h"

namespace plz::integration {
namespace {

using hostsim::Failure;
using hostsim::LaunchedProcess;

class ArrangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string problem;
        ASSERT_TRUE(plugin_.LoadEditor(hostsim::DefaultEditorPath(), &problem)) << problem;
        editor_ = trelpa::ControlOf(plugin_.Editor());
        ASSERT_NE(editor_, nullptr);
        editor_->Reset();
        const trelpa::ComponentSpec parts[] = {
            {"R2", "0603", 5'000'000, 0, 4'900'000, -100'000, 5'100'000, 100'000, 0.0, 1, 0, 0},
            {"R1", "0603", 9'000'000, 3'000'000, 8'900'000, 2'900'000, 9'100'000, 3'100'000, 0.0, 1, 0, 0},
        };
        for (const auto& part : parts) handles_.push_back(editor_->AddComponent(&part));
        ASSERT_TRUE(plugin_.Load(hostsim::DefaultPluginPath(), &problem)) << problem;
    }

    int32_t X(size_t component) const {
        trelpa::ComponentState state{};
        EXPECT_TRUE(editor_->ReadComponent(handles_[component], &state));
        return state.x;
    }

    // The refresh processes, each with the 256-byte buffer and the command's context.
    std::vector<LaunchedProcess> Refresh(size_t count) {
        std::vector<LaunchedProcess> all{{"PCB:Zoom", "Action=Redraw", 256, host_.Context()},
                                         {"PCB:NetList", "Optimize=all", 256, host_.Context()},
                                         {"PCB:Zoom", "Action=All", 256, host_.Context()}};
        all.resize(count);
        return all;
    }

    hostsim::Host host_;
    hostsim::PluginHost plugin_{host_};
    const trelpa::Control* editor_ = nullptr;
    std::vector<uint32_t> handles_;
};

TEST_F(ArrangeTest, PlazenRefreshesTheBoardThroughTheHostsProcessesWhetherPickedOrCancelled) {
    for (bool pick : {true, false}) {
        SCOPED_TRACE(pick ? "picked" : "cancelled");
        host_.state().processes.clear();
        host_.state().statusTexts.clear();
        const int32_t before = X(0);
        editor_->SetChooseLocation(pick ? 1 : 0, 20'000'000, 20'000'000);

        hostsim::Outcome outcome = plugin_.Launch("Plazen", "Object=ALL COMPONENTS");
        EXPECT_EQ(outcome.status, S_OK);
        EXPECT_EQ(host_.state().processes, Refresh(3));
        EXPECT_EQ(host_.state().statusTexts, (std::vector<hostsim::StatusText>{{1, u""}, {2, u""}, {3, u""}}));
        EXPECT_EQ(X(0) != before, pick);
        EXPECT_EQ(host_.ContextReferences(), 1u);
    }
}

TEST_F(ArrangeTest, FailingHostProcessEndsTheCommandWithTheHostsText) {
    host_.state().processFailures[1] = Failure{E_FAIL, u"PCB", u"Net list is locked"};
    editor_->SetChooseLocation(1, 20'000'000, 20'000'000);

    hostsim::Outcome outcome = plugin_.Launch("Plazen", "");
    EXPECT_EQ(outcome.status, E_UNEXPECTED);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->source, os::calls().AnsiToWide(kPluginFileName));
    EXPECT_EQ(outcome.error->description, u"Net list is locked");
    EXPECT_EQ(host_.state().processes, Refresh(2));  // nothing runs after the failing one
    EXPECT_TRUE(host_.state().statusTexts.empty());  // nor the status refresh
    EXPECT_EQ(host_.ContextReferences(), 1u);
}

}  // namespace
}  // namespace plz::integration
