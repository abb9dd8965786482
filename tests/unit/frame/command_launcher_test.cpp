// The command table: lookup without case, the status refresh after a command, the state defaults,
// failures reported as E_UNEXPECTED, and the process-depth counter.
#include <gtest/gtest.h>

#include <stdexcept>

#include "frame/command_launcher.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "tests/unit/client/fake_client.h"

namespace plz {
namespace {

using test::CallLog;

struct Launch {
    std::string command;
    IUnknown* context;
    const char* parameters;
};
std::vector<Launch> g_launches;

void RecordA(IUnknown* context, const char* parameters) { g_launches.push_back({"A", context, parameters}); }
void RecordB(IUnknown* context, const char* parameters) { g_launches.push_back({"B", context, parameters}); }

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_launches.clear();
        gui.log = &client.log;
        view.log = &client.log;
        client.gui = &gui;
        SetCurrentClient(&client);
        launcher.RegisterCommand("Plazen", RecordA, nullptr);
    }
    void TearDown() override {
        SetCurrentClient(nullptr);
        os::calls().SetThreadErrorInfo(nullptr);
        EXPECT_EQ(client.refs, 0);
        EXPECT_EQ(gui.refs, 0);
        EXPECT_EQ(view.refs, 0);
    }

public:
    HRESULT Run(const char* name) { return launcher.LaunchCommand(name, kParameters, 77, &context); }

    static constexpr const char* kParameters = "Object=All Components";
    test::FakeClient client;
    test::FakeGUIManager gui;
    test::FakeView view;
    test::FakeView context;  // any interface will do as the host's context
    TCommandLauncher launcher{"Plzn"};
};

TEST_F(LauncherTest, FindsCommandsWithoutRegardToCase) {
    for (const char* name : {"Plazen", "PLAZEN", "plazen", "pLaZeN"}) {
        g_launches.clear();
        EXPECT_EQ(Run(name), S_OK) << name;
        ASSERT_EQ(g_launches.size(), 1u) << name;
        EXPECT_EQ(g_launches[0].context, &context);
        EXPECT_EQ(g_launches[0].parameters, kParameters);  // handed over as it came
    }
}

TEST_F(LauncherTest, BinarySearchFindsEveryRegisteredName) {
    TCommandLauncher table("Plzn");
    for (const char* name : {"m", "B", "zz", "a", "Ab", "c", "aa", "Z", "k", "b"})
        table.RegisterCommand(name, RecordA, nullptr);
    EXPECT_EQ(table.CommandCount(), 9u);  // "b" repeats "B"
    for (const char* name : {"M", "b", "ZZ", "A", "aB", "C", "AA", "z", "K"}) {
        g_launches.clear();
        EXPECT_EQ(table.LaunchCommand(name, "", 0, nullptr), S_OK);
        EXPECT_EQ(g_launches.size(), 1u) << name;
    }
}

TEST_F(LauncherTest, FirstRegistrationOfANameStays) {
    launcher.RegisterCommand("PLAZEN", RecordB, nullptr);
    EXPECT_EQ(launcher.CommandCount(), 1u);
    EXPECT_EQ(Run("plazen"), S_OK);
    ASSERT_EQ(g_launches.size(), 1u);
    EXPECT_EQ(g_launches[0].command, "A");
}

TEST_F(LauncherTest, UnregisteredNameDoesNothingAtAll) {
    launcher.RegisterCommand("NoLaunch", nullptr, nullptr);
    for (const char* name : {"Other", "", "Plaze", "Plazenx", "NoLaunch"}) {
        EXPECT_EQ(Run(name), S_OK) << name;
    }
    EXPECT_EQ(launcher.LaunchCommand(nullptr, nullptr, 0, nullptr), S_OK);
    EXPECT_TRUE(g_launches.empty());
    EXPECT_TRUE(client.log.empty());
}

TEST_F(LauncherTest, WithoutACurrentViewClearsTheThreeStatusTexts) {
    EXPECT_EQ(Run("Plazen"), S_OK);
    EXPECT_EQ(client.log, (CallLog{"GetCurrentView", "GetGUIManager", "SetStatusText(1,'')", "GetGUIManager",
                                   "SetStatusText(2,'')", "GetGUIManager", "SetStatusText(3,'')"}));
}

TEST_F(LauncherTest, WithACurrentViewOnlyThatViewRefreshes) {
    client.currentView = &view;
    EXPECT_EQ(Run("Plazen"), S_OK);
    EXPECT_EQ(client.log, (CallLog{"GetCurrentView", "UpdateStatusBar"}));
}

TEST_F(LauncherTest, WithoutAClientTheCommandRunsAndNothingElse) {
    SetCurrentClient(nullptr);
    EXPECT_EQ(Run("Plazen"), S_OK);
    EXPECT_EQ(g_launches.size(), 1u);
    EXPECT_TRUE(client.log.empty());
}

TEST_F(LauncherTest, FailuresBecomeUnexpectedWithTheirText) {
    struct Case {
        const char* what;
        TLaunchProc launch;
        void (*arrange)(LauncherTest&);
        CallLog log;
        std::string description;
    } cases[] = {
        {"plug-in error", [](IUnknown*, const char*) { throw Exception("No PCB is currently open in Client."); },
         nullptr, {}, "No PCB is currently open in Client."},
        {"standard error", [](IUnknown*, const char*) { throw std::runtime_error("bad thing"); }, nullptr, {},
         "bad thing"},
        {"other throw", [](IUnknown*, const char*) { throw 42; }, nullptr, {}, "Unexpected error"},
        {"status view", RecordA, [](LauncherTest& t) { t.client.currentViewStatus = E_FAIL; }, {"GetCurrentView"},
         "no view"},
        {"status bar", RecordA,
         [](LauncherTest& t) {
             t.client.currentView = &t.view;
             t.view.updateStatus = E_FAIL;
         },
         {"GetCurrentView", "UpdateStatusBar"}, "view refused"},
        {"status text", RecordA, [](LauncherTest& t) { t.gui.setStatus = E_FAIL; },
         {"GetCurrentView", "GetGUIManager", "SetStatusText(1,'')"}, "status refused"},
    };
    InstallRaiseHook();
    for (const Case& c : cases) {
        client = test::FakeClient{};
        client.gui = &gui;
        view = test::FakeView{};
        view.log = &client.log;
        gui.setStatus = S_OK;
        if (c.arrange) c.arrange(*this);
        TCommandLauncher table("Plzn");
        table.RegisterCommand("Cmd", c.launch, nullptr);
        os::calls().SetThreadErrorInfo(nullptr);
        EXPECT_EQ(table.LaunchCommand("cmd", "", 0, nullptr), E_UNEXPECTED) << c.what;
        EXPECT_EQ(client.log, c.log) << c.what;
        os::ErrorInfo info;
        ASSERT_TRUE(os::calls().TakeThreadErrorInfo(&info)) << c.what;
        EXPECT_EQ(info.source, os::calls().AnsiToWide(LibraryFileName())) << c.what;
        EXPECT_EQ(os::calls().WideToAnsi(info.description), c.description) << c.what;
    }
    RemoveRaiseHook();
}

TEST_F(LauncherTest, StateDefaultsAndStateProcedure) {
    int32_t s1 = 9, s2 = 9, s3 = 9;
    uint8_t s4 = 9, s5 = 9;
    for (const char* name : {"Plazen", "Unknown"}) {
        EXPECT_EQ(launcher.GetCommandState(name, "", nullptr, &s1, &s2, &s3, &s4, &s5), S_OK);
        EXPECT_EQ(std::make_tuple(s1, s2, s3, s4, s5), std::make_tuple(-1, 0, -1, uint8_t(0), uint8_t(0))) << name;
    }
    launcher.RegisterCommand("Stated", RecordA, [](IUnknown*, const char* parameters, int32_t* a, int32_t*, int32_t*,
                                                   uint8_t* d, uint8_t*) {
        *a = 5;
        *d = 1;
        if (std::string(parameters) == "fail") throw Exception("state failed");
    });
    EXPECT_EQ(launcher.GetCommandState("STATED", "", nullptr, &s1, &s2, &s3, &s4, &s5), S_OK);
    EXPECT_EQ(std::make_tuple(s1, s2, s3, s4, s5), std::make_tuple(5, 0, -1, uint8_t(1), uint8_t(0)));
    // A failing state procedure: what it wrote before the error stays, the rest are the defaults.
    EXPECT_EQ(launcher.GetCommandState("Stated", "fail", nullptr, &s1, &s2, &s3, &s4, &s5), E_UNEXPECTED);
    EXPECT_EQ(std::make_tuple(s1, s2, s3, s4, s5), std::make_tuple(5, 0, -1, uint8_t(1), uint8_t(0)));
    EXPECT_TRUE(client.log.empty());
}

TEST(ProcessControl, CountsNestingAndIgnoresReferences) {
    TProcessControl control;
    int32_t depth = 99;
    EXPECT_EQ(control.GetProcessDepth(&depth), S_OK);
    EXPECT_EQ(depth, 0);
    control.BeginProcess(1, 2);
    control.BeginProcess(3, 4);
    control.EndProcess(5, 6);
    control.GetProcessDepth(&depth);
    EXPECT_EQ(depth, 1);
    control.SetProcessDepth(-5);
    control.GetProcessDepth(&depth);
    EXPECT_EQ(depth, -5);
    control.SetProcessDepth(0);
    control.EndProcess(0, 0);
    control.GetProcessDepth(&depth);
    EXPECT_EQ(depth, -1);  // below zero is no error
    EXPECT_EQ(control.GetProcessDepth(nullptr), E_UNEXPECTED);

    IProcessControl* itf = &control;
    EXPECT_EQ(itf->AddRef(), 0u);
    EXPECT_EQ(itf->Release(), 0u);
    EXPECT_EQ(itf->Release(), 0u);  // nothing is freed: the object is still usable
    void* object = nullptr;
    EXPECT_EQ(itf->QueryInterface(IID_IProcessControl, &object), S_OK);
    EXPECT_EQ(object, itf);
    EXPECT_EQ(itf->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, itf);
    EXPECT_EQ(itf->QueryInterface(IID_ICommandLauncher, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    TCommandLauncher launcher("Plzn");
    ICommandLauncher* commands = &launcher;
    EXPECT_EQ(commands->AddRef(), 0u);
    EXPECT_EQ(commands->Release(), 0u);
    EXPECT_EQ(launcher.ServerName(), "Plzn");
}

}  // namespace
}  // namespace plz
