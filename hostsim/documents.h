// The simulated host's documents and the server module that holds them, for the plug-in's address
// handling: plain file documents, documents that know their address, and browser-like documents
// that navigate; each with views. Calls that matter to a test are recorded in the host's State
// ("ShowDocument FILE", "ActivateView FILE", "Navigate FILE ADDRESS", "OpenAddress ADDRESS").
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"
#include "frame/plugin_interfaces.h"
#include "hostsim/host.h"

namespace plz::hostsim {

struct DocumentSetup {
    std::string fileName;
    std::optional<std::string> address;  // the document offers the address interface
    bool navigable = false;              // the document offers the navigation interface
    std::vector<std::string> viewNames{""};  // one view per name
    std::string viewParameters;              // every view's parameter text
};

class HostDocument final : public IServerDocument, public IAddressDocument, public INavigationDocument {
public:
    HostDocument(std::shared_ptr<State> state, DocumentSetup setup);

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override;

    HRESULT PLZ_STDCALL FinishDocument() override { return S_OK; }
    HRESULT PLZ_STDCALL GetViewCount(int32_t* count) override;
    HRESULT PLZ_STDCALL GetFileName(BSTR* fileName) override;
    HRESULT PLZ_STDCALL GetView(int32_t index, IServerDocumentView** view) override;
    HRESULT PLZ_STDCALL GetAddress(BSTR* address) override;
    HRESULT PLZ_STDCALL MatchesAddress(BSTR address, uint8_t* match) override;
    HRESULT PLZ_STDCALL Navigate(BSTR address, uint8_t* done) override;

    const DocumentSetup& Setup() const { return setup_; }
    DocumentView* View(size_t index) const { return views_.at(index); }
    // Lets go of the views, which hold the document: the end of the cycle.
    void Close();

private:
    ~HostDocument() = default;
    std::shared_ptr<State> state_;
    DocumentSetup setup_;
    std::vector<DocumentView*> views_;  // counted
    uint32_t references_ = 1;
};

// The one server module of the simulated host, holding its documents (counted).
class HostModule final : public IServerModule {
public:
    explicit HostModule(std::shared_ptr<State> state) : state_(std::move(state)) {}

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override;

    HRESULT PLZ_STDCALL ApplicationIdle() override { return S_OK; }
    HRESULT PLZ_STDCALL Notify(int32_t) override { return S_OK; }
    HRESULT PLZ_STDCALL CreateDocument(int32_t, int32_t, IServerDocument** document) override;
    HRESULT PLZ_STDCALL DestroyDocument(IServerDocument*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetClient(IClient** client) override;
    HRESULT PLZ_STDCALL GetCommandLauncher(ICommandLauncher** launcher) override;
    HRESULT PLZ_STDCALL GetDocumentCount(int32_t* count) override;
    HRESULT PLZ_STDCALL GetDocument(int32_t index, IServerDocument** document) override;
    HRESULT PLZ_STDCALL GetInstanceHandle(ModuleHandle* instance) override;
    HRESULT PLZ_STDCALL GetModuleName(BSTR* name) override;
    HRESULT PLZ_STDCALL GetProcessControl(IProcessControl** control) override;
    HRESULT PLZ_STDCALL GetViewCount(int32_t* count) override;
    HRESULT PLZ_STDCALL GetView(int32_t, IServerDocumentView** view) override;
    HRESULT PLZ_STDCALL CreateOptionsView(BSTR, IDocumentOptionsView** view) override;
    HRESULT PLZ_STDCALL CreateServerView(int32_t, IServerDocumentView** view) override;
    HRESULT PLZ_STDCALL CreateDocumentView(int32_t, int32_t, IServerDocumentView** view) override;
    HRESULT PLZ_STDCALL RemoveView(IServerDocumentView*) override { return S_OK; }
    HRESULT PLZ_STDCALL AddView(IServerDocumentView*) override { return S_OK; }
    HRESULT PLZ_STDCALL CreateDocumentEx(int32_t, int32_t, uint8_t, IServerDocument** document) override;

    HostDocument* Add(const DocumentSetup& setup);
    HostDocument* Document(size_t index) const { return documents_.at(index); }
    size_t DocumentCount() const { return documents_.size(); }
    void Close();

private:
    ~HostModule() = default;
    std::shared_ptr<State> state_;
    std::vector<HostDocument*> documents_;  // counted
    uint32_t references_ = 1;
};

// The address service (IClient operation 47): addresses are taken as they are (the simulated host
// has no abbreviations); "scheme://rest" splits at "://", anything else is a "file" address; the
// second part is the rest up to "?", the third what follows it. Opening an address makes a new
// document with one view in the module.
class AddressServiceObject final : public IAddressService {
public:
    AddressServiceObject(std::shared_ptr<State> state, HostModule* module);

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override;

    HRESULT PLZ_STDCALL SplitAddress(BSTR address, BSTR* scheme, BSTR* second, BSTR* third) override;
    HRESULT PLZ_STDCALL OpenAddress(int32_t flags, BSTR address, IServerDocumentView** view, uint8_t* done) override;
    HRESULT PLZ_STDCALL ExpandAddress(BSTR address, BSTR* expanded) override;

private:
    ~AddressServiceObject();
    std::shared_ptr<State> state_;
    HostModule* module_;  // counted
    uint32_t references_ = 1;
};

}  // namespace plz::hostsim
