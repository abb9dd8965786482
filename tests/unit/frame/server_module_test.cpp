// The server module: the factory with and without a client, construction order, the host
// operations and their failures (indexes out of range, the abstract NewDocument, views added
// twice), the idle step, and destruction.
#include <gtest/gtest.h>

#include <deque>

#include "arranger/arrange_command.h"
#include "frame/application.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "frame/server_module.h"
#include "platform/os.h"
#include "tests/unit/client/fake_client.h"

namespace plz {
namespace {

using test::CallLog;

std::string TakeErrorDescription() {
    os::ErrorInfo info;
    if (!os::calls().TakeThreadErrorInfo(&info)) return "<none>";
    return os::calls().WideToAnsi(info.description);
}

class ServerModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentClient(nullptr);
        SetApplicationWindow(0);
        InstallRaiseHook();
    }
    void TearDown() override {
        RemoveRaiseHook();
        SetCurrentClient(nullptr);
        SetApplicationWindow(0);
        os::calls().SetThreadErrorInfo(nullptr);
        EXPECT_EQ(client.refs, 0);
    }
    test::FakeClient client;
};

TEST_F(ServerModuleTest, FactoryWithAClient) {
    IServerModule* module = nullptr;
    ASSERT_EQ(RunServerFactory(&client, &module), S_OK);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(CurrentClient().Get(), &client);
    EXPECT_EQ(ApplicationWindow(), WindowHandle(0x1234));
    EXPECT_EQ(client.log, CallLog{"GetApplicationHandle"});
    EXPECT_EQ(client.refs, 0);  // the module holds the client without a reference

    BSTR name = nullptr;
    EXPECT_EQ(module->GetModuleName(&name), S_OK);
    EXPECT_EQ(os::AnsiFromString(name), "Plzn");
    os::calls().FreeString(name);
    ModuleHandle instance = nullptr;
    EXPECT_EQ(module->GetInstanceHandle(&instance), S_OK);
    EXPECT_EQ(instance, os::calls().OwnModule());

    IClient* got = nullptr;
    EXPECT_EQ(module->GetClient(&got), S_OK);
    EXPECT_EQ(got, &client);
    EXPECT_EQ(client.refs, 1);  // a counted copy
    got->Release();

    ICommandLauncher* launcher = nullptr;
    EXPECT_EQ(module->GetCommandLauncher(&launcher), S_OK);
    auto* table = static_cast<TServerModule*>(module)->CommandLauncher();
    EXPECT_EQ(launcher, table);
    EXPECT_EQ(table->ServerName(), "Plzn");
    EXPECT_EQ(table->CommandCount(), 1u);
    // "Plazen", in any letter case, is the arrange command, without a state procedure.
    const TCommandHandler* plazen = table->FindHandler("PLAZEN");
    ASSERT_NE(plazen, nullptr);
    EXPECT_EQ(plazen->LaunchProc, &ArrangeCommand);
    EXPECT_EQ(plazen->StateProc, nullptr);

    IProcessControl* control = nullptr;
    EXPECT_EQ(module->GetProcessControl(&control), S_OK);
    EXPECT_EQ(control, static_cast<TServerModule*>(module)->ProcessControl());

    // One object behind IServerModule, IOptionsPageProvider and IUnknown.
    void* provider = nullptr;
    void* unknown = nullptr;
    void* other = &client;
    EXPECT_EQ(module->QueryInterface(IID_IOptionsPageProvider, &provider), S_OK);
    EXPECT_EQ(module->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(module->QueryInterface(IID_ICommandLauncher, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(provider, static_cast<IOptionsPageProvider*>(static_cast<TServerModule*>(module)));
    EXPECT_EQ(unknown, module);
    EXPECT_EQ(static_cast<IOptionsPageProvider*>(provider)->Release(), 2u);
    EXPECT_EQ(module->Release(), 1u);
    EXPECT_EQ(module->Release(), 0u);
    EXPECT_EQ(CurrentClient().Get(), &client);  // destruction leaves CurrentClient alone
}

TEST_F(ServerModuleTest, FactoryWithoutAClient) {
    SetCurrentClient(&client);
    SetApplicationWindow(0x99);
    IServerModule* module = nullptr;
    ASSERT_EQ(RunServerFactory(nullptr, &module), S_OK);
    EXPECT_FALSE(CurrentClient());
    EXPECT_EQ(ApplicationWindow(), WindowHandle(0x99));  // no window taken
    IClient* got = &client;
    EXPECT_EQ(module->GetClient(&got), S_OK);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(module->Release(), 0u);
    EXPECT_TRUE(client.log.empty());
}

TEST_F(ServerModuleTest, FactoryFailsWhenTheHostWindowCannotBeHad) {
    client.appWindowStatus = E_FAIL;
    IServerModule* module = reinterpret_cast<IServerModule*>(&client);
    EXPECT_EQ(RunServerFactory(&client, &module), E_UNEXPECTED);
    EXPECT_EQ(module, nullptr);
    EXPECT_EQ(CurrentClient().Get(), &client);  // stored before the failing step
    EXPECT_EQ(TakeErrorDescription(), "no application window");
    EXPECT_EQ(RunServerFactory(&client, nullptr), E_UNEXPECTED);
}

// A module that logs its construction and destruction steps, and makes documents when asked.
struct LoggedView : test::FakeView {
    CallLog* events = nullptr;
    uint32_t PLZ_STDCALL Release() override {
        if (events) events->push_back("view released");
        return FakeView::Release();
    }
};
struct LoggedDocument final : test::FakeDocument {
    CallLog* events = nullptr;
    uint32_t PLZ_STDCALL Release() override {
        if (events) events->push_back("document released");
        return FakeDocument::Release();
    }
};
struct Events {
    CallLog log;
    std::deque<LoggedDocument> documents;
};

class TTestModule : public TServerModule {
public:
    TTestModule(IClient* client, std::string name, Events* events)
        : TServerModule(client, std::move(name)), events_(events) {}
    ~TTestModule() override { events_->log.push_back("subclass destructor"); }

protected:
    void CreateCommandLauncher() override {
        events_->log.push_back(std::string("CreateCommandLauncher, client ") + (CurrentClient() ? "set" : "none"));
        TServerModule::CreateCommandLauncher();
    }
    void RegisterCommands() override {
        events_->log.push_back(std::string("RegisterCommands, launcher ") + (CommandLauncher() ? "and " : "without ") +
                               (ProcessControl() ? "control" : "no control"));
    }
    void AfterCreate() override { events_->log.push_back("AfterCreate"); }
    ComPtr<IServerDocument> NewDocument(int32_t a, int32_t b) override {
        events_->log.push_back("NewDocument(" + std::to_string(a) + "," + std::to_string(b) + ")");
        if (a < 0) throw Exception("no document");
        LoggedDocument& document = events_->documents.emplace_back();
        document.events = &events_->log;
        return ComPtr<IServerDocument>(&document);
    }

private:
    Events* events_;
};

// A module that leaves NewDocument to the frame.
class TBareModule : public TServerModule {
public:
    using TServerModule::TServerModule;
};

TEST_F(ServerModuleTest, ConstructionStepsRunInOrder) {
    Events events;
    TTestModule* module = NewServerModule<TTestModule>(&client, "Test", &events);
    EXPECT_EQ(events.log, (CallLog{"CreateCommandLauncher, client set", "RegisterCommands, launcher and control",
                                   "AfterCreate"}));
    EXPECT_EQ(client.log, CallLog{"GetApplicationHandle"});
    EXPECT_EQ(module->CommandLauncher()->ServerName(), "Test");  // read through GetModuleName
    module->Release();
    EXPECT_EQ(events.log.back(), "subclass destructor");
}

TEST_F(ServerModuleTest, DocumentsAreListedUntilDestroyed) {
    Events events;
    TTestModule* module = NewServerModule<TTestModule>(nullptr, "Test", &events);
    IServerDocument* document = nullptr;
    ASSERT_EQ(module->CreateDocument(3, 4, &document), S_OK);
    EXPECT_EQ(document, &events.documents.at(0));
    EXPECT_EQ(events.log.back(), "NewDocument(3,4)");
    EXPECT_EQ(events.documents[0].refs, 2);  // the list's and the caller's
    document->Release();

    IServerDocument* failed = document;
    EXPECT_EQ(module->CreateDocumentEx(-1, 0, 0, &failed), E_UNEXPECTED);
    EXPECT_EQ(failed, nullptr);
    EXPECT_EQ(TakeErrorDescription(), "no document");
    int32_t count = -1;
    module->GetDocumentCount(&count);
    EXPECT_EQ(count, 1);  // nothing added by the failed call

    for (int32_t index : {-1, 1, 1000}) {
        IServerDocument* out = document;
        EXPECT_EQ(module->GetDocument(index, &out), E_UNEXPECTED) << index;
        EXPECT_EQ(out, nullptr) << index;
    }
    IServerDocument* out = nullptr;
    EXPECT_EQ(module->GetDocument(0, &out), S_OK);
    EXPECT_EQ(out, document);
    out->Release();

    events.documents[0].finishStatus = test::FailWith("cannot finish");
    EXPECT_EQ(module->DestroyDocument(document), E_UNEXPECTED);
    module->GetDocumentCount(&count);
    EXPECT_EQ(count, 1);  // kept when its own finishing step fails
    events.documents[0].finishStatus = S_OK;
    EXPECT_EQ(module->DestroyDocument(document), S_OK);
    module->GetDocumentCount(&count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(events.documents[0].refs, 0);
    EXPECT_EQ(events.documents[0].finished, 2);
    EXPECT_EQ(module->DestroyDocument(nullptr), E_UNEXPECTED);
    module->Release();
}

TEST_F(ServerModuleTest, NewDocumentIsAbstractInTheFrame) {
    TBareModule* module = NewServerModule<TBareModule>(nullptr, "Bare");
    IServerDocument* document = reinterpret_cast<IServerDocument*>(&client);
    EXPECT_EQ(module->CreateDocument(1, 2, &document), E_UNEXPECTED);
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(TakeErrorDescription(), "Abstract Error");
    EXPECT_EQ(module->CreateDocumentEx(1, 2, 1, &document), E_UNEXPECTED);
    EXPECT_EQ(TakeErrorDescription(), "Abstract Error");
    int32_t count = -1;
    module->GetDocumentCount(&count);
    EXPECT_EQ(count, 0);
    module->Release();
}

TEST_F(ServerModuleTest, PlugInModuleHasNoDocumentsViewsOrPages) {
    IServerModule* module = nullptr;
    ASSERT_EQ(RunServerFactory(nullptr, &module), S_OK);
    IServerDocument* document = reinterpret_cast<IServerDocument*>(&client);
    EXPECT_EQ(module->CreateDocument(1, 2, &document), S_OK);
    EXPECT_EQ(document, nullptr);
    document = reinterpret_cast<IServerDocument*>(&client);
    EXPECT_EQ(module->CreateDocumentEx(1, 2, 1, &document), S_OK);
    EXPECT_EQ(document, nullptr);
    int32_t count = -1;
    module->GetDocumentCount(&count);
    EXPECT_EQ(count, 0);

    IServerDocumentView* view = reinterpret_cast<IServerDocumentView*>(&client);
    EXPECT_EQ(module->CreateServerView(1, &view), S_OK);
    EXPECT_EQ(view, nullptr);
    view = reinterpret_cast<IServerDocumentView*>(&client);
    EXPECT_EQ(module->CreateDocumentView(1, 2, &view), S_OK);
    EXPECT_EQ(view, nullptr);
    BSTR name = os::NewAnsiString("Anything");
    IDocumentOptionsView* optionsView = reinterpret_cast<IDocumentOptionsView*>(&client);
    EXPECT_EQ(module->CreateOptionsView(name, &optionsView), S_OK);
    EXPECT_EQ(optionsView, nullptr);
    IOptionsPageProvider* provider = nullptr;
    ASSERT_EQ(module->QueryInterface(IID_IOptionsPageProvider, reinterpret_cast<void**>(&provider)), S_OK);
    IOptionsPage* page = reinterpret_cast<IOptionsPage*>(&client);
    EXPECT_EQ(provider->GetOptionsPage(name, &page), S_OK);
    EXPECT_EQ(page, nullptr);
    EXPECT_EQ(provider->OptionsNotify1(), S_OK);
    EXPECT_EQ(provider->OptionsNotify2(), S_OK);
    EXPECT_EQ(module->Notify(5), S_OK);
    os::calls().FreeString(name);
    provider->Release();
    module->Release();
}

// A module that registers one options form, as a plug-in with options pages would.
struct FakePage : test::Counted<IOptionsPage> {
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return test::QueryOne(this, IID_IOptionsPage, iid, object);
    }
    HRESULT PLZ_STDCALL OptionsPage1(uint8_t*) override { return S_OK; }
    HRESULT PLZ_STDCALL OptionsPage2(uint8_t) override { return S_OK; }
    HRESULT PLZ_STDCALL OptionsPage3() override { return S_OK; }
    HRESULT PLZ_STDCALL OptionsPage4() override { return S_OK; }
    HRESULT PLZ_STDCALL OptionsPage5(int32_t*) override { return S_OK; }
    HRESULT PLZ_STDCALL OptionsPage6() override { return S_OK; }
    HRESULT PLZ_STDCALL OptionsPage7() override { return S_OK; }
} g_page;
int g_pagesMade = 0;

class ModuleWithOptions final : public TServerModule {
public:
    ModuleWithOptions(IClient* client, std::string name) : TServerModule(client, std::move(name)) {}

protected:
    ComPtr<IServerDocument> NewDocument(int32_t, int32_t) override { return {}; }
    void AfterCreate() override {
        RegisterOptionsForm("Colours", [] {
            ++g_pagesMade;
            return ComPtr<IOptionsPage>(&g_page);
        });
        RegisterOptionsForm("Broken", []() -> ComPtr<IOptionsPage> { throw Exception("no such form"); });
    }
};

TEST_F(ServerModuleTest, OptionsPagesOfRegisteredFormsOnly) {
    ModuleWithOptions* module = NewServerModule<ModuleWithOptions>(nullptr, "Opts");
    const struct {
        const char* name;
        HRESULT status;
        IOptionsPage* page;
    } cases[] = {
        {"colours", S_OK, &g_page}, {"COLOURS", S_OK, &g_page}, {"Fonts", S_OK, nullptr}, {"Broken", E_UNEXPECTED, nullptr},
    };
    for (const auto& c : cases) {
        BSTR name = os::NewAnsiString(c.name);
        IOptionsPage* page = reinterpret_cast<IOptionsPage*>(&client);
        EXPECT_EQ(module->GetOptionsPage(name, &page), c.status) << c.name;
        EXPECT_EQ(page, c.page) << c.name;
        if (page) page->Release();
        os::calls().FreeString(name);
    }
    EXPECT_EQ(g_pagesMade, 2);  // a new page each time
    EXPECT_EQ(g_page.refs, 0);
    module->Release();
}

TEST_F(ServerModuleTest, ViewsAreCountedEntries) {
    Events events;
    TTestModule* module = NewServerModule<TTestModule>(nullptr, "Test", &events);
    LoggedView view, other;
    view.events = &events.log;
    module->AddView(&view);
    module->AddView(&view);
    module->AddView(&other);
    module->RemoveView(&view);
    module->RemoveView(nullptr);  // absent: no effect
    int32_t count = -1;
    module->GetViewCount(&count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(view.refs, 1);
    IServerDocumentView* got = nullptr;
    EXPECT_EQ(module->GetView(1, &got), S_OK);
    EXPECT_EQ(got, &other);
    got->Release();
    for (int32_t index : {-1, 2}) {
        got = &view;
        EXPECT_EQ(module->GetView(index, &got), E_UNEXPECTED) << index;
        EXPECT_EQ(got, nullptr) << index;
    }
    EXPECT_EQ(module->GetViewCount(nullptr), E_UNEXPECTED);
    IServerDocument* document = nullptr;
    ASSERT_EQ(module->CreateDocument(1, 2, &document), S_OK);
    document->Release();
    events.log.clear();
    module->Release();
    // The frame frees its views before its documents.
    EXPECT_EQ(events.log, (CallLog{"subclass destructor", "view released", "document released"}));
    EXPECT_EQ(view.refs, 0);
    EXPECT_EQ(other.refs, 0);
}

std::deque<os::QueuedMessage> g_queue;
std::vector<os::QueuedMessage> g_posted;
bool FakePeek(os::QueuedMessage* message) {
    if (g_queue.empty()) return false;
    *message = g_queue.front();
    return true;
}
bool FakePost(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    g_posted.push_back({window, message, w, l});
    return true;
}

TEST_F(ServerModuleTest, IdlePostsOneWakeUpWhenAMessageWaits) {
    g_queue.clear();
    g_posted.clear();
    os::calls().PeekAnyMessage = FakePeek;
    os::calls().PostMessageTo = FakePost;
    IServerModule* module = nullptr;
    ASSERT_EQ(RunServerFactory(&client, &module), S_OK);
    EXPECT_EQ(module->ApplicationIdle(), S_OK);
    EXPECT_TRUE(g_posted.empty());
    g_queue.push_back({7, 0x0200, 1, 2});
    EXPECT_EQ(module->ApplicationIdle(), S_OK);
    ASSERT_EQ(g_posted.size(), 1u);
    EXPECT_EQ(g_posted[0].window, WindowHandle(0x1234));
    EXPECT_EQ(g_posted[0].message, 0x0400u);
    EXPECT_EQ(g_posted[0].wParam, 0u);
    EXPECT_EQ(g_posted[0].lParam, 0);
    EXPECT_EQ(g_queue.size(), 1u);  // the waiting message stays
    module->Release();

    // A module made without a client has no window to wake.
    g_posted.clear();
    SetApplicationWindow(0);
    ASSERT_EQ(RunServerFactory(nullptr, &module), S_OK);
    EXPECT_EQ(module->ApplicationIdle(), S_OK);
    EXPECT_TRUE(g_posted.empty());
    module->Release();
}

}  // namespace
}  // namespace plz
