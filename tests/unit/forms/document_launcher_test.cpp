// Opening addresses: PDF manuals in viewers of each generation (command lines, the page by dynamic
// data exchange, the old-viewer warning and its switch), the viewer command from the registry,
// the browser preference, host views found by address, the task server, and the help viewer with
// and without the platform's help library.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "client/client_api.h"
#include "client/paths.h"
#include "forms/acrobat_warning.h"
#include "forms/document_launcher.h"
#include "forms/help_viewer.h"
#include "frame/current_client.h"
#include "tests/unit/client/fake_client.h"
#include "tests/unit/client/host_files.h"

namespace plz {
namespace {

using namespace forms;
using os::RegistryRoot;
using test::RegistryFolder;
namespace fs = std::filesystem;

std::string FormsKey() { return GetPreferenceRegistryKey() + "\\Forms"; }

ModuleHandle const kMainProgram = reinterpret_cast<ModuleHandle>(0x1000);
ModuleHandle const kWorkspaceModule = reinterpret_cast<ModuleHandle>(0x2000);
ModuleHandle const kHelpLibrary = reinterpret_cast<ModuleHandle>(0x3000);

// Everything that left the plug-in for other programs, in order.
std::vector<std::string> g_requests;
bool g_externalBrowser = true;
bool g_tickBox = false;
bool g_helpLibraryPresent = false;
IWorkspace* g_workspace = nullptr;

uint8_t PLZ_STDCALL HostExternalBrowser() { return g_externalBrowser ? 1 : 0; }
int32_t PLZ_STDCALL HostFileExists(const char* path) { return std::string(path) == "C:\\Designs\\Board.PcbDoc"; }
HRESULT PLZ_STDCALL HostGetWorkspace(IWorkspace** workspace) { return test::Hand(g_workspace, workspace); }
WindowHandle PLZ_STDCALL HtmlHelp(WindowHandle window, const char* file, uint32_t command, uintptr_t data) {
    g_requests.push_back("HtmlHelpA " + std::to_string(window) + " " + file + " " + std::to_string(command) + " " +
                         std::to_string(data));
    return 77;
}

ModuleHandle FindModule(const char* name) {
    if (!name) return kMainProgram;
    return g_workspace && std::string(name) == "WorkspaceManager.DLL" ? kWorkspaceModule : nullptr;
}
void* FindExport(ModuleHandle module, const char* name) {
    const std::string n = name;
    if (module == kWorkspaceModule) return n == "GetWorkspace" ? reinterpret_cast<void*>(HostGetWorkspace) : nullptr;
    if (module == kHelpLibrary) return n == "HtmlHelpA" ? reinterpret_cast<void*>(HtmlHelp) : nullptr;
    if (n == "ClientAPI_GetUseExternalWebBrowser") return reinterpret_cast<void*>(HostExternalBrowser);
    if (n == "VFSAPI_VFS_FileExists") return reinterpret_cast<void*>(HostFileExists);
    return nullptr;
}
intptr_t ShellOpen(const std::string& verb, const std::string& target, int show) {
    g_requests.push_back("ShellOpen " + verb + " " + target + " " + std::to_string(show));
    return 42;
}
intptr_t StartProgram(const std::string& line, int show) {
    g_requests.push_back("StartProgram " + line + " " + std::to_string(show));
    return 42;
}
bool DdeExecute(const std::string& service, const std::string& topic, const std::string& command) {
    g_requests.push_back("DdeExecute " + service + "|" + topic + "|" + command);
    return true;
}
ModuleHandle LoadSystemLibrary(const std::string& name) {
    g_requests.push_back("LoadSystemLibrary " + name);
    return g_helpLibraryPresent ? kHelpLibrary : nullptr;
}
void CloseLibrary(ModuleHandle module) {
    if (module == kHelpLibrary) g_requests.push_back("CloseLibrary");
}
bool WarningDialog() {
    g_requests.push_back("warning");
    return g_tickBox;
}

// The host's address service: takes addresses as they are; "scheme://rest" or a file name.
struct FakeAddressService : test::Counted<IAddressService> {
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return test::QueryOne(this, IID_IAddressService, iid, object);
    }
    HRESULT PLZ_STDCALL SplitAddress(BSTR address, BSTR* scheme, BSTR* second, BSTR* third) override {
        std::string text = os::AnsiFromString(address);
        size_t at = text.find("://");
        *scheme = os::NewAnsiString(at == std::string::npos ? "file" : text.substr(0, at));
        *second = os::NewAnsiString(at == std::string::npos ? text : text.substr(at + 3));
        *third = os::NewAnsiString("");
        return S_OK;
    }
    HRESULT PLZ_STDCALL OpenAddress(int32_t flags, BSTR address, IServerDocumentView** view, uint8_t* done) override {
        g_requests.push_back("host opens " + os::AnsiFromString(address) + " " + std::to_string(flags));
        *view = nullptr;
        *done = 1;
        return S_OK;
    }
    HRESULT PLZ_STDCALL ExpandAddress(BSTR address, BSTR* expanded) override {
        *expanded = os::NewAnsiString(os::AnsiFromString(address));
        return S_OK;
    }
};

// Every process the host is asked to run, with its parameter text and size.
struct RecordingRunner : test::FakeProcessRunner {
    HRESULT PLZ_STDCALL LaunchProcess(const char* p, const char* params, int32_t s, IUnknown* c) override {
        g_requests.push_back(std::string("process ") + p + " " + params + " " + std::to_string(s));
        return test::FakeProcessRunner::LaunchProcess(p, params, s, c);
    }
};

// A document of the host's that navigates (a browser-like view's) and may know its address.
struct BrowserDocument : test::FakeDocument, INavigationDocument, IAddressDocument {
    std::string address;  // empty: no address interface
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        if (iid == IID_INavigationDocument) return Hand<INavigationDocument>(this, object);
        if (iid == IID_IAddressDocument && !address.empty()) return Hand<IAddressDocument>(this, object);
        return test::FakeDocument::QueryInterface(iid, object);
    }
    uint32_t PLZ_STDCALL AddRef() override { return test::FakeDocument::AddRef(); }
    uint32_t PLZ_STDCALL Release() override { return test::FakeDocument::Release(); }
    HRESULT PLZ_STDCALL Navigate(BSTR to, uint8_t* done) override {
        g_requests.push_back("navigate " + fileName + " " + os::AnsiFromString(to));
        *done = 1;
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetAddress(BSTR* out) override {
        *out = os::NewAnsiString(address);
        return S_OK;
    }
    HRESULT PLZ_STDCALL MatchesAddress(BSTR wanted, uint8_t* match) override {
        *match = os::AnsiFromString(wanted) == address;
        return S_OK;
    }
    template <typename I>
    HRESULT Hand(I* self, void** object) {
        AddRef();
        *object = self;
        return S_OK;
    }
};

// A server module of the host's, with documents: only what the view walk asks.
struct FakeModule : test::Counted<IServerModule> {
    std::vector<IServerDocument*> documents;
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return test::QueryOne(this, IID_IServerModule, iid, object);
    }
    HRESULT PLZ_STDCALL GetDocumentCount(int32_t* count) override {
        *count = int32_t(documents.size());
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetDocument(int32_t index, IServerDocument** out) override {
        return test::Hand(documents.at(size_t(index)), out);
    }
    HRESULT PLZ_STDCALL ApplicationIdle() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL Notify(int32_t) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL CreateDocument(int32_t, int32_t, IServerDocument**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL DestroyDocument(IServerDocument*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetClient(IClient**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetCommandLauncher(ICommandLauncher**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetInstanceHandle(ModuleHandle*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetModuleName(BSTR*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetProcessControl(IProcessControl**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetViewCount(int32_t*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetView(int32_t, IServerDocumentView**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL CreateOptionsView(BSTR, IDocumentOptionsView**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL CreateServerView(int32_t, IServerDocumentView**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL CreateDocumentView(int32_t, int32_t, IServerDocumentView**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL RemoveView(IServerDocumentView*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL AddView(IServerDocumentView*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL CreateDocumentEx(int32_t, int32_t, uint8_t, IServerDocument**) override { return E_NOTIMPL; }
};

struct FakeWorkspace : test::Counted<IWorkspace> {
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return test::QueryOne(this, IID_IWorkspace, iid, object);
    }
    HRESULT PLZ_STDCALL GetNamedDocumentPath(BSTR name, BSTR* path) override {
        *path = os::NewAnsiString(os::AnsiFromString(name) == "PickATask" ? "tasks.html" : "");
        return S_OK;
    }
};

class DocumentLauncherTest : public test::HostFilesTest {
protected:
    void SetUp() override {
        HostFilesTest::SetUp();
        g_requests.clear();
        g_externalBrowser = true;
        g_tickBox = false;
        g_helpLibraryPresent = false;
        g_workspace = nullptr;
        os::calls().FindLoadedModule = FindModule;
        os::calls().FindExport = FindExport;
        os::calls().ShellOpen = ShellOpen;
        os::calls().StartProgram = StartProgram;
        os::calls().DdeExecute = DdeExecute;
        os::calls().LoadSystemLibrary = LoadSystemLibrary;
        os::calls().CloseLibrary = CloseLibrary;
        UnbindHostAPIs();
        BindVfsAPI();
        BindClientAPI();
        FreePathCaches();
        SetAcrobatWarningDialog(WarningDialog);
        client.addressService = &addresses;
        client.runner = &runner;
        SetCurrentClient(&client);
        help = GetHelpFolder();
        WriteFile(help, "MANUAL.PDF", "%PDF");
        SetRegistryDefault(RegistryRoot::ClassesRoot, "acrobat\\Shell\\Open\\Command", kViewer + " \"%1\"");
    }
    void TearDown() override {
        SetCurrentClient(nullptr);
        SetAcrobatWarningDialog(nullptr);
        UnloadHelpLibrary();
        UnbindHostAPIs();
        FreePathCaches();
        HostFilesTest::TearDown();
        os::ResetAll();
    }

    const std::string kViewer = "\"C:\\Reader\\AcroRd32.exe\"";
    test::FakeClient client;
    FakeAddressService addresses;
    RecordingRunner runner;
    std::string help;
};

TEST_F(DocumentLauncherTest, PdfPagesOpenInViewersOfEachGeneration) {
    const std::string file = " \"" + help + "MANUAL.PDF\" 1";
    const struct Case {
        const char* what;
        const char* classKey;
        const char* warningSwitch;  // null: not stored
        const char* address;
        std::vector<std::string> requests;
    } cases[] = {
        {"generation 7", "AcroPDF.PDF.1", nullptr, "Manual.pdf#page=12",
         {"StartProgram " + kViewer + "  /a pagemode=bookmarks&page=12" + file,
          "DdeExecute acroview|control|[DocGoTo(NULL, 11)]"}},
        {"generation 5", "PDF.PdfCtrl.5", nullptr, "manual.PDF#PAGE=3",
         {"warning", "StartProgram " + kViewer + " " + file}},
        {"warning switched off", "PDF.PdfCtrl.5", "0", "Manual.pdf#page=3", {"StartProgram " + kViewer + " " + file}},
        {"page 1", "PDF.PdfCtrl.5", nullptr, "Manual.pdf#page=1", {"StartProgram " + kViewer + " " + file}},
        {"no such manual", "AcroPDF.PDF.1", nullptr, "Other.pdf#page=2", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(RegistryFolder(RegistryRoot::ClassesRoot, "AcroPDF.PDF.1"));
        fs::remove_all(RegistryFolder(RegistryRoot::ClassesRoot, "PDF.PdfCtrl.5"));
        fs::remove_all(RegistryFolder(RegistryRoot::CurrentUser, FormsKey()));
        SetRegistry(RegistryRoot::ClassesRoot, c.classKey);
        if (c.warningSwitch) SetRegistry(RegistryRoot::CurrentUser, FormsKey(), kAcrobatWarningSwitch, c.warningSwitch);
        g_requests.clear();
        EXPECT_TRUE(OpenAddress(c.address));  // a PDF address is handed on even when it is not found
        EXPECT_EQ(g_requests, c.requests);
    }
}

TEST_F(DocumentLauncherTest, TickingTheWarningsBoxSwitchesItOffForGood) {
    SetRegistry(RegistryRoot::ClassesRoot, "PDF.PdfCtrl.5");
    g_tickBox = true;
    EXPECT_TRUE(OpenPdf(help + "MANUAL.PDF", 4));
    EXPECT_EQ(g_requests.front(), "warning");
    EXPECT_FALSE(AcrobatWarningEnabled());
    g_requests.clear();
    EXPECT_TRUE(OpenPdf(help + "MANUAL.PDF", 4));
    EXPECT_EQ(g_requests.size(), 1u);  // the program only
}

TEST_F(DocumentLauncherTest, ViewerCommandAndGeneration) {
    const std::pair<const char*, const char*> placeholders[] = {
        {"\"C:\\Viewer\\view.exe\" \"%1\" /u", "\"C:\\Viewer\\view.exe\"  "},
        {"C:\\Viewer\\view.exe %1", "C:\\Viewer\\view.exe "},
        {"\"C:\\Viewer\\view.exe\"", "\"C:\\Viewer\\view.exe\""},
    };
    for (const auto& [registered, kept] : placeholders) EXPECT_EQ(RemoveViewerPlaceholders(registered), kept);

    // Without the acrobat class, the class of ".PDF" names the command.
    fs::remove_all(RegistryFolder(RegistryRoot::ClassesRoot, "acrobat"));
    SetRegistryDefault(RegistryRoot::ClassesRoot, ".PDF", "AcroExch.Document");
    SetRegistryDefault(RegistryRoot::ClassesRoot, "AcroExch.Document\\Shell\\Open\\Command", kViewer + " \"%1\" /u");
    EXPECT_EQ(PdfViewerCommand(), kViewer + "  ");

    // Without class keys the program's own version says; unreadable or 0, generation 4.
    static uint64_t version = 0;
    static std::string asked;
    os::calls().FileVersion = [](const std::string& path) {
        asked = path;
        return os::FileVersionResult{version != 0, version ? 0u : os::kErrorFileNotFound, version};
    };
    version = 0x0008'0001'0000'0000;
    EXPECT_EQ(AcrobatGeneration(kViewer + "  "), 8);
    EXPECT_EQ(asked, "C:\\Reader\\AcroRd32.exe");
    version = 0;
    EXPECT_EQ(AcrobatGeneration(kViewer), 4);
    SetRegistry(RegistryRoot::ClassesRoot, "PDF.PdfCtrl.6");
    EXPECT_EQ(AcrobatGeneration(kViewer), 6);
    SetRegistry(RegistryRoot::ClassesRoot, "PDF.PdfCtrl.1");
    EXPECT_EQ(AcrobatGeneration(kViewer), 4);

    // A manual whose name would break out of the command line's quotes is refused.
    WriteFile(help, "A\"B.PDF", "%PDF");
    if (os::calls().FileExists(help + "A\"B.PDF")) {
        EXPECT_FALSE(OpenPdf(help + "A\"B.PDF", 2));
        EXPECT_TRUE(g_requests.empty());
    }
}

TEST_F(DocumentLauncherTest, WebAddressesGoToTheBrowserOnlyWhileTheHostSaysSo) {
    FakeWorkspace workspace;
    g_workspace = &workspace;
    BrowserDocument tasks;
    tasks.fileName = "tasks.html";
    client.openedDocument = &tasks;

    EXPECT_TRUE(OpenAddress("http://example.org/a"));
    EXPECT_EQ(g_requests, std::vector<std::string>{"ShellOpen open http://example.org/a 1"});

    // Otherwise the host's task server: the "PickATask" document navigates there.
    g_requests.clear();
    g_externalBrowser = false;
    EXPECT_TRUE(OpenAddress("http://example.org/a"));
    EXPECT_EQ(g_requests, std::vector<std::string>{"navigate tasks.html http://example.org/a"});
    g_workspace = nullptr;
}

TEST_F(DocumentLauncherTest, HostViewsAreFoundByAddress) {
    // The view walk: a document's file name, the view name when it has several views, the view's
    // parameters with ";" for "|"; a document that knows its address answers for itself.
    test::FakeDocument single, pair;
    BrowserDocument addressed;
    single.fileName = "C:\\Designs\\Sheet.SchDoc";
    pair.fileName = "C:\\Designs\\Board.PcbDoc";
    addressed.fileName = "page.html";
    addressed.address = "http://intranet/page";
    test::FakeView singleView, top, bottom, addressedView;
    singleView.document = &single;
    singleView.parameters = "Zoom=2|Area=All";
    top.document = bottom.document = &pair;
    top.name = "Top";
    bottom.name = "Bottom";
    bottom.parameters = "Layer=1";
    addressedView.document = &addressed;
    single.views = {&singleView};
    pair.views = {&top, &bottom};
    addressed.views = {&addressedView};
    FakeModule first, second;
    first.documents = {&single};
    second.documents = {&pair, &addressed};
    client.modules = {&first, &second};

    EXPECT_EQ(ViewAddress(&singleView), "C:\\Designs\\Sheet.SchDoc?Zoom=2;Area=All");
    EXPECT_EQ(ViewAddress(&bottom), "C:\\Designs\\Board.PcbDoc?ViewName=Bottom;Layer=1");
    EXPECT_EQ(ViewAddress(&addressedView), "http://intranet/page");
    EXPECT_EQ(FindViewByAddress("c:\\designs\\board.pcbdoc?viewname=bottom;layer=1").Get(), &bottom);
    EXPECT_EQ(FindViewByAddress("http://intranet/page").Get(), &addressedView);
    EXPECT_FALSE(FindViewByAddress("C:\\Designs\\Board.PcbDoc"));

    // Found: its document comes to the front, and nothing is opened.
    g_externalBrowser = false;
    client.log.clear();
    EXPECT_FALSE(OpenAddress("C:\\Designs\\Sheet.SchDoc?Zoom=2;Area=All"));
    EXPECT_EQ(client.log.back(), "ShowDocument");
    EXPECT_TRUE(g_requests.empty());

    // Not found, but a file of the host's: the address service opens it.
    EXPECT_TRUE(OpenAddress("C:\\Designs\\Board.PcbDoc"));
    EXPECT_EQ(g_requests, std::vector<std::string>{"host opens C:\\Designs\\Board.PcbDoc 0"});

    // A browser-like current view goes there itself, unless it is there already.
    client.currentView = &addressedView;
    g_requests.clear();
    EXPECT_FALSE(OpenAddress("HTTP://INTRANET/PAGE"));
    EXPECT_TRUE(OpenAddress("http://intranet/other"));
    EXPECT_EQ(g_requests, std::vector<std::string>{"navigate page.html http://intranet/other"});
    client.currentView = nullptr;
}

TEST_F(DocumentLauncherTest, HelpViewerShowsTopicsInTheHostAndHandsTheRestToTheHelpLibrary) {
    EXPECT_EQ(HelpViewer(5, "X.chm", kHelpDisplayTopic, "/Dlg_Options.htm"), 0);
    EXPECT_EQ(g_requests,
              (std::vector<std::string>{
                  "process Client:CustomizeResources ObjectKind=Panel|Action=Show|Id=ZavuravadIduduz 0",
                  "process HelpAdvisor:ShowDynamicHelp ForceUpdate=True|Address=X.chm::/Dlg_Options.htm 49"}));
    g_requests.clear();

    // Without the library: -1, and it is looked for in the system folder only, by name.
    EXPECT_EQ(HelpViewer(5, "X.chm", 0x0F, uintptr_t(7)), -1);
    EXPECT_EQ(g_requests, std::vector<std::string>{"LoadSystemLibrary HHCtrl.ocx"});

    g_helpLibraryPresent = true;
    g_requests.clear();
    EXPECT_EQ(HelpViewer(5, "X.chm", 0x0F, uintptr_t(7)), 77);
    EXPECT_EQ(HelpViewer(5, "X.chm", 0xFFFFFFFFu, uintptr_t(8)), 77);  // -1 is taken as 0
    UnloadHelpLibrary();
    EXPECT_EQ(g_requests, (std::vector<std::string>{"LoadSystemLibrary HHCtrl.ocx", "HtmlHelpA 5 X.chm 15 7",
                                                    "HtmlHelpA 5 X.chm 0 8", "CloseLibrary"}));
}

}  // namespace
}  // namespace plz
