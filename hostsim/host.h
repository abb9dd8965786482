// The simulated host application: the client (IClient, which also answers IProcessRunner) and
// its companions (user-interface manager, options manager and readers, a document view), with
// real reference counting. Everything they are asked to do is recorded in the host's State, and
// tests can make single calls fail the way the host does: a failure status with the thread's
// error information set. One host at a time is the process's current host, which the client's
// exported entry points reach.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"
#include "platform/abi.h"
#include "platform/com_object.h"

namespace plz::hostsim {

// The host's main window as the client reports it: a fixed value, never a real window.
inline constexpr WindowHandle kApplicationWindow = 0x00A1'0C00;

// What a failing host call returns and leaves as the thread's error information.
struct Failure {
    HRESULT status = E_FAIL;
    std::u16string source;
    std::u16string description;
};

struct LaunchedProcess {
    std::string process;
    std::string parameters;  // up to the terminator, never beyond `size` bytes
    int32_t size = 0;
    IUnknown* context = nullptr;  // as passed, not counted
    bool operator==(const LaunchedProcess&) const = default;
};

struct StatusText {
    int32_t index = 0;
    std::u16string text;
    bool operator==(const StatusText&) const = default;
};

struct OptionsReaderRequest {
    std::u16string name;
    std::u16string filePath;
    bool operator==(const OptionsReaderRequest&) const = default;
};

struct IntegerRead {
    std::u16string section;
    std::u16string key;
    int32_t defaultValue = 0;
    int32_t value = 0;  // what the reader answered
    bool operator==(const IntegerRead&) const = default;
};

// What the plug-in last reported through ClientAPI_SetErrorInfo.
struct ErrorReport {
    std::u16string error;
    std::u16string detail;
    uintptr_t address = 0;
    bool operator==(const ErrorReport&) const = default;
};

// The host's user-interface font (IClient operation 46).
struct UiFont {
    bool available = false;
    std::string name = "Segoe UI";
    int32_t size = 9;
    int32_t style = 0;
    int32_t color = 0;
    int32_t charset = 1;
};

// A key offered to the GUI manager, with its modifier states (-1 down, 0 up).
struct KeyOffer {
    int32_t key = 0, alt = 0, shift = 0, ctrl = 0;
    bool operator==(const KeyOffer&) const = default;
};

// The translation manager's texts: (context, key) -> text, and its font mode. The manager exists
// only when `present`.
struct Translations {
    bool present = false;
    int32_t fontMode = 0;
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> texts;
};

struct TranslationRequest {
    std::u16string context;
    std::u16string key;
    bool operator==(const TranslationRequest&) const = default;
};

// The host preferences that the client's entry points answer.
struct Preferences {
    bool useLuna = false;
    bool hideFloatingPanels = false;
    bool useExternalWebBrowser = true;
    bool integratedHelpSystem = false;
    bool useSystemLocaleLanguage = false;
    bool useLocalizedDialogs = false;
};

// Settings, injected failures and records, shared by the host's objects.
struct State {
    // --- settings
    bool immediateFormRelease = true;
    Preferences preferences;
    std::set<std::string> virtualFiles;  // what VFSAPI_VFS_FileExists finds
    UiFont uiFont;
    std::map<std::u16string, std::u16string> referenceModules;  // help reference -> module file
    std::vector<KeyOffer> takenKeys;                           // keys the GUI manager has commands for
    Translations translations;
    // ClientAPI_UpdateFont: when set, fonts get this face and character set (and the call says so).
    std::optional<std::pair<std::string, uint8_t>> localeFont;

    // --- failures
    std::optional<Failure> applicationHandleFailure;
    std::optional<Failure> statusTextFailure;          // every SetStatusText fails
    std::map<size_t, Failure> processFailures;         // by launch number, counted from 0
    // Countdown fault injection: the operation that makes `calls` this long (1: the first
    // recorded) fails with failCallFailure; 0 fails none.
    size_t failCallNumber = 0;
    Failure failCallFailure;

    // --- records, in call order
    std::vector<std::string> calls;  // every operation of the client and its companions, by name
    std::vector<LaunchedProcess> processes;
    std::vector<StatusText> statusTexts;
    std::vector<OptionsReaderRequest> optionsReaders;
    std::vector<IntegerRead> integerReads;
    std::optional<ErrorReport> errorReport;  // set until withdrawn
    std::vector<std::string> errorReportEvents;  // "set ERROR" and "clear", in order
    std::vector<int32_t> handledExceptions;
    std::vector<std::string> addressEvents;  // documents shown, views activated, navigations, opens
    std::vector<KeyOffer> keyOffers;
    uint32_t takenKeyRuns = 0;
    std::vector<std::u16string> enteredForms;
    std::vector<TranslationRequest> translationRequests;
    std::vector<bool> hideFloatingPanelsWrites;
    std::vector<std::u16string> referenceQueries;
    uint32_t fontUpdates = 0;
};

class DocumentView;
class HostDocument;
class HostModule;
struct DocumentSetup;

class Host {
public:
    // Creates the client and becomes the current host.
    Host();
    // Drops the host's references; a client still referenced elsewhere lives on with the state.
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The current host, or none.
    static Host* Current();

    State& state() { return *state_; }
    // The client, through the host's own reference: callers that keep it add their own.
    IClient* Client() const;
    // The translation manager, with a reference for the caller; none unless translations are present.
    ITranslationManager* NewTranslationManagerReference() const;
    // A counted object of the host's, handed to commands as their context.
    IUnknown* Context() const { return context_; }

    // Makes a fresh document view current, or none.
    void SetCurrentView(bool present);
    // The current view, or none.
    DocumentView* View() const;
    // Makes a view of the host's current.
    void SetCurrentView(DocumentView* view);

    // A document of the host's server module, with its views.
    HostDocument* AddDocument(const DocumentSetup& setup);
    HostModule* Module() const;

    // References held on each object, the host's own included.
    uint32_t ClientReferences() const;
    uint32_t ContextReferences() const;

private:
    class ClientObject;
    std::shared_ptr<State> state_;
    ClientObject* client_ = nullptr;
    IUnknown* context_ = nullptr;
};

// A document view of the host's: records UpdateStatusBar and ActivateView; its form operations
// are not implemented. A view of a document holds it.
class DocumentView final : public IServerDocumentView, public IViewActivation {
public:
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override;

    HRESULT PLZ_STDCALL SetHolder(IExternalFormHolder*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL ShowInHolder() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL Detach() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetBounds(int32_t* left, int32_t* top, int32_t* width, int32_t* height) override;
    HRESULT PLZ_STDCALL GetCaption(BSTR* caption) override;
    HRESULT PLZ_STDCALL GetWindowHandle(WindowHandle* window) override;
    HRESULT PLZ_STDCALL HideForm() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL SetBounds(int32_t, int32_t, int32_t, int32_t) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL FocusForm() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL ShowForm() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL FocusFirstControl() override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL UpdateStatusBar() override;
    HRESULT PLZ_STDCALL GetOwnerDocument(IServerDocument** document) override;
    HRESULT PLZ_STDCALL GetViewName(BSTR* name) override;
    HRESULT PLZ_STDCALL GetViewParameters(BSTR* parameters) override;
    HRESULT PLZ_STDCALL ActivateView() override;

    uint32_t UpdateStatusBarCalls() const { return updateStatusBarCalls_; }
    uint32_t References() const { return references_; }

private:
    friend class Host;
    friend class HostDocument;
    DocumentView(std::shared_ptr<State> state, IServerDocument* document = nullptr, std::string name = {},
                 std::string parameters = {});
    ~DocumentView();

    std::shared_ptr<State> state_;
    IServerDocument* document_;  // counted
    std::string name_;
    std::string parameters_;
    uint32_t references_ = 1;
    uint32_t updateStatusBarCalls_ = 0;
};

// Puts a failure's error information in place for the calling thread and returns its status.
HRESULT Fail(const Failure& failure);

}  // namespace plz::hostsim
