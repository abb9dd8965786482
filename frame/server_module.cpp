// The server module's construction and destruction, its host operations under the error guard,
// and the idle step.
#include "frame/server_module.h"

#include "frame/application.h"
#include "frame/boundary_guard.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "platform/os.h"
#include "platform/wide_string.h"

namespace plz {
namespace {

inline constexpr uint32_t kWmUser = 0x0400;

template <typename List>
auto& Entry(List& list, int32_t index) {
    if (index < 0 || size_t(index) >= list.size())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return list[size_t(index)];
}

}  // namespace

TServerModule::TServerModule(IClient* client, std::string name) {
    SetCurrentClient(client);
    FClient = client;
    FName = std::move(name);
}

void TServerModule::Construct() {
    CreateCommandLauncher();
    FProcessControl = std::make_unique<TProcessControl>();
    // FDocuments and FViews exist, empty, from the constructor on.
    RegisterCommands();
    AfterCreate();
    if (FClient) {
        WindowHandle window = 0;
        CheckHost(FClient->GetApplicationHandle(&window));
        SetApplicationWindow(window);
    }
}

TServerModule::~TServerModule() {
    FViews.clear();
    FCommandLauncher.reset();
    FDocuments.clear();
    FProcessControl.reset();
    FOptionsForms.reset();
}

HRESULT PLZ_STDCALL TServerModule::QueryInterface(const GUID& iid, void** object) {
    IUnknown* found = nullptr;
    if (iid == IID_IServerModule || iid == IID_IUnknown)
        found = static_cast<IServerModule*>(this);
    else if (iid == IID_IOptionsPageProvider)
        found = static_cast<IOptionsPageProvider*>(this);
    return AnswerQuery(object, found);
}

uint32_t PLZ_STDCALL TServerModule::AddRef() { return ++refCount_; }

uint32_t PLZ_STDCALL TServerModule::Release() {
    uint32_t left = --refCount_;
    if (left == 0) delete this;
    return left;
}

HRESULT PLZ_STDCALL TServerModule::ApplicationIdle() {
    return Guard([&] {
        // Without an application window there is no one to wake: a post to no window would land in
        // the host thread's queue as a stray thread message.
        WindowHandle window = ApplicationWindow();
        os::QueuedMessage waiting;
        if (window && os::calls().PeekAnyMessage(&waiting)) os::calls().PostMessageTo(window, kWmUser, 0, 0);
        // The plug-in has no user-interface framework of its own whose idle step would run here.
    });
}

HRESULT PLZ_STDCALL TServerModule::Notify(int32_t) { return S_OK; }

HRESULT PLZ_STDCALL TServerModule::CreateDocument(int32_t a, int32_t b, IServerDocument** document) {
    ClearOut(document);
    return Guard([&] { CheckHost(CreateDocumentEx(a, b, 1, document)); });
}

HRESULT PLZ_STDCALL TServerModule::DestroyDocument(IServerDocument* document) {
    return Guard([&] {
        if (!document) throw Exception("Invalid pointer");
        CheckHost(document->FinishDocument());
        for (auto it = FDocuments.begin(); it != FDocuments.end(); ++it)
            if (it->Get() == document) {
                FDocuments.erase(it);
                break;
            }
    });
}

HRESULT PLZ_STDCALL TServerModule::GetClient(IClient** client) {
    ClearOut(client);
    return Guard([&] { SetOut(client, ComPtr<IClient>(FClient).Detach()); });
}

HRESULT PLZ_STDCALL TServerModule::GetCommandLauncher(ICommandLauncher** launcher) {
    ClearOut(launcher);
    return Guard([&] {
        ComPtr<ICommandLauncher> itf(FCommandLauncher.get());
        SetOut(launcher, itf.Detach());
    });
}

HRESULT PLZ_STDCALL TServerModule::GetDocumentCount(int32_t* count) {
    ClearOut(count);
    return Guard([&] { SetOut(count, int32_t(FDocuments.size())); });
}

HRESULT PLZ_STDCALL TServerModule::GetDocument(int32_t index, IServerDocument** document) {
    ClearOut(document);
    return Guard([&] {
        ComPtr<IServerDocument> entry = Entry(FDocuments, index);
        SetOut(document, entry.Detach());
    });
}

HRESULT PLZ_STDCALL TServerModule::GetInstanceHandle(ModuleHandle* instance) {
    ClearOut(instance);
    return Guard([&] { SetOut(instance, os::calls().OwnModule()); });
}

HRESULT PLZ_STDCALL TServerModule::GetModuleName(BSTR* name) {
    ClearOut(name);
    return Guard([&] {
        WideString text(FName);
        SetOut(name, text.Detach());
    });
}

HRESULT PLZ_STDCALL TServerModule::GetProcessControl(IProcessControl** control) {
    ClearOut(control);
    return Guard([&] {
        ComPtr<IProcessControl> itf(FProcessControl.get());
        SetOut(control, itf.Detach());
    });
}

HRESULT PLZ_STDCALL TServerModule::GetViewCount(int32_t* count) {
    ClearOut(count);
    return Guard([&] { SetOut(count, int32_t(FViews.size())); });
}

HRESULT PLZ_STDCALL TServerModule::GetView(int32_t index, IServerDocumentView** view) {
    ClearOut(view);
    return Guard([&] {
        ComPtr<IServerDocumentView> entry = Entry(FViews, index);
        SetOut(view, entry.Detach());
    });
}

HRESULT PLZ_STDCALL TServerModule::CreateOptionsView(BSTR name, IDocumentOptionsView** view) {
    ClearOut(view);
    return Guard([&] {
        ComPtr<IDocumentOptionsView> made = CreateOptionsForm(os::AnsiFromString(name));
        SetOut(view, made.Detach());
    });
}

HRESULT PLZ_STDCALL TServerModule::CreateServerView(int32_t, IServerDocumentView** view) {
    ClearOut(view);
    return S_OK;
}

HRESULT PLZ_STDCALL TServerModule::CreateDocumentView(int32_t, int32_t, IServerDocumentView** view) {
    ClearOut(view);
    return S_OK;
}

HRESULT PLZ_STDCALL TServerModule::RemoveView(IServerDocumentView* view) {
    return Guard([&] {
        for (auto it = FViews.begin(); it != FViews.end(); ++it)
            if (it->Get() == view) {
                FViews.erase(it);
                break;
            }
    });
}

HRESULT PLZ_STDCALL TServerModule::AddView(IServerDocumentView* view) {
    return Guard([&] { FViews.push_back(ComPtr<IServerDocumentView>(view)); });
}

HRESULT PLZ_STDCALL TServerModule::CreateDocumentEx(int32_t a, int32_t b, uint8_t flag, IServerDocument** document) {
    ClearOut(document);
    return Guard([&] {
        if (!document) throw Exception("Invalid pointer");
        ComPtr<IServerDocument> made = NewDocumentEx(a, b, flag);
        if (made) FDocuments.push_back(made);
        *document = made.Detach();
    });
}

HRESULT PLZ_STDCALL TServerModule::GetOptionsPage(BSTR name, IOptionsPage** page) {
    ClearOut(page);
    return Guard([&] {
        if (!FOptionsForms) return;
        auto found = FOptionsForms->find(os::AnsiFromString(name));
        if (found == FOptionsForms->end() || !found->second.page) return;
        ComPtr<IOptionsPage> made = found->second.page();
        SetOut(page, made.Detach());
    });
}

void TServerModule::RegisterOptionsForm(const std::string& name, OptionsPageMaker maker) {
    if (!FOptionsForms) FOptionsForms = std::make_unique<std::map<std::string, OptionsFormMakers, NameLess>>();
    (*FOptionsForms)[name].page = maker;
}

void TServerModule::RegisterOptionsView(const std::string& name, OptionsViewMaker maker) {
    if (!FOptionsForms) FOptionsForms = std::make_unique<std::map<std::string, OptionsFormMakers, NameLess>>();
    (*FOptionsForms)[name].view = maker;
}

HRESULT PLZ_STDCALL TServerModule::OptionsNotify1() { return S_OK; }
HRESULT PLZ_STDCALL TServerModule::OptionsNotify2() { return S_OK; }

ComPtr<IDocumentOptionsView> TServerModule::CreateOptionsForm(const std::string& name) {
    if (!FOptionsForms) return {};
    auto found = FOptionsForms->find(name);
    if (found == FOptionsForms->end() || !found->second.view) return {};
    return found->second.view();
}

ComPtr<IServerDocument> TServerModule::NewDocument(int32_t, int32_t) { throw EAbstractError(); }

ComPtr<IServerDocument> TServerModule::NewDocumentEx(int32_t a, int32_t b, uint8_t) { return NewDocument(a, b); }

void TServerModule::RegisterCommands() {}

void TServerModule::CreateCommandLauncher() {
    WideString name;
    CheckHost(GetModuleName(name.Out()));
    FCommandLauncher = std::make_unique<TCommandLauncher>(name.Ansi());
}

void TServerModule::AfterCreate() {}

}  // namespace plz
