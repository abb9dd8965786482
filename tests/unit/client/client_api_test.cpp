// Binding the host executable's entry points against hosts that export none or some of them, the
// wrappers' defaults, running processes through the client, and the lazily found workspace.
#include <gtest/gtest.h>

#include <map>

#include "client/client_api.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "platform/os.h"
#include "tests/unit/client/fake_client.h"

namespace plz {
namespace {

// The simulated process: a main program with the exports in g_exports, and a workspace manager
// module that appears when g_workspaceLoaded is set.
ModuleHandle const kMainProgram = reinterpret_cast<ModuleHandle>(0x1000);
ModuleHandle const kWorkspaceModule = reinterpret_cast<ModuleHandle>(0x2000);
std::map<std::string, void*> g_exports;
std::map<std::string, void*> g_workspaceExports;
std::vector<std::string> g_lookups;
int g_moduleQueries = 0;
bool g_mainProgramPresent = true;
bool g_workspaceLoaded = false;

ModuleHandle FakeFindLoadedModule(const char* name) {
    if (!name) return g_mainProgramPresent ? kMainProgram : nullptr;
    ++g_moduleQueries;
    return std::string(name) == "WorkspaceManager.DLL" && g_workspaceLoaded ? kWorkspaceModule : nullptr;
}

void* FakeFindExport(ModuleHandle module, const char* name) {
    g_lookups.push_back(name);
    auto& exports = module == kMainProgram ? g_exports : g_workspaceExports;
    auto it = exports.find(name);
    return it == exports.end() ? nullptr : it->second;
}

test::FakeClient g_client;
struct FakeTranslationManager : test::Counted<ITranslationManager> {
    HRESULT PLZ_STDCALL QueryInterface(const GUID&, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT PLZ_STDCALL Translate(BSTR, BSTR, BSTR*, int32_t*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL EnterForm(BSTR) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetFontMode(int32_t*) override { return E_NOTIMPL; }
} g_translation;
uint8_t g_hidePanels = 7;

void PLZ_STDCALL HostGetClient(IClient** client) {
    g_client.AddRef();
    *client = &g_client;
}
uint8_t PLZ_STDCALL HostTrue() { return 1; }
uint8_t PLZ_STDCALL HostFalse() { return 0; }
void PLZ_STDCALL HostSetHide(uint8_t hide) { g_hidePanels = hide; }
void PLZ_STDCALL HostTranslationManager(ITranslationManager** manager) { *manager = &g_translation; }
int32_t PLZ_STDCALL HostUpdateFont(LogFontA* font) {
    font->Height = -13;
    return 1;
}
int32_t PLZ_STDCALL HostFileExists(const char* path) { return std::string(path) == "Manual.pdf" ? 1 : 0; }

static_assert(std::is_same_v<decltype(&HostGetClient), ClientAPI_GetClientInterface_Fn>);
static_assert(std::is_same_v<decltype(&HostUpdateFont), ClientAPI_UpdateFont_Fn>);
static_assert(std::is_same_v<decltype(&HostFileExists), VFSAPI_VFS_FileExists_Fn>);

void* Address(auto function) { return reinterpret_cast<void*>(function); }

class ClientApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        UnbindHostAPIs();
        g_exports.clear();
        g_workspaceExports.clear();
        g_lookups.clear();
        g_moduleQueries = 0;
        g_mainProgramPresent = true;
        g_workspaceLoaded = false;
        g_client = test::FakeClient{};
        os::calls().FindLoadedModule = FakeFindLoadedModule;
        os::calls().FindExport = FakeFindExport;
    }
    void TearDown() override {
        UnbindHostAPIs();
        SetCurrentClient(nullptr);
        os::calls().SetThreadErrorInfo(nullptr);
        EXPECT_EQ(g_client.refs, 0);
    }
};

void ExpectDefaults() {
    EXPECT_FALSE(ClientAPI_GetPrefUseLuna());
    EXPECT_FALSE(ClientAPI_GetPrefHideFloatingPanels());
    EXPECT_TRUE(ClientAPI_GetUseExternalWebBrowser());
    EXPECT_FALSE(ClientAPI_GetIntegratedHelpSystem());
    EXPECT_FALSE(ClientAPI_GetUseSystemLocaleLanguage());
    EXPECT_FALSE(ClientAPI_GetUseLocalizedDialogs());
    ITranslationManager* manager = &g_translation;
    ClientAPI_GetTranslationManager(&manager);
    EXPECT_EQ(manager, nullptr);
    LogFontA font{};
    EXPECT_EQ(ClientAPI_UpdateFont(&font), 0);
    EXPECT_EQ(font.Height, 0);
    IClient* client = &g_client;
    ClientAPI_GetClientInterface(&client);
    EXPECT_EQ(client, &g_client);  // left unchanged
    ClientAPI_SetPrefHideFloatingPanels(true);
    ClientAPI_SetErrorInfo(nullptr, nullptr, 0);
    ClientAPI_ClearErrorInfo();
    ClientAPI_HandleException(0);
    EXPECT_EQ(VFSAPI_VFS_FileExists("Manual.pdf"), 0);
}

TEST_F(ClientApiTest, HostWithoutExportsBindsToDefaults) {
    BindVfsAPI();
    SetCurrentClientFromHost();
    EXPECT_FALSE(CurrentClient());
    EXPECT_EQ(BoundHostModule(), kMainProgram);
    for (size_t slot = 0; slot < kClientApiCount; ++slot) EXPECT_EQ(ClientApiEntry(ClientApiSlot(slot)), nullptr);
    ExpectDefaults();
    EXPECT_EQ(g_hidePanels, 7);
}

TEST_F(ClientApiTest, NoMainProgramLooksNothingUp) {
    g_mainProgramPresent = false;
    BindVfsAPI();
    BindCursorAPI();
    SetCurrentClientFromHost();
    EXPECT_TRUE(g_lookups.empty());
    ExpectDefaults();
}

TEST_F(ClientApiTest, BindsEveryNameOnceInListOrder) {
#define PLZ_TEST_NAME(name) #name,
    const std::vector<std::string> clientNames = {PLZ_CLIENT_API_NAMES(PLZ_TEST_NAME)};
    const std::vector<std::string> vfsNames = {PLZ_VFS_API_NAMES(PLZ_TEST_NAME)};
    const std::vector<std::string> cursorNames = {PLZ_CURSOR_API_NAMES(PLZ_TEST_NAME)};
#undef PLZ_TEST_NAME
    BindClientAPI();
    BindClientAPI();
    EXPECT_EQ(g_lookups, clientNames);
    g_lookups.clear();
    BindVfsAPI();
    EXPECT_EQ(g_lookups, vfsNames);
    g_lookups.clear();
    BindCursorAPI();
    EXPECT_EQ(g_lookups, cursorNames);
}

TEST_F(ClientApiTest, BoundEntriesAreCalled) {
    g_exports = {{"ClientAPI_GetClientInterface", Address(HostGetClient)},
                 {"ClientAPI_GetPrefUseLuna", Address(HostTrue)},
                 {"ClientAPI_GetUseExternalWebBrowser", Address(HostFalse)},
                 {"ClientAPI_GetUseSystemLocaleLanguage", Address(HostTrue)},
                 {"ClientAPI_SetPrefHideFloatingPanels", Address(HostSetHide)},
                 {"ClientAPI_GetTranslationManager", Address(HostTranslationManager)},
                 {"ClientAPI_UpdateFont", Address(HostUpdateFont)},
                 {"VFSAPI_VFS_FileExists", Address(HostFileExists)},
                 {"ClientAPI_EndCursor", Address(HostTrue)}};
    BindVfsAPI();
    BindCursorAPI();
    SetCurrentClientFromHost();
    // Held without a reference of its own: the temporary one was given back.
    EXPECT_EQ(CurrentClient().Get(), &g_client);
    EXPECT_EQ(ClientApiEntry(kClientAPI_UpdateFont), Address(HostUpdateFont));
    EXPECT_EQ(CursorApiEntry(kClientAPI_EndCursor), Address(HostTrue));
    EXPECT_EQ(CursorApiEntry(kClientAPI_BeginCursor), nullptr);

    EXPECT_TRUE(ClientAPI_GetPrefUseLuna());
    EXPECT_FALSE(ClientAPI_GetUseExternalWebBrowser());
    EXPECT_TRUE(ClientAPI_GetUseSystemLocaleLanguage());
    EXPECT_FALSE(ClientAPI_GetPrefHideFloatingPanels());  // not exported
    ClientAPI_SetPrefHideFloatingPanels(false);
    EXPECT_EQ(g_hidePanels, 0);
    ITranslationManager* manager = nullptr;
    ClientAPI_GetTranslationManager(&manager);
    EXPECT_EQ(manager, &g_translation);
    LogFontA font{};
    EXPECT_EQ(ClientAPI_UpdateFont(&font), 1);
    EXPECT_EQ(font.Height, -13);
    EXPECT_EQ(VFSAPI_VFS_FileExists("Manual.pdf"), 1);
    EXPECT_EQ(VFSAPI_VFS_FileExists("Other.pdf"), 0);
}

class RunProcessTest : public ClientApiTest {
protected:
    void SetUp() override {
        ClientApiTest::SetUp();
        runner.log = &g_client.log;
        SetCurrentClient(&g_client);
    }
    void TearDown() override {
        EXPECT_EQ(runner.refs, 0);
        ClientApiTest::TearDown();
    }
    test::FakeProcessRunner runner;
    test::FakeView context;
    char buffer[256] = "Action=Redraw";
};

TEST_F(RunProcessTest, PassesTheFourValuesUnchanged) {
    g_client.runner = &runner;
    RunProcess("PCB:Zoom", buffer, 256, &context);
    EXPECT_EQ(runner.process, "PCB:Zoom");
    EXPECT_EQ(runner.parameters, "Action=Redraw");
    EXPECT_EQ(runner.size, 256);
    EXPECT_EQ(runner.context, &context);
}

TEST_F(RunProcessTest, Failures) {
    // No client: quietly nothing.
    SetCurrentClient(nullptr);
    EXPECT_NO_THROW(RunProcess("PCB:Zoom", buffer, 256, nullptr));
    EXPECT_TRUE(g_client.log.empty());

    SetCurrentClient(&g_client);
    try {
        RunProcess("PCB:Zoom", buffer, 256, nullptr);
        ADD_FAILURE() << "no error without a process runner";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Interface not supported");
    }

    g_client.runner = &runner;
    runner.status = E_FAIL;
    runner.failure = "Zoom failed";
    try {
        RunProcess("PCB:NetList", buffer, 256, nullptr);
        ADD_FAILURE() << "no error for a failing process";
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "Zoom failed");
        EXPECT_EQ(e.Code(), E_FAIL);
    }
    EXPECT_EQ(runner.process, "PCB:NetList");
}

struct FakeWorkspace : test::Counted<IWorkspace> {
    std::string path;
    HRESULT status = S_OK;
    std::string askedFor;
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return test::QueryOne(this, IID_IWorkspace, iid, object);
    }
    HRESULT PLZ_STDCALL GetNamedDocumentPath(BSTR name, BSTR* out) override {
        askedFor = os::AnsiFromString(name);
        *out = nullptr;
        if (Failed(status)) return test::FailWith("no such document", status);
        *out = os::NewAnsiString(path);
        return S_OK;
    }
} g_workspace;
HRESULT g_getWorkspaceStatus = S_OK;

HRESULT PLZ_STDCALL HostGetWorkspace(IWorkspace** workspace) {
    if (Failed(g_getWorkspaceStatus)) return g_getWorkspaceStatus;
    g_workspace.AddRef();
    *workspace = &g_workspace;
    return S_OK;
}
static_assert(std::is_same_v<decltype(&HostGetWorkspace), GetWorkspace_Fn>);

class WorkspaceTest : public ClientApiTest {
protected:
    void SetUp() override {
        ClientApiTest::SetUp();
        g_workspace = FakeWorkspace{};
        g_getWorkspaceStatus = S_OK;
        g_workspaceExports = {{"GetWorkspace", Address(HostGetWorkspace)}};
    }
    void TearDown() override {
        EXPECT_EQ(g_workspace.refs, 0);
        ClientApiTest::TearDown();
    }
};

TEST_F(WorkspaceTest, FoundOnceTheModuleIsLoaded) {
    ComPtr<IWorkspace> workspace;
    EXPECT_EQ(GetWorkspace(workspace.Out()), S_OK);
    EXPECT_FALSE(workspace);
    EXPECT_EQ(GetWorkspace(workspace.Out()), S_OK);
    EXPECT_EQ(g_moduleQueries, 2);  // looked for again while absent

    g_workspaceLoaded = true;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetWorkspace(workspace.Out()), S_OK);
        EXPECT_EQ(workspace.Get(), &g_workspace);
    }
    EXPECT_EQ(g_moduleQueries, 3);
    EXPECT_EQ(g_lookups, std::vector<std::string>{"GetWorkspace"});

    workspace.Reset();
    g_getWorkspaceStatus = E_FAIL;
    IWorkspace* out = &g_workspace;
    EXPECT_EQ(GetWorkspace(&out), E_UNEXPECTED);
    EXPECT_EQ(out, nullptr);
}

TEST_F(WorkspaceTest, ModuleWithoutTheExportIsNotAskedAgain) {
    g_workspaceLoaded = true;
    g_workspaceExports.clear();
    ComPtr<IWorkspace> workspace;
    EXPECT_EQ(GetWorkspace(workspace.Out()), S_OK);
    g_workspaceExports = {{"GetWorkspace", Address(HostGetWorkspace)}};
    EXPECT_EQ(GetWorkspace(workspace.Out()), S_OK);
    EXPECT_FALSE(workspace);
    EXPECT_EQ(g_lookups.size(), 1u);
    EXPECT_EQ(g_moduleQueries, 1);
}

TEST_F(WorkspaceTest, OpenNamedDocument) {
    test::FakeDocument document;
    g_client.openedDocument = &document;
    SetCurrentClient(&g_client);

    EXPECT_FALSE(OpenNamedDocument("PickATask"));  // no workspace yet
    g_workspaceLoaded = true;
    EXPECT_FALSE(OpenNamedDocument("PickATask"));  // no path for the name
    EXPECT_EQ(g_workspace.askedFor, "PickATask");
    EXPECT_TRUE(g_client.log.empty());

    g_workspace.path = "C:\\Tasks\\PickATask.Task";
    EXPECT_EQ(OpenNamedDocument("PickATask").Get(), &document);
    EXPECT_EQ(g_client.log, std::vector<std::string>{"OpenDocumentByPath(C:\\Tasks\\PickATask.Task)"});

    g_client.openStatus = E_FAIL;
    EXPECT_THROW(OpenNamedDocument("PickATask"), EHostError);
    g_workspace.status = E_FAIL;
    EXPECT_THROW(OpenNamedDocument("PickATask"), EHostError);
    SetCurrentClient(nullptr);
    g_workspace.status = S_OK;
    EXPECT_FALSE(OpenNamedDocument("PickATask"));  // no client to open it
    EXPECT_EQ(document.refs, 0);
}

}  // namespace
}  // namespace plz
