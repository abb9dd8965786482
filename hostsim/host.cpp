// The simulated host's client and companions: counted objects that share the host's State.
#include "hostsim/host.h"

#include <cstring>
#include <utility>

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
        : state_(state), gui_(new GuiManager(state)), options_(new OptionsManager(state)) {}

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

    // The simulated host opens no documents.
    HRESULT PLZ_STDCALL OpenDocumentByPath(BSTR, IServerDocument** document) override {
        return NoThrow([&] {
            ClearOut(document);
            if (const HRESULT hr = Record(*state_, "OpenDocumentByPath"); Failed(hr)) return hr;
            return E_NOTIMPL;
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
    uint32_t References() const { return references_; }

private:
    ~ClientObject() {
        SetView(nullptr);
        gui_->Release();
        options_->Release();
    }

    std::shared_ptr<State> state_;
    GuiManager* gui_;
    OptionsManager* options_;
    DocumentView* view_ = nullptr;  // counted
    uint32_t references_ = 1;       // the host's
};

// --- the document view -----------------------------------------------------------------------

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

uint32_t Host::ClientReferences() const { return client_->References(); }

uint32_t Host::ContextReferences() const { return static_cast<ContextObject*>(context_)->References(); }

}  // namespace plz::hostsim
