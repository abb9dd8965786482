// The simulated host's documents, its server module and its address service.
#include "hostsim/documents.h"

#include <utility>

#include "platform/ascii.h"
#include "platform/os.h"

namespace plz::hostsim {
namespace {

template <typename T>
void Clear(T* out) {
    if (out) *out = T{};
}


}  // namespace

// --- documents -------------------------------------------------------------------------------

HostDocument::HostDocument(std::shared_ptr<State> state, DocumentSetup setup) : state_(state), setup_(std::move(setup)) {
    for (const std::string& name : setup_.viewNames)
        views_.push_back(new DocumentView(state_, static_cast<IServerDocument*>(this), name, setup_.viewParameters));
}

HRESULT HostDocument::QueryInterface(const GUID& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IServerDocument)
        *object = static_cast<IServerDocument*>(this);
    else if (iid == IID_IAddressDocument && setup_.address)
        *object = static_cast<IAddressDocument*>(this);
    else if (iid == IID_INavigationDocument && setup_.navigable)
        *object = static_cast<INavigationDocument*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

uint32_t HostDocument::Release() {
    uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

void HostDocument::Close() {
    for (DocumentView* view : std::exchange(views_, {})) view->Release();
}

HRESULT HostDocument::GetViewCount(int32_t* count) {
    Clear(count);
    if (!count) return E_POINTER;
    *count = int32_t(views_.size());
    return S_OK;
}

HRESULT HostDocument::GetFileName(BSTR* fileName) {
    Clear(fileName);
    if (!fileName) return E_POINTER;
    *fileName = os::NewAnsiString(setup_.fileName);
    return S_OK;
}

HRESULT HostDocument::GetView(int32_t index, IServerDocumentView** view) {
    Clear(view);
    if (!view) return E_POINTER;
    if (index < 0 || size_t(index) >= views_.size()) return E_FAIL;
    views_[size_t(index)]->AddRef();
    *view = views_[size_t(index)];
    return S_OK;
}

HRESULT HostDocument::GetAddress(BSTR* address) {
    Clear(address);
    if (!address) return E_POINTER;
    *address = os::NewAnsiString(setup_.address.value_or(""));
    return S_OK;
}

HRESULT HostDocument::MatchesAddress(BSTR address, uint8_t* match) {
    Clear(match);
    if (!match) return E_POINTER;
    *match = SameIgnoringCase(os::AnsiFromString(address), setup_.address.value_or("")) ? 1 : 0;
    return S_OK;
}

// A browser-like document goes anywhere it is sent and then shows that address.
HRESULT HostDocument::Navigate(BSTR address, uint8_t* done) {
    Clear(done);
    if (!done) return E_POINTER;
    std::string target = os::AnsiFromString(address);
    state_->addressEvents.push_back("Navigate " + setup_.fileName + " " + target);
    if (setup_.address) setup_.address = target;
    *done = 1;
    return S_OK;
}

// --- the server module -----------------------------------------------------------------------

HRESULT HostModule::QueryInterface(const GUID& iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IServerModule) {
        *object = static_cast<IServerModule*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

uint32_t HostModule::Release() {
    uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

HostDocument* HostModule::Add(const DocumentSetup& setup) {
    documents_.push_back(new HostDocument(state_, setup));
    return documents_.back();
}

void HostModule::Close() {
    for (HostDocument* document : std::exchange(documents_, {})) {
        document->Close();
        document->Release();
    }
}

HRESULT HostModule::GetDocumentCount(int32_t* count) {
    Clear(count);
    if (!count) return E_POINTER;
    *count = int32_t(documents_.size());
    return S_OK;
}

HRESULT HostModule::GetDocument(int32_t index, IServerDocument** document) {
    Clear(document);
    if (!document) return E_POINTER;
    if (index < 0 || size_t(index) >= documents_.size()) return E_FAIL;
    documents_[size_t(index)]->AddRef();
    *document = documents_[size_t(index)];
    return S_OK;
}

// What the simulated module does not offer.
HRESULT HostModule::CreateDocument(int32_t, int32_t, IServerDocument** document) {
    Clear(document);
    return E_NOTIMPL;
}
HRESULT HostModule::GetClient(IClient** client) {
    Clear(client);
    return E_NOTIMPL;
}
HRESULT HostModule::GetCommandLauncher(ICommandLauncher** launcher) {
    Clear(launcher);
    return E_NOTIMPL;
}
HRESULT HostModule::GetInstanceHandle(ModuleHandle* instance) {
    Clear(instance);
    return E_NOTIMPL;
}
HRESULT HostModule::GetModuleName(BSTR* name) {
    Clear(name);
    if (!name) return E_POINTER;
    *name = os::NewAnsiString("Host");
    return S_OK;
}
HRESULT HostModule::GetProcessControl(IProcessControl** control) {
    Clear(control);
    return E_NOTIMPL;
}
HRESULT HostModule::GetViewCount(int32_t* count) {
    Clear(count);
    return S_OK;
}
HRESULT HostModule::GetView(int32_t, IServerDocumentView** view) {
    Clear(view);
    return E_FAIL;
}
HRESULT HostModule::CreateOptionsView(BSTR, IDocumentOptionsView** view) {
    Clear(view);
    return S_OK;
}
HRESULT HostModule::CreateServerView(int32_t, IServerDocumentView** view) {
    Clear(view);
    return S_OK;
}
HRESULT HostModule::CreateDocumentView(int32_t, int32_t, IServerDocumentView** view) {
    Clear(view);
    return S_OK;
}
HRESULT HostModule::CreateDocumentEx(int32_t, int32_t, uint8_t, IServerDocument** document) {
    Clear(document);
    return E_NOTIMPL;
}

// --- the address service ---------------------------------------------------------------------

AddressServiceObject::AddressServiceObject(std::shared_ptr<State> state, HostModule* module)
    : state_(std::move(state)), module_(module) {
    module_->AddRef();
}

AddressServiceObject::~AddressServiceObject() { module_->Release(); }

HRESULT AddressServiceObject::QueryInterface(const GUID& iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IAddressService) {
        *object = static_cast<IAddressService*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

uint32_t AddressServiceObject::Release() {
    uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT AddressServiceObject::SplitAddress(BSTR address, BSTR* scheme, BSTR* second, BSTR* third) {
    Clear(scheme);
    Clear(second);
    Clear(third);
    if (!scheme || !second || !third) return E_POINTER;
    std::string text = os::AnsiFromString(address), kind = "file";
    if (size_t at = text.find("://"); at != std::string::npos) {
        kind = text.substr(0, at);
        text = text.substr(at + 3);
    }
    size_t query = text.find('?');
    *scheme = os::NewAnsiString(kind);
    *second = os::NewAnsiString(text.substr(0, query));
    *third = os::NewAnsiString(query == std::string::npos ? std::string() : text.substr(query + 1));
    return S_OK;
}

HRESULT AddressServiceObject::OpenAddress(int32_t, BSTR address, IServerDocumentView** view, uint8_t* done) {
    Clear(view);
    Clear(done);
    if (!view || !done) return E_POINTER;
    std::string text = os::AnsiFromString(address);
    state_->addressEvents.push_back("OpenAddress " + text);
    DocumentSetup setup;
    setup.fileName = text.substr(0, text.find('?'));
    HostDocument* document = module_->Add(setup);
    IServerDocumentView* opened = nullptr;
    document->GetView(0, &opened);
    *view = opened;
    *done = 1;
    return S_OK;
}

HRESULT AddressServiceObject::ExpandAddress(BSTR address, BSTR* expanded) {
    Clear(expanded);
    if (!expanded) return E_POINTER;
    *expanded = os::NewAnsiString(os::AnsiFromString(address));
    return S_OK;
}

}  // namespace plz::hostsim
