// The simulated host's client and companions: counted objects that share the host's State.
#include "hostsim/host.h"

#include <cstring>
#include <utility>

#include "hostsim/documents.h"
#include "hostsim/ini_file.h"
#include "platform/com_object.h"
#include "platform/os.h"

namespace plz::hostsim {
namespace {

Host* g_current = nullptr;

// Records an operation of the client or a companion; the countdown's chosen one fails.
HRESULT Record(State& state, const char* operation) {
    state.calls.push_back(operation);
    return state.calls.size() == state.failCallNumber ? Fail(state.failCallFailure) : S_OK;
}

class ContextObject final : public ComObject<ContextObject, IUnknown, IID_IUnknown> {};

class GuiManager final : public ComObject<GuiManager, IGUIManager, IID_IGUIManager> {
public:
    explicit GuiManager(std::shared_ptr<State> state) : state_(std::move(state)) {}

    HRESULT PLZ_STDCALL RunTakenKey() override {
        return NoThrow([&] {
            state_->calls.push_back("RunTakenKey");
            ++state_->takenKeyRuns;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL OfferKey(int32_t key, int32_t alt, int32_t shift, int32_t ctrl, int32_t* taken) override {
        return NoThrow([&] {
            ClearOut(taken);
            state_->calls.push_back("OfferKey");
            if (!taken) return E_POINTER;
            const KeyOffer offer{key, alt, shift, ctrl};
            state_->keyOffers.push_back(offer);
            for (const KeyOffer& k : state_->takenKeys)
                if (k == offer) *taken = 1;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL SetStatusText(int32_t index, BSTR text) override {
        return NoThrow([&] {
            if (const HRESULT hr = Record(*state_, "SetStatusText"); Failed(hr)) return hr;
            state_->statusTexts.push_back({index, os::FromString(text)});
            return state_->statusTextFailure ? Fail(*state_->statusTextFailure) : S_OK;
        });
    }

private:
    std::shared_ptr<State> state_;
};

class TranslationManager final : public ComObject<TranslationManager, ITranslationManager, IID_ITranslationManager> {
public:
    explicit TranslationManager(std::shared_ptr<State> state) : state_(std::move(state)) {}

    HRESULT PLZ_STDCALL Translate(BSTR context, BSTR key, BSTR* text, int32_t* found) override {
        return NoThrow([&] {
            ClearOut(text);
            ClearOut(found);
            state_->calls.push_back("Translate");
            if (!text || !found) return E_POINTER;
            std::u16string c = os::FromString(context), k = os::FromString(key);
            state_->translationRequests.push_back({c, k});
            auto it = state_->translations.texts.find({c, k});
            if (it != state_->translations.texts.end()) {
                *text = os::NewString(it->second);
                *found = 1;
            }
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL EnterForm(BSTR name) override {
        return NoThrow([&] {
            state_->calls.push_back("EnterForm");
            state_->enteredForms.push_back(os::FromString(name));
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetFontMode(int32_t* value) override {
        return NoThrow([&] {
            ClearOut(value);
            state_->calls.push_back("GetFontMode");
            if (!value) return E_POINTER;
            *value = state_->translations.fontMode;
            return S_OK;
        });
    }

private:
    std::shared_ptr<State> state_;
};

class OptionsReader final : public ComObject<OptionsReader, IOptionsReader, IID_IOptionsReader> {
public:
    OptionsReader(std::shared_ptr<State> state, IniFile ini) : state_(std::move(state)), ini_(std::move(ini)) {}

    HRESULT PLZ_STDCALL ReadInteger(BSTR section, BSTR key, int32_t defaultValue, int32_t* value) override {
        return NoThrow([&] {
            ClearOut(value);
            if (const HRESULT hr = Record(*state_, "ReadInteger"); Failed(hr)) return hr;
            if (!value) return E_POINTER;
            std::u16string s = os::FromString(section), k = os::FromString(key);
            *value = ReadIniInteger(ini_, os::calls().WideToAnsi(s), os::calls().WideToAnsi(k), defaultValue);
            state_->integerReads.push_back({s, k, defaultValue, *value});
            return S_OK;
        });
    }

private:
    std::shared_ptr<State> state_;
    IniFile ini_;
};

class OptionsManager final : public ComObject<OptionsManager, IOptionsManager, IID_IOptionsManager> {
public:
    explicit OptionsManager(std::shared_ptr<State> state) : state_(std::move(state)) {}

    // A missing or unreadable file gives a reader that answers every default.
    HRESULT PLZ_STDCALL GetOptionsReader(BSTR name, BSTR filePath, IOptionsReader** reader) override {
        return NoThrow([&] {
            ClearOut(reader);
            if (const HRESULT hr = Record(*state_, "GetOptionsReader"); Failed(hr)) return hr;
            if (!reader) return E_POINTER;
            std::u16string path = os::FromString(filePath);
            state_->optionsReaders.push_back({os::FromString(name), path});
            std::string text;
            if (!os::calls().ReadFileBytes(os::calls().WideToAnsi(path), &text)) text.clear();
            *reader = new OptionsReader(state_, IniFile::Parse(text));
            return S_OK;
        });
    }

private:
    std::shared_ptr<State> state_;
};

}  // namespace

HRESULT Fail(const Failure& failure) {
    os::ErrorInfo info;
    info.source = failure.source;
    info.description = failure.description;
    os::calls().SetThreadErrorInfo(&info);
    return failure.status;
}

// --- the client ------------------------------------------------------------------------------

class Host::ClientObject final : public IClient, public IProcessRunner {
public:
    explicit ClientObject(std::shared_ptr<State> state)
        : state_(state),
          gui_(new GuiManager(state)),
          options_(new OptionsManager(state)),
          module_(new HostModule(state)),
          addresses_(new AddressServiceObject(state, module_)) {}

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        IUnknown* found = nullptr;
        if (iid == IID_IUnknown || iid == IID_IClient)
            found = static_cast<IClient*>(this);
        else if (iid == IID_IProcessRunner)
            found = static_cast<IProcessRunner*>(this);
        return AnswerQuery(object, found);
    }
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override {
        uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT PLZ_STDCALL GetApplicationHandle(WindowHandle* window) override {
        return NoThrow([&] {
            ClearOut(window);
            if (const HRESULT hr = Record(*state_, "GetApplicationHandle"); Failed(hr)) return hr;
            if (state_->applicationHandleFailure) return Fail(*state_->applicationHandleFailure);
            if (!window) return E_POINTER;
            *window = kApplicationWindow;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetCurrentView(IServerDocumentView** view) override {
        return NoThrow([&] {
            ClearOut(view);
            if (const HRESULT hr = Record(*state_, "GetCurrentView"); Failed(hr)) return hr;
            if (!view) return E_POINTER;
            if (view_) {
                view_->AddRef();
                *view = view_;
            }
            return S_OK;
        });
    }

    // The document of that file name, opened anew when there is none; a task page (".Tasks")
    // opens as a browser-like document.
    HRESULT PLZ_STDCALL OpenDocumentByPath(BSTR path, IServerDocument** document) override {
        return NoThrow([&] {
            ClearOut(document);
            if (const HRESULT hr = Record(*state_, "OpenDocumentByPath"); Failed(hr)) return hr;
            if (!document) return E_POINTER;
            std::string file = os::AnsiFromString(path);
            state_->addressEvents.push_back("OpenDocumentByPath " + file);
            HostDocument* found = nullptr;
            for (size_t i = 0; i < module_->DocumentCount() && !found; ++i)
                if (module_->Document(i)->Setup().fileName == file) found = module_->Document(i);
            if (!found) {
                bool task = file.size() > 6 && file.substr(file.size() - 6) == ".Tasks";
                found = module_->Add({file, task ? std::optional<std::string>(file) : std::nullopt, task, {""}, ""});
            }
            found->AddRef();
            *document = found;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetGUIManager(IGUIManager** manager) override {
        return NoThrow([&] {
            ClearOut(manager);
            if (const HRESULT hr = Record(*state_, "GetGUIManager"); Failed(hr)) return hr;
            if (!manager) return E_POINTER;
            gui_->AddRef();
            *manager = gui_;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetServerModuleCount(int32_t* count) override {
        return NoThrow([&] {
            ClearOut(count);
            if (const HRESULT hr = Record(*state_, "GetServerModuleCount"); Failed(hr)) return hr;
            if (!count) return E_POINTER;
            *count = 1;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetServerModule(int32_t index, IServerModule** module) override {
        return NoThrow([&] {
            ClearOut(module);
            if (const HRESULT hr = Record(*state_, "GetServerModule"); Failed(hr)) return hr;
            if (!module) return E_POINTER;
            if (index != 0) return E_FAIL;
            module_->AddRef();
            *module = module_;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL ShowDocument(IServerDocument* document) override {
        return NoThrow([&] {
            if (const HRESULT hr = Record(*state_, "ShowDocument"); Failed(hr)) return hr;
            BSTR name = nullptr;
            if (document && !Failed(document->GetFileName(&name))) {
                state_->addressEvents.push_back("ShowDocument " + os::AnsiFromString(name));
                os::calls().FreeString(name);
            }
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetAddressService(IAddressService** service) override {
        return NoThrow([&] {
            ClearOut(service);
            if (const HRESULT hr = Record(*state_, "GetAddressService"); Failed(hr)) return hr;
            if (!service) return E_POINTER;
            addresses_->AddRef();
            *service = addresses_;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetImmediateFormRelease(uint8_t* immediate) override {
        return NoThrow([&] {
            ClearOut(immediate);
            if (const HRESULT hr = Record(*state_, "GetImmediateFormRelease"); Failed(hr)) return hr;
            if (!immediate) return E_POINTER;
            *immediate = state_->immediateFormRelease ? 1 : 0;
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetModuleFileNameOfReference(BSTR reference, BSTR* fileName) override {
        return NoThrow([&] {
            ClearOut(fileName);
            state_->calls.push_back("GetModuleFileNameOfReference");
            if (!fileName) return E_POINTER;
            std::u16string r = os::FromString(reference);
            state_->referenceQueries.push_back(r);
            auto it = state_->referenceModules.find(r);
            *fileName = os::NewString(it == state_->referenceModules.end() ? std::u16string() : it->second);
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetUserInterfaceFont(int32_t, int32_t* available, BSTR* name, int32_t* size, int32_t* style,
                                             int32_t* color, int32_t* charset) override {
        return NoThrow([&] {
            ClearOut(available), ClearOut(name), ClearOut(size), ClearOut(style), ClearOut(color), ClearOut(charset);
            state_->calls.push_back("GetUserInterfaceFont");
            if (!available || !name || !size || !style || !color || !charset) return E_POINTER;
            const UiFont& f = state_->uiFont;
            *available = f.available ? 1 : 0;
            if (f.available) {
                *name = os::NewAnsiString(f.name);
                *size = f.size, *style = f.style, *color = f.color, *charset = f.charset;
            }
            return S_OK;
        });
    }

    HRESULT PLZ_STDCALL GetOptionsManager(IOptionsManager** manager) override {
        return NoThrow([&] {
            ClearOut(manager);
            if (const HRESULT hr = Record(*state_, "GetOptionsManager"); Failed(hr)) return hr;
            if (!manager) return E_POINTER;
            options_->AddRef();
            *manager = options_;
            return S_OK;
        });
    }

    // Records the process; the simulated host runs nothing.
    HRESULT PLZ_STDCALL LaunchProcess(const char* process, const char* parameters, int32_t size,
                                      IUnknown* context) override {
        return NoThrow([&] {
            if (const HRESULT hr = Record(*state_, "LaunchProcess"); Failed(hr)) return hr;
            size_t number = state_->processes.size();
            std::string text;
            if (parameters)
                text.assign(parameters, size > 0 ? strnlen(parameters, size_t(size)) : std::strlen(parameters));
            state_->processes.push_back({process ? process : "", std::move(text), size, context});
            auto failure = state_->processFailures.find(number);
            return failure == state_->processFailures.end() ? S_OK : Fail(failure->second);
        });
    }

    void SetView(DocumentView* view) {
        if (view_) view_->Release();
        view_ = view;
    }
    DocumentView* View() const { return view_; }
    HostModule* Module() const { return module_; }
    uint32_t References() const { return references_; }

private:
    ~ClientObject() {
        SetView(nullptr);
        gui_->Release();
        options_->Release();
        addresses_->Release();
        module_->Close();
        module_->Release();
    }

    std::shared_ptr<State> state_;
    GuiManager* gui_;
    OptionsManager* options_;
    HostModule* module_;
    AddressServiceObject* addresses_;
    DocumentView* view_ = nullptr;  // counted
    uint32_t references_ = 1;       // the host's
};

// --- the document view -----------------------------------------------------------------------

DocumentView::DocumentView(std::shared_ptr<State> state, IServerDocument* document, std::string name,
                           std::string parameters)
    : state_(std::move(state)), document_(document), name_(std::move(name)), parameters_(std::move(parameters)) {
    if (document_) document_->AddRef();
}

DocumentView::~DocumentView() {
    if (document_) document_->Release();
}

HRESULT DocumentView::QueryInterface(const GUID& iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IExternalForm || iid == IID_IServerDocumentView)
        *object = static_cast<IServerDocumentView*>(this);
    else if (iid == IID_IViewActivation)
        *object = static_cast<IViewActivation*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT DocumentView::GetOwnerDocument(IServerDocument** document) {
    ClearOut(document);
    if (!document) return E_POINTER;
    if (document_) document_->AddRef();
    *document = document_;
    return S_OK;
}

HRESULT DocumentView::GetViewName(BSTR* name) {
    ClearOut(name);
    if (!name) return E_POINTER;
    *name = os::NewAnsiString(name_);
    return S_OK;
}

HRESULT DocumentView::GetViewParameters(BSTR* parameters) {
    ClearOut(parameters);
    if (!parameters) return E_POINTER;
    *parameters = os::NewAnsiString(parameters_);
    return S_OK;
}

HRESULT DocumentView::ActivateView() {
    return NoThrow([&] {
        std::string file;
        if (auto* document = static_cast<HostDocument*>(document_)) file = document->Setup().fileName;
        state_->addressEvents.push_back("ActivateView " + file);
        return S_OK;
    });
}

uint32_t DocumentView::Release() {
    uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT DocumentView::GetBounds(int32_t* left, int32_t* top, int32_t* width, int32_t* height) {
    ClearOut(left);
    ClearOut(top);
    ClearOut(width);
    ClearOut(height);
    return E_NOTIMPL;
}

HRESULT DocumentView::GetCaption(BSTR* caption) {
    ClearOut(caption);
    return E_NOTIMPL;
}

HRESULT DocumentView::GetWindowHandle(WindowHandle* window) {
    ClearOut(window);
    return E_NOTIMPL;
}

HRESULT DocumentView::UpdateStatusBar() {
    return NoThrow([&] {
        if (const HRESULT hr = Record(*state_, "UpdateStatusBar"); Failed(hr)) return hr;
        ++updateStatusBarCalls_;
        return S_OK;
    });
}

// --- the host --------------------------------------------------------------------------------

Host::Host()
    : state_(std::make_shared<State>()), client_(new ClientObject(state_)), context_(new ContextObject) {
    g_current = this;
}

Host::~Host() {
    if (g_current == this) g_current = nullptr;
    context_->Release();
    client_->Release();
}

Host* Host::Current() { return g_current; }

IClient* Host::Client() const { return client_; }

ITranslationManager* Host::NewTranslationManagerReference() const {
    return state_->translations.present ? new TranslationManager(state_) : nullptr;
}

void Host::SetCurrentView(bool present) {
    client_->SetView(present ? new DocumentView(state_) : nullptr);
}

DocumentView* Host::View() const { return client_->View(); }

void Host::SetCurrentView(DocumentView* view) {
    if (view) view->AddRef();
    client_->SetView(view);
}

HostDocument* Host::AddDocument(const DocumentSetup& setup) { return client_->Module()->Add(setup); }

HostModule* Host::Module() const { return client_->Module(); }

uint32_t Host::ClientReferences() const { return client_->References(); }

uint32_t Host::ContextReferences() const { return static_cast<ContextObject*>(context_)->References(); }

}  // namespace plz::hostsim
