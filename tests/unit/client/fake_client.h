// Small stand-ins for the host client and its companions, for the unit tests of the frame and of
// client access: every call is logged in order, every status can be set, references are counted
// (and never free anything, so that a test can check that the plug-in gave back what it took).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"
#include "frame/plugin_interfaces.h"
#include "platform/os.h"

namespace plz::test {

using CallLog = std::vector<std::string>;

// Reference counting that only counts.
template <typename Interface>
struct Counted : Interface {
    int refs = 0;
    uint32_t PLZ_STDCALL AddRef() override { return uint32_t(++refs); }
    uint32_t PLZ_STDCALL Release() override { return uint32_t(--refs); }
};

template <typename Interface>
HRESULT QueryOne(Interface* self, const GUID& wanted, const GUID& iid, void** object) {
    if (iid == wanted || iid == IID_IUnknown) {
        self->AddRef();
        *object = self;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

template <typename T>
HRESULT Hand(T* object, T** out) {
    if (object) object->AddRef();
    *out = object;
    return S_OK;
}

// A failing status with the thread's error information set, as a host reports a failure.
inline HRESULT FailWith(const std::string& description, HRESULT status = E_FAIL) {
    os::ErrorInfo info;
    info.description = os::calls().AnsiToWide(description);
    info.source = u"Host";
    os::calls().SetThreadErrorInfo(&info);
    return status;
}

struct FakeView : Counted<IServerDocumentView> {
    CallLog* log = nullptr;
    HRESULT updateStatus = S_OK;
    IServerDocument* document = nullptr;
    std::string name, parameters;
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return QueryOne(this, IID_IServerDocumentView, iid, object);
    }
    HRESULT PLZ_STDCALL SetHolder(IExternalFormHolder*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL ShowInHolder() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL Detach() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetBounds(int32_t*, int32_t*, int32_t*, int32_t*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetCaption(BSTR*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetWindowHandle(WindowHandle*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL HideForm() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL SetBounds(int32_t, int32_t, int32_t, int32_t) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL FocusForm() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL ShowForm() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL FocusFirstControl() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL UpdateStatusBar() override {
        if (log) log->push_back("UpdateStatusBar");
        return Failed(updateStatus) ? FailWith("view refused", updateStatus) : updateStatus;
    }
    HRESULT PLZ_STDCALL GetOwnerDocument(IServerDocument** out) override { return Hand(document, out); }
    HRESULT PLZ_STDCALL GetViewName(BSTR* out) override {
        *out = os::NewAnsiString(name);
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetViewParameters(BSTR* out) override {
        *out = os::NewAnsiString(parameters);
        return S_OK;
    }
};

struct FakeGUIManager : Counted<IGUIManager> {
    CallLog* log = nullptr;
    HRESULT setStatus = S_OK;
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return QueryOne(this, IID_IGUIManager, iid, object);
    }
    HRESULT PLZ_STDCALL SetStatusText(int32_t index, BSTR text) override {
        if (log) log->push_back("SetStatusText(" + std::to_string(index) + ",'" + os::AnsiFromString(text) + "')");
        return Failed(setStatus) ? FailWith("status refused", setStatus) : setStatus;
    }
    HRESULT PLZ_STDCALL RunTakenKey() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL OfferKey(int32_t, int32_t, int32_t, int32_t, int32_t*) override { return E_NOTIMPL; }
};

struct FakeProcessRunner : Counted<IProcessRunner> {
    CallLog* log = nullptr;
    HRESULT status = S_OK;
    std::string failure;  // error description left for the thread when status fails
    std::string process, parameters;
    int32_t size = 0;
    IUnknown* context = nullptr;
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return QueryOne(this, IID_IProcessRunner, iid, object);
    }
    HRESULT PLZ_STDCALL LaunchProcess(const char* p, const char* params, int32_t s, IUnknown* c) override {
        if (log) log->push_back(std::string("LaunchProcess(") + p + ")");
        process = p;
        parameters = params ? params : "";
        size = s;
        context = c;
        return Failed(status) && !failure.empty() ? FailWith(failure, status) : status;
    }
};

struct FakeDocument : Counted<IServerDocument> {
    HRESULT finishStatus = S_OK;
    int finished = 0;
    std::string fileName;
    std::vector<IServerDocumentView*> views;
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return QueryOne(this, IID_IServerDocument, iid, object);
    }
    HRESULT PLZ_STDCALL FinishDocument() override {
        ++finished;
        return finishStatus;
    }
    HRESULT PLZ_STDCALL GetViewCount(int32_t* count) override {
        *count = int32_t(views.size());
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetFileName(BSTR* out) override {
        *out = os::NewAnsiString(fileName);
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetView(int32_t index, IServerDocumentView** out) override {
        *out = nullptr;
        return index >= 0 && size_t(index) < views.size() ? Hand(views[size_t(index)], out) : E_FAIL;
    }
};

struct FakeClient : Counted<IClient> {
    CallLog log;
    WindowHandle appWindow = 0x1234;
    HRESULT appWindowStatus = S_OK;
    FakeView* currentView = nullptr;
    HRESULT currentViewStatus = S_OK;
    FakeGUIManager* gui = nullptr;
    HRESULT guiStatus = S_OK;
    FakeProcessRunner* runner = nullptr;  // none: the client offers no IProcessRunner
    FakeDocument* openedDocument = nullptr;
    HRESULT openStatus = S_OK;
    std::vector<IServerModule*> modules;
    IAddressService* addressService = nullptr;

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        log.push_back("QueryInterface");
        if (iid == IID_IProcessRunner) {
            if (!runner) {
                *object = nullptr;
                return E_NOINTERFACE;
            }
            runner->AddRef();
            *object = static_cast<IProcessRunner*>(runner);
            return S_OK;
        }
        return QueryOne(this, IID_IClient, iid, object);
    }
    HRESULT PLZ_STDCALL GetApplicationHandle(WindowHandle* window) override {
        log.push_back("GetApplicationHandle");
        *window = 0;
        if (Failed(appWindowStatus)) return FailWith("no application window", appWindowStatus);
        *window = appWindow;
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetCurrentView(IServerDocumentView** view) override {
        log.push_back("GetCurrentView");
        *view = nullptr;
        if (Failed(currentViewStatus)) return FailWith("no view", currentViewStatus);
        return Hand<IServerDocumentView>(currentView, view);
    }
    HRESULT PLZ_STDCALL OpenDocumentByPath(BSTR path, IServerDocument** document) override {
        log.push_back("OpenDocumentByPath(" + os::AnsiFromString(path) + ")");
        *document = nullptr;
        if (Failed(openStatus)) return FailWith("cannot open", openStatus);
        return Hand<IServerDocument>(openedDocument, document);
    }
    HRESULT PLZ_STDCALL GetGUIManager(IGUIManager** manager) override {
        log.push_back("GetGUIManager");
        *manager = nullptr;
        if (Failed(guiStatus)) return FailWith("no manager", guiStatus);
        return Hand<IGUIManager>(gui, manager);
    }
    HRESULT PLZ_STDCALL GetImmediateFormRelease(uint8_t*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetServerModuleCount(int32_t* count) override {
        *count = int32_t(modules.size());
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetServerModule(int32_t index, IServerModule** module) override {
        *module = nullptr;
        if (index < 0 || size_t(index) >= modules.size()) return E_FAIL;
        *module = modules[size_t(index)];
        (*module)->AddRef();
        return S_OK;
    }
    HRESULT PLZ_STDCALL ShowDocument(IServerDocument* document) override {
        log.push_back(document ? "ShowDocument" : "ShowDocument(none)");
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetAddressService(IAddressService** service) override {
        *service = addressService;
        if (addressService) addressService->AddRef();
        return S_OK;
    }
    HRESULT PLZ_STDCALL GetModuleFileNameOfReference(BSTR, BSTR*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetUserInterfaceFont(int32_t, int32_t*, BSTR*, int32_t*, int32_t*, int32_t*, int32_t*) override {
        return E_NOTIMPL;
    }
    HRESULT PLZ_STDCALL GetOptionsManager(IOptionsManager**) override { return E_NOTIMPL; }
};

}  // namespace plz::test
