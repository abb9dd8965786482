// Countdown fault injection of whole "Plazen" runs on a small board: for k = 1, 2, ... up to the
// number of host calls of a clean run, the run is repeated with the k-th call failing, in each way
// a call can fail here: a PCB entry point answering a failure, a client operation reporting a host
// error (the refresh processes among them), an entry point missing. Every run must end with
// success, or with E_UNEXPECTED and the real error's text; release the context; and leave each
// component where it was or where the clean run put it (or, when the fault changed what the
// plug-in saw of the board, moved whole), never in between. The sanitizers watch the rest.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "RTL/pcb_api.h"
#include "arranger/component_arranger.h"
#include "frame/application.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "frame/server_module.h"
#include "hostsim/host.h"
#include "hostsim/trelpa/hidden_exports.h"
#include "platform/os.h"
#include "tests/unit/ui/answer_dialogs.h"
#include "tests/unit/trelpa/trelpa_fixture.h"

namespace plz {
namespace {

// What decides a component's place: x, y pairs of its reference point, rectangle and designator
// text, and its rotation and layer.
struct Place {
    std::array<int64_t, 8> xy{};
    double rotation = 0;
    uint8_t layer = 0;
    bool operator==(const Place&) const = default;
};

// Reference point, rectangle and text moved by one offset; nothing else changed.
bool MovedWhole(const Place& from, const Place& to) {
    for (size_t i = 2; i < 8; ++i)
        if (to.xy[i] - from.xy[i] != to.xy[i % 2] - from.xy[i % 2]) return false;
    return to.rotation == from.rotation && to.layer == from.layer;
}

struct RunResult {
    HRESULT status = S_OK;
    std::u16string source, description;
};

class FaultInjection : public test::TrelpaFixture {
protected:
    void SetUp() override {
        TrelpaFixture::SetUp();
        InstallRaiseHook();
        savedPump_ = os::calls().PumpMessage;
        os::calls().PumpMessage = &test::AnswerModalForm;  // a message box must not wait for a user
    }
    void TearDown() override {
        RemoveRaiseHook();
        os::calls().PumpMessage = savedPump_;
        BindPcbApi();
        SetCurrentClient(nullptr);
        SetApplicationWindow(0);
        os::calls().SetThreadErrorInfo(nullptr);
    }

    // A fresh board: three footprint groups, one component the host leaves out.
    void MakeBoard() {
        board_ = control_->Reset();
        handles_.clear();
        const trelpa::ComponentSpec parts[] = {
            {"R2", "0603", 5'000'000, 0, 4'900'000, -100'000, 5'100'000, 100'000, 0.0, 1, 0, 0},
            {"U1", "SO8", 1'000'000, 1'000'000, 0, 0, 2'000'000, 3'000'000, 90.0, 1, 1, 0},
            {"R1", "0603", 9'000'000, 3'000'000, 8'900'000, 2'900'000, 9'100'000, 3'100'000, 0.0, 32, 0, 0},
            {"C1", "0402", -4'000'000, 0, -4'050'000, -50'000, -3'950'000, 50'000, 180.0, 1, 0, 0},
            {"J1", "HDR", 0, -9'000'000, -500'000, -9'500'000, 500'000, -8'500'000, 0.0, 1, 0, 1},
        };
        for (const auto& part : parts) handles_.push_back(control_->AddComponent(&part));
        control_->SetChooseLocation(1, 20'000'000, 30'000'000);
    }

    std::vector<Place> Places() {
        std::vector<Place> places;
        for (uint32_t h : handles_) {
            const trelpa::ComponentState s = Read(h);
            places.push_back({{s.x, s.y, s.left, s.bottom, s.right, s.top, s.textX, s.textY}, s.rotation, s.layer});
        }
        return places;
    }

    // One whole run as the host makes it: the server module created, "Plazen" launched with the
    // host's context, the module released. The host's records start empty; `failClientCall`
    // counts the client's operations from the launch on.
    RunResult Run(size_t failClientCall = 0, const hostsim::Failure& failure = {}) {
        hostsim::State& state = host_.state();
        state = hostsim::State{};
        IServerModule* module = nullptr;
        EXPECT_EQ(RunServerFactory(host_.Client(), &module), S_OK);
        ICommandLauncher* launcher = nullptr;
        EXPECT_EQ(module->GetCommandLauncher(&launcher), S_OK);
        factoryCalls_ = state.calls.size();
        if (failClientCall) {
            state.failCallNumber = factoryCalls_ + failClientCall;
            state.failCallFailure = failure;
        }
        RunResult result;
        result.status = launcher->LaunchCommand("Plazen", "Object=All Components", 0, host_.Context());
        os::ErrorInfo info;
        if (os::calls().TakeThreadErrorInfo(&info)) {
            result.source = info.source;
            result.description = info.description;
        }
        state.failCallNumber = 0;
        launcher->Release();
        module->Release();
        return result;
    }

    // The four checks of every run. A component lies where it was or where the clean run put it;
    // where the fault changed what the plug-in saw of the board (fewer components, say), it may
    // lie elsewhere, but moved whole: reference point, rectangle and text by one offset.
    void Check(const RunResult& run, bool boardSeenAsIs, const std::u16string& expectedError = {}) {
        if (run.status != S_OK) {
            EXPECT_EQ(run.status, E_UNEXPECTED);
            EXPECT_EQ(run.source, os::calls().AnsiToWide(LibraryFileName()));
            if (expectedError.empty())
                EXPECT_FALSE(run.description.empty());
            else
                EXPECT_EQ(run.description, expectedError);
        }
        EXPECT_EQ(host_.ContextReferences(), 1u) << "the run kept the context";
        EXPECT_EQ(host_.ClientReferences(), 1u) << "the run kept the client";
        EXPECT_EQ(CurrentArranger, nullptr);
        const std::vector<Place> places = Places();
        for (size_t i = 0; i < places.size(); ++i) {
            const bool known = places[i] == before_[i] || places[i] == after_[i];
            EXPECT_TRUE(known || (!boardSeenAsIs && MovedWhole(before_[i], places[i])))
                << "component " << i << " lies in between";
        }
    }

    // The clean run: the places before and after, the number of calls and the entry points called.
    void CleanRun() {
        MakeBoard();
        before_ = Places();
        control_->SetLogging(1);
        const RunResult run = Run();
        ASSERT_EQ(run.status, S_OK);
        after_ = Places();
        ASSERT_NE(after_, before_);
        pcbCalls_ = control_->TotalCallCount();
        clientCalls_ = host_.state().calls.size() - factoryCalls_;
        std::istringstream log(control_->CallLog());
        for (std::string line; std::getline(log, line);) called_.insert(line.substr(0, line.find('(')));
        ASSERT_EQ(called_.size() > 10 && pcbCalls_ > 50 && clientCalls_ >= 3, true);
    }

    hostsim::Host host_;
    std::vector<uint32_t> handles_;
    std::vector<Place> before_, after_;
    uint32_t pcbCalls_ = 0;
    size_t clientCalls_ = 0;
    size_t factoryCalls_ = 0;  // of the last run, before the launch
    std::set<std::string> called_;
    decltype(os::Calls::PumpMessage) savedPump_ = nullptr;
};

TEST_F(FaultInjection, EachPcbCallAnsweringAFailure) {
    CleanRun();
    // 1 is the editor's failure status; 0 is "none" for a handle or a location, and "no" for a
    // question.
    for (uint32_t answer : {1u, 0u}) {
        for (uint32_t k = 1; k <= pcbCalls_; ++k) {
            SCOPED_TRACE("call " + std::to_string(k) + " answers " + std::to_string(answer));
            MakeBoard();
            control_->FailCallNumber(k, answer);
            Check(Run(), false);
            if (HasFatalFailure() || HasNonfatalFailure()) return;
        }
    }
}

TEST_F(FaultInjection, EachClientCallRaisingAHostError) {
    CleanRun();
    size_t failedRuns = 0;
    for (size_t k = 1; k <= clientCalls_; ++k) {
        SCOPED_TRACE("client call " + std::to_string(k));
        MakeBoard();
        const std::u16string text = u"Host failure " + os::calls().AnsiToWide(std::to_string(k));
        const RunResult run = Run(k, {E_FAIL, u"PCB", text});
        Check(run, true, text);
        failedRuns += run.status != S_OK;
        if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
    EXPECT_GE(failedRuns, 3u) << "each failing refresh process fails the run";
}

// Found by the loop: a rectangle query that failed, or an editor without it, left the layout
// with values the host never wrote, and the component went to a wrong place.
TEST_F(FaultInjection, ARectangleTheHostDoesNotGiveFailsTheRunBeforeAnythingMoves) {
    for (bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "missing" : "failing");
        MakeBoard();
        before_ = after_ = Places();
        std::optional<trelpa::HiddenExports> hidden;
        if (missing)
            hidden.emplace(std::initializer_list<const char*>{"PcbApi_QueryObjectBoundingRectangle"});
        else
            control_->SetFailure("PcbApi_QueryObjectBoundingRectangle", 1);
        BindPcbApi();
        const RunResult run = Run();
        EXPECT_EQ(run.status, E_UNEXPECTED);
        Check(run, true, u"The host gave no bounding rectangle for a component; no component was moved.");
    }
}

TEST_F(FaultInjection, EachCalledEntryPointMissing) {
    CleanRun();
    for (const std::string& name : called_) {
        SCOPED_TRACE(name + " missing");
        MakeBoard();
        trelpa::HiddenExports hidden({name.c_str()});
        BindPcbApi();
        Check(Run(), false);
        if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
}

}  // namespace
}  // namespace plz
