// The board goes back to the host at the end of every run; a host that answers that store with a
// layer the plug-in cannot name fails the run through the usual error path, never by ending the
// process, and a run that has already failed keeps its own error.
#include <gtest/gtest.h>

#include <cstring>

#include "arranger/arrange_command.h"
#include "arranger/component_arranger.h"
#include "frame/boundary_guard.h"
#include "platform/os.h"
#include "tests/unit/RTL/fake_pcb_module.h"

namespace plz {
namespace {

TEST(ArrangerBoardStore, AFailingStoreIsTheRunsErrorUnlessTheRunFailedBefore) {
    const struct {
        const char* what;
        bool iterationFails;
        const char* message;
    } cases[] = {
        {"store after a run", false, "Could not find layer partition ID=4278190081"},
        {"store after a failed run", true, "iteration failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::FakePcbModule editor;
        editor.on.PcbApi_GetCurrentEditorWindow = [] { return 1u; };
        editor.on.PcbApi_GetCurrentBoardHandle = [] { return 5u; };
        editor.on.PcbApi_QueryBoard = [](uint8_t direction, uint32_t, uint32_t*, ShortString<255>*, uint8_t*,
                                         uint32_t*, uint32_t*, uint32_t*, uint32_t*, uint8_t*, uint32_t* layer,
                                         uint32_t*) {
            const uint32_t unknown = 0xFF000001;  // no known partition
            if (direction == 0) std::memcpy(layer, &unknown, sizeof unknown);
            return 0u;
        };
        if (c.iterationFails)
            editor.on.PcbApi_GetFirstObject = [](uint32_t) -> uint32_t { throw Exception("iteration failed"); };
        try {
            ArrangeCommand(nullptr, "");
            ADD_FAILURE() << "the run must fail";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        // At the boundary the host reads the text of the error returned, not of the store's
        // failure swallowed while the run's error was on its way.
        InstallRaiseHook();
        EXPECT_EQ(Guard([] { ArrangeCommand(nullptr, ""); }), E_UNEXPECTED);
        RemoveRaiseHook();
        os::ErrorInfo info;
        ASSERT_TRUE(os::calls().TakeThreadErrorInfo(&info));
        EXPECT_EQ(os::calls().WideToAnsi(info.description), c.message);
        EXPECT_EQ(editor.CallsOf("PcbApi_QueryBoard").size(), 4u) << "fetched, and stored back, twice";
        EXPECT_EQ(CurrentArranger, nullptr);
    }
}

}  // namespace
}  // namespace plz
