// The simulated host's client and companions: identity and reference counting, and that every
// call is recorded and fails, when told to, the way the host fails (status and error information).
#include "hostsim/host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/com_ptr.h"
#include "platform/os.h"

namespace plz::hostsim {
namespace {

// A wide string owned by the test.
struct Bstr {
    explicit Bstr(std::u16string_view text) : value(os::NewString(text)) {}
    ~Bstr() { os::calls().FreeString(value); }
    BSTR value;
};

// The thread's error information, taken.
os::ErrorInfo TakeError() {
    os::ErrorInfo info;
    EXPECT_TRUE(os::calls().TakeThreadErrorInfo(&info));
    return info;
}

template <typename T>
ComPtr<T> Query(IUnknown* object, const GUID& iid) {
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(iid, &out), S_OK);
    return ComPtr<T>::Adopt(static_cast<T*>(out));
}

TEST(HostClient, AnswersClientAndProcessRunnerAsOneCountedObject) {
    Host host;
    IClient* client = host.Client();
    {
        auto runner = Query<IProcessRunner>(client, IID_IProcessRunner);
        auto fromClient = Query<IUnknown>(client, IID_IUnknown);
        auto fromRunner = Query<IUnknown>(runner.Get(), IID_IUnknown);
        EXPECT_EQ(fromClient.Get(), fromRunner.Get());
        EXPECT_EQ(Query<IClient>(runner.Get(), IID_IClient).Get(), client);
        EXPECT_EQ(host.ClientReferences(), 4u);

        void* out = &host;
        EXPECT_EQ(client->QueryInterface(IID_IGUIManager, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(host.ClientReferences(), 1u);
}

TEST(HostClient, OutlivesItsHostWhileReferenced) {
    IClient* client = nullptr;
    {
        Host host;
        EXPECT_EQ(Host::Current(), &host);
        client = host.Client();
        client->AddRef();
    }
    EXPECT_EQ(Host::Current(), nullptr);
    WindowHandle window = 0;
    EXPECT_EQ(client->GetApplicationHandle(&window), S_OK);
    EXPECT_EQ(window, kApplicationWindow);
    EXPECT_EQ(client->Release(), 0u);
}

TEST(HostClient, ApplicationHandleFailsWithErrorInformation) {
    Host host;
    host.state().applicationHandleFailure = Failure{E_FAIL, u"Client", u"No main window"};
    WindowHandle window = 7;
    EXPECT_EQ(host.Client()->GetApplicationHandle(&window), E_FAIL);
    EXPECT_EQ(window, 0u);
    os::ErrorInfo error = TakeError();
    EXPECT_EQ(error.source, u"Client");
    EXPECT_EQ(error.description, u"No main window");
}

TEST(HostClient, CurrentViewIsNoneOrTheHostsCountedView) {
    Host host;
    IServerDocumentView* view = reinterpret_cast<IServerDocumentView*>(&host);
    EXPECT_EQ(host.Client()->GetCurrentView(&view), S_OK);
    EXPECT_EQ(view, nullptr);

    host.SetCurrentView(true);
    EXPECT_EQ(host.Client()->GetCurrentView(&view), S_OK);
    ASSERT_EQ(view, host.View());
    EXPECT_EQ(view->UpdateStatusBar(), S_OK);
    EXPECT_EQ(host.View()->UpdateStatusBarCalls(), 1u);
    EXPECT_EQ(host.View()->References(), 2u);
    view->Release();
    EXPECT_EQ(host.state().calls, (std::vector<std::string>{"GetCurrentView", "GetCurrentView", "UpdateStatusBar"}));
}

TEST(HostProcessRunner, RecordsEveryLaunchAndFailsTheChosenOne) {
    Host host;
    host.state().processFailures[1] = Failure{E_FAIL, u"PCB", u"Net list is locked"};
    auto runner = Query<IProcessRunner>(host.Client(), IID_IProcessRunner);
    char buffer[256] = "Action=Redraw";
    char unterminated[6] = {'A', 'c', 't', 'i', 'o', 'n'};
    IUnknown* context = host.Context();

    EXPECT_EQ(runner->LaunchProcess("PCB:Zoom", buffer, 256, context), S_OK);
    EXPECT_EQ(runner->LaunchProcess("PCB:NetList", "Optimize=all", 13, context), E_FAIL);
    os::ErrorInfo error = TakeError();
    EXPECT_EQ(error.source, u"PCB");
    EXPECT_EQ(error.description, u"Net list is locked");
    EXPECT_EQ(runner->LaunchProcess("PCB:Zoom", unterminated, 6, nullptr), S_OK);

    std::vector<LaunchedProcess> expected{{"PCB:Zoom", "Action=Redraw", 256, context},
                                          {"PCB:NetList", "Optimize=all", 13, context},
                                          {"PCB:Zoom", "Action", 6, nullptr}};
    EXPECT_EQ(host.state().processes, expected);
    EXPECT_EQ(host.ContextReferences(), 1u);  // recorded, not kept
}

TEST(HostGuiManager, RecordsStatusTextsInOrderAndFailsWhenTold) {
    Host host;
    ComPtr<IGUIManager> gui;
    ASSERT_EQ(host.Client()->GetGUIManager(gui.Out()), S_OK);
    Bstr ready(u"Ready"), empty(u"");
    EXPECT_EQ(gui->SetStatusText(1, ready.value), S_OK);
    EXPECT_EQ(gui->SetStatusText(2, nullptr), S_OK);
    host.state().statusTextFailure = Failure{E_FAIL, u"Client", u"Status bar is gone"};
    EXPECT_EQ(gui->SetStatusText(3, empty.value), E_FAIL);
    EXPECT_EQ(TakeError().description, u"Status bar is gone");
    EXPECT_EQ(host.state().statusTexts, (std::vector<StatusText>{{1, u"Ready"}, {2, u""}, {3, u""}}));
}

TEST(HostOptions, ReaderAnswersFromTheIniFileOrTheDefault) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "plazen_hostsim_options";
    fs::create_directories(dir);
    fs::path file = dir / "TRELPA.INI";
    std::ofstream(file) << "[SystemOptions]\nFractionalDigits_mm=4\n";

    Host host;
    ComPtr<IOptionsManager> options;
    ASSERT_EQ(host.Client()->GetOptionsManager(options.Out()), S_OK);
    Bstr name(u"TrelPA"), path(os::calls().AnsiToWide(file.string())), missing(u"no such file.ini");
    Bstr section(u"SystemOptions"), key(u"FractionalDigits_mm"), other(u"FractionalDigits_mil");

    ComPtr<IOptionsReader> reader, empty;
    ASSERT_EQ(options->GetOptionsReader(name.value, path.value, reader.Out()), S_OK);
    ASSERT_EQ(options->GetOptionsReader(name.value, missing.value, empty.Out()), S_OK);
    int32_t digits = 0, absent = 0, fromMissing = 0;
    EXPECT_EQ(reader->ReadInteger(section.value, key.value, 5, &digits), S_OK);
    EXPECT_EQ(reader->ReadInteger(section.value, other.value, 3, &absent), S_OK);
    EXPECT_EQ(empty->ReadInteger(section.value, key.value, 5, &fromMissing), S_OK);
    EXPECT_EQ(digits, 4);
    EXPECT_EQ(absent, 3);
    EXPECT_EQ(fromMissing, 5);

    const State& state = host.state();
    EXPECT_EQ(state.optionsReaders, (std::vector<OptionsReaderRequest>{{u"TrelPA", os::FromString(path.value)},
                                                                       {u"TrelPA", u"no such file.ini"}}));
    EXPECT_EQ(state.integerReads, (std::vector<IntegerRead>{{u"SystemOptions", u"FractionalDigits_mm", 5, 4},
                                                            {u"SystemOptions", u"FractionalDigits_mil", 3, 3},
                                                            {u"SystemOptions", u"FractionalDigits_mm", 5, 5}}));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace plz::hostsim
