// The simulated host's documents, views and address service, driven by the plug-in's address
// handling: the view walk over the host's module, a found view brought to the front and activated,
// a browser-like current view navigating, and an address opened by the address service.
#include "hostsim/documents.h"

#include <gtest/gtest.h>

#include "client/client_api.h"
#include "forms/document_launcher.h"
#include "frame/current_client.h"
#include "hostsim/plugin_host.h"
#include "platform/os.h"

namespace plz::hostsim {
namespace {

ModuleHandle const kMainProgram = reinterpret_cast<ModuleHandle>(0x1000);
uint8_t PLZ_STDCALL NoExternalBrowser() { return 0; }

class HostDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentClient(host.Client());
        // A main program that keeps web addresses to itself; other modules as they are.
        os::calls().FindLoadedModule = [](const char* name) -> ModuleHandle {
            return name ? os::native::FindLoadedModule(name) : kMainProgram;
        };
        os::calls().FindExport = [](ModuleHandle module, const char* name) -> void* {
            if (module != kMainProgram) return os::native::FindExport(module, name);
            return std::string(name) == "ClientAPI_GetUseExternalWebBrowser" ? reinterpret_cast<void*>(NoExternalBrowser)
                                                                             : nullptr;
        };
        UnbindHostAPIs();
        BindClientAPI();
    }
    void TearDown() override {
        SetCurrentClient(nullptr);
        UnbindHostAPIs();
        os::ResetAll();
    }
    Host host;
};

TEST_F(HostDocuments, AnOpenViewIsFoundAndBroughtToTheFront) {
    host.AddDocument({"C:\\Designs\\Sheet.SchDoc", std::nullopt, false, {"Main"}, "Zoom=2|Area=All"});
    host.AddDocument({"C:\\Designs\\Board.PcbDoc", std::nullopt, false, {"Top", "Bottom"}, ""});
    EXPECT_EQ(forms::ViewAddress(host.Module()->Document(1)->View(1)), "C:\\Designs\\Board.PcbDoc?ViewName=Bottom");
    EXPECT_FALSE(forms::OpenAddress("c:\\designs\\sheet.schdoc?zoom=2;area=all"));
    EXPECT_EQ(host.state().addressEvents,
              (std::vector<std::string>{"ShowDocument C:\\Designs\\Sheet.SchDoc", "ActivateView C:\\Designs\\Sheet.SchDoc"}));
}

TEST_F(HostDocuments, ABrowserLikeCurrentViewNavigatesUnlessItIsThereAlready) {
    HostDocument* browser = host.AddDocument({"Home", std::string("http://intranet/home"), true, {""}, ""});
    host.SetCurrentView(browser->View(0));
    EXPECT_FALSE(forms::OpenAddress("HTTP://intranet/HOME"));
    EXPECT_TRUE(forms::OpenAddress("http://intranet/news"));
    EXPECT_EQ(host.state().addressEvents, std::vector<std::string>{"Navigate Home http://intranet/news"});
    // It shows the new address now, and the view walk finds it there.
    EXPECT_EQ(forms::FindViewByAddress("http://intranet/news").Get(), browser->View(0));
}

TEST_F(HostDocuments, TheAddressServiceSplitsAndOpens) {
    ComPtr<IAddressService> service;
    ASSERT_EQ(host.Client()->GetAddressService(service.Out()), S_OK);
    const struct {
        const char* address;
        const char* scheme;
        const char* second;
        const char* third;
    } cases[] = {
        {"http://intranet/page?x=1", "http", "intranet/page", "x=1"},
        {"C:\\Designs\\Board.PcbDoc", "file", "C:\\Designs\\Board.PcbDoc", ""},
    };
    for (const auto& c : cases) {
        BSTR address = os::NewAnsiString(c.address), scheme = nullptr, second = nullptr, third = nullptr;
        EXPECT_EQ(service->SplitAddress(address, &scheme, &second, &third), S_OK);
        EXPECT_EQ(os::AnsiFromString(scheme), c.scheme);
        EXPECT_EQ(os::AnsiFromString(second), c.second);
        EXPECT_EQ(os::AnsiFromString(third), c.third);
        for (BSTR s : {address, scheme, second, third}) os::calls().FreeString(s);
    }
    BSTR address = os::NewAnsiString("C:\\Designs\\Board.PcbDoc");
    ComPtr<IServerDocumentView> view;
    uint8_t done = 0;
    EXPECT_EQ(service->OpenAddress(0, address, view.Out(), &done), S_OK);
    os::calls().FreeString(address);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(forms::ViewAddress(view.Get()), "C:\\Designs\\Board.PcbDoc");
    EXPECT_EQ(host.Module()->DocumentCount(), 1u);
}

TEST_F(HostDocuments, TheTaskServerPageTakesWhatNoOtherPlaceDoes) {
    ModuleHandle workspace = os::calls().OpenLibrary(BesideExecutable(kWorkspaceFile), nullptr);
    ASSERT_TRUE(workspace);
    EXPECT_TRUE(forms::OpenAddress("http://intranet/news"));
    os::calls().CloseLibrary(workspace);
    EXPECT_EQ(host.state().addressEvents, (std::vector<std::string>{"OpenDocumentByPath PickATask.Tasks",
                                                                    "Navigate PickATask.Tasks http://intranet/news"}));
}

}  // namespace
}  // namespace plz::hostsim
