// The host client's interfaces as the plug-in calls them. Operation numbers count from 1 after
// QueryInterface, AddRef and Release; operations the plug-in never calls are placeholder slots
// (answering E_NOTIMPL) so that every called operation sits at its number.
#pragma once

#include <cstdint>

#include "platform/abi.h"

namespace plz {

// A placeholder slot: keeps the numbering, takes no part in the exchange.
#define PLZ_SLOT(n) \
    virtual HRESULT PLZ_STDCALL Reserved##n() { return E_NOTIMPL; }

struct IServerDocument;
struct IServerDocumentView;
struct IGUIManager;
struct IOptionsManager;
struct IOptionsReader;
struct IServerModule;
struct IAddressService;

inline constexpr GUID IID_IClient = MakeGuid("3C3088DD-8976-44E8-8790-0D7769F2A049");
inline constexpr GUID IID_IProcessRunner = MakeGuid("8452C443-703F-4881-B7AC-C33550794AA6");
inline constexpr GUID IID_IGUIManager = MakeGuid("768641EB-5C28-434F-9CAF-E70FF7C16913");
inline constexpr GUID IID_IOptionsManager = MakeGuid("DF0962B5-30A2-483F-8598-C693725B4191");
inline constexpr GUID IID_IOptionsReader = MakeGuid("1249B29A-837C-4C26-95B5-F8A0808D05AC");
inline constexpr GUID IID_IServerDocument = MakeGuid("2C16E32A-B0BF-4718-9613-F0210EAC7934");
inline constexpr GUID IID_IServerDocumentView = MakeGuid("32497900-6E69-49A5-ADBD-304090C93EE3");
inline constexpr GUID IID_IWorkspace = MakeGuid("6BDF9C52-81A6-4103-A816-89A5EA3109E3");
inline constexpr GUID IID_ITranslationManager = MakeGuid("1288451C-AB43-4D6D-B5AB-83373F8C243E");
inline constexpr GUID IID_IExternalForm = MakeGuid("85961389-4EF1-4825-837C-ACB084EAD26D");
inline constexpr GUID IID_IExternalFormHolder = MakeGuid("4BAA917E-1FFF-4381-9A43-24952D1796B1");
inline constexpr GUID IID_IAddressService = MakeGuid("0B1AE6E4-4D0B-4E4B-9D64-2C1E7A5D3F10");
inline constexpr GUID IID_INavigationDocument = MakeGuid("82D46D14-F808-45CC-AB41-B860278A1AAE");
inline constexpr GUID IID_IAddressDocument = MakeGuid("E9822C7C-165E-4346-BA0A-E51D92080C77");
inline constexpr GUID IID_IViewActivation = MakeGuid("B3D04C3E-CDA5-4C91-AEFA-965D08F47B2F");

// The host client.
struct IClient : IUnknown {
    PLZ_SLOT(1) PLZ_SLOT(2) PLZ_SLOT(3) PLZ_SLOT(4) PLZ_SLOT(5) PLZ_SLOT(6)
    // 7: the host's main window, which owns the plug-in's windows.
    virtual HRESULT PLZ_STDCALL GetApplicationHandle(/*out*/ WindowHandle* window) = 0;
    PLZ_SLOT(8)
    // 9: how many server modules the host has loaded.
    virtual HRESULT PLZ_STDCALL GetServerModuleCount(/*out*/ int32_t* count) = 0;
    PLZ_SLOT(10)
    // 11: the current document view, or none.
    virtual HRESULT PLZ_STDCALL GetCurrentView(/*out*/ IServerDocumentView** view) = 0;
    // 12: opens the document at a path.
    virtual HRESULT PLZ_STDCALL OpenDocumentByPath(/*in*/ BSTR path, /*out*/ IServerDocument** document) = 0;
    PLZ_SLOT(13) PLZ_SLOT(14)
    // 15: the user-interface manager.
    virtual HRESULT PLZ_STDCALL GetGUIManager(/*out*/ IGUIManager** manager) = 0;
    // 16: a server module by index, from 0.
    virtual HRESULT PLZ_STDCALL GetServerModule(int32_t index, /*out*/ IServerModule** module) = 0;
    PLZ_SLOT(17) PLZ_SLOT(18) PLZ_SLOT(19) PLZ_SLOT(20)
    PLZ_SLOT(21) PLZ_SLOT(22) PLZ_SLOT(23) PLZ_SLOT(24)
    // 25: whether a released form is to be freed at once.
    virtual HRESULT PLZ_STDCALL GetImmediateFormRelease(/*out*/ uint8_t* immediate) = 0;
    PLZ_SLOT(26) PLZ_SLOT(27) PLZ_SLOT(28) PLZ_SLOT(29) PLZ_SLOT(30)
    PLZ_SLOT(31) PLZ_SLOT(32) PLZ_SLOT(33) PLZ_SLOT(34) PLZ_SLOT(35)
    // 36: brings a document to the front.
    virtual HRESULT PLZ_STDCALL ShowDocument(/*in*/ IServerDocument* document) = 0;
    PLZ_SLOT(37) PLZ_SLOT(38) PLZ_SLOT(39) PLZ_SLOT(40)
    PLZ_SLOT(41) PLZ_SLOT(42) PLZ_SLOT(43) PLZ_SLOT(44)
    // 45: the file of the module behind a help reference text (a server's name).
    virtual HRESULT PLZ_STDCALL GetModuleFileNameOfReference(/*in*/ BSTR reference, /*out*/ BSTR* fileName) = 0;
    // 46: the host's user-interface font; `available` nonzero when the host offers one. The style
    // holds bold 1, italic 2, underline 4, strike-out 8; the colour is 0x00BBGGRR.
    virtual HRESULT PLZ_STDCALL GetUserInterfaceFont(int32_t which, /*out*/ int32_t* available, /*out*/ BSTR* name,
                                                     /*out*/ int32_t* size, /*out*/ int32_t* style,
                                                     /*out*/ int32_t* color, /*out*/ int32_t* charset) = 0;
    // 47: the address service, which expands, splits and opens addresses.
    virtual HRESULT PLZ_STDCALL GetAddressService(/*out*/ IAddressService** service) = 0;
    PLZ_SLOT(48) PLZ_SLOT(49) PLZ_SLOT(50)
    PLZ_SLOT(51) PLZ_SLOT(52) PLZ_SLOT(53)
    // 54: the options manager.
    virtual HRESULT PLZ_STDCALL GetOptionsManager(/*out*/ IOptionsManager** manager) = 0;
};

// Runs host processes; reached by querying the client.
struct IProcessRunner : IUnknown {
    // 1: runs "Server:Process" with a parameter text before it returns.
    virtual HRESULT PLZ_STDCALL LaunchProcess(/*in*/ const char* process, /*in*/ const char* parameters,
                                              int32_t size, /*in*/ IUnknown* context) = 0;
};

struct IGUIManager : IUnknown {
    // 1: runs the command of the key that operation 3 took.
    virtual HRESULT PLZ_STDCALL RunTakenKey() = 0;
    PLZ_SLOT(2)
    // 3: offers a key with its modifier states (-1 down, 0 up); `taken` nonzero when the host has a
    // command for it.
    virtual HRESULT PLZ_STDCALL OfferKey(int32_t key, int32_t alt, int32_t shift, int32_t ctrl, /*out*/ int32_t* taken) = 0;
    PLZ_SLOT(4) PLZ_SLOT(5)
    PLZ_SLOT(6) PLZ_SLOT(7) PLZ_SLOT(8) PLZ_SLOT(9)
    // 10: sets status text number `index`.
    virtual HRESULT PLZ_STDCALL SetStatusText(int32_t index, /*in*/ BSTR text) = 0;
};

struct IOptionsManager : IUnknown {
    // 1: a reader of the named options over an options file.
    virtual HRESULT PLZ_STDCALL GetOptionsReader(/*in*/ BSTR name, /*in*/ BSTR filePath,
                                                 /*out*/ IOptionsReader** reader) = 0;
};

struct IOptionsReader : IUnknown {
    PLZ_SLOT(1) PLZ_SLOT(2)
    // 3: the stored integer, or the default when none is stored.
    virtual HRESULT PLZ_STDCALL ReadInteger(/*in*/ BSTR section, /*in*/ BSTR key, int32_t defaultValue,
                                            /*out*/ int32_t* value) = 0;
};

// A form the host embeds in one of its windows.
struct IExternalFormHolder : IUnknown {
    // 1: the host window that is to hold the form.
    virtual HRESULT PLZ_STDCALL GetParentWindow(/*out*/ WindowHandle* window) = 0;
};

struct IExternalForm : IUnknown {
    virtual HRESULT PLZ_STDCALL SetHolder(/*in*/ IExternalFormHolder* holder) = 0;
    virtual HRESULT PLZ_STDCALL ShowInHolder() = 0;
    virtual HRESULT PLZ_STDCALL Detach() = 0;
    virtual HRESULT PLZ_STDCALL GetBounds(/*out*/ int32_t* left, /*out*/ int32_t* top,
                                          /*out*/ int32_t* width, /*out*/ int32_t* height) = 0;
    virtual HRESULT PLZ_STDCALL GetCaption(/*out*/ BSTR* caption) = 0;
    virtual HRESULT PLZ_STDCALL GetWindowHandle(/*out*/ WindowHandle* window) = 0;
    virtual HRESULT PLZ_STDCALL HideForm() = 0;
    virtual HRESULT PLZ_STDCALL SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    virtual HRESULT PLZ_STDCALL FocusForm() = 0;
    virtual HRESULT PLZ_STDCALL ShowForm() = 0;
    virtual HRESULT PLZ_STDCALL FocusFirstControl() = 0;
};

// A document view: a form of the host's with operations of its own after the form's (numbered
// from 1 after the 11 of the form).
struct IServerDocumentView : IExternalForm {
    // own operation 1: the view's document.
    virtual HRESULT PLZ_STDCALL GetOwnerDocument(/*out*/ IServerDocument** document) = 0;
    PLZ_SLOT(2)
    // own operation 3: brings the host's status bar up to date for this view.
    virtual HRESULT PLZ_STDCALL UpdateStatusBar() = 0;
    PLZ_SLOT(4) PLZ_SLOT(5) PLZ_SLOT(6) PLZ_SLOT(7) PLZ_SLOT(8) PLZ_SLOT(9) PLZ_SLOT(10)
    PLZ_SLOT(11) PLZ_SLOT(12)
    // own operations 13 and 14: the view's name and its parameter text ("A=1|B=2"), maybe empty.
    virtual HRESULT PLZ_STDCALL GetViewName(/*out*/ BSTR* name) = 0;
    virtual HRESULT PLZ_STDCALL GetViewParameters(/*out*/ BSTR* parameters) = 0;
};

struct IServerDocument : IUnknown {
    PLZ_SLOT(1) PLZ_SLOT(2) PLZ_SLOT(3) PLZ_SLOT(4) PLZ_SLOT(5)
    PLZ_SLOT(6) PLZ_SLOT(7) PLZ_SLOT(8) PLZ_SLOT(9)
    // 10 and 11: how many views the document has; its file name.
    virtual HRESULT PLZ_STDCALL GetViewCount(/*out*/ int32_t* count) = 0;
    virtual HRESULT PLZ_STDCALL GetFileName(/*out*/ BSTR* fileName) = 0;
    PLZ_SLOT(12) PLZ_SLOT(13) PLZ_SLOT(14) PLZ_SLOT(15)
    PLZ_SLOT(16) PLZ_SLOT(17) PLZ_SLOT(18) PLZ_SLOT(19)
    // 20: a view by index, from 0.
    virtual HRESULT PLZ_STDCALL GetView(int32_t index, /*out*/ IServerDocumentView** view) = 0;
    PLZ_SLOT(21) PLZ_SLOT(22) PLZ_SLOT(23) PLZ_SLOT(24) PLZ_SLOT(25)
    PLZ_SLOT(26) PLZ_SLOT(27)
    // 28: the document's own finishing step before the module forgets it.
    virtual HRESULT PLZ_STDCALL FinishDocument() = 0;
};

struct IWorkspace : IUnknown {
    PLZ_SLOT(1) PLZ_SLOT(2) PLZ_SLOT(3) PLZ_SLOT(4) PLZ_SLOT(5)
    PLZ_SLOT(6) PLZ_SLOT(7) PLZ_SLOT(8) PLZ_SLOT(9) PLZ_SLOT(10)
    PLZ_SLOT(11) PLZ_SLOT(12) PLZ_SLOT(13) PLZ_SLOT(14) PLZ_SLOT(15)
    PLZ_SLOT(16) PLZ_SLOT(17) PLZ_SLOT(18) PLZ_SLOT(19) PLZ_SLOT(20)
    PLZ_SLOT(21) PLZ_SLOT(22) PLZ_SLOT(23) PLZ_SLOT(24) PLZ_SLOT(25)
    PLZ_SLOT(26) PLZ_SLOT(27) PLZ_SLOT(28) PLZ_SLOT(29) PLZ_SLOT(30)
    PLZ_SLOT(31) PLZ_SLOT(32) PLZ_SLOT(33) PLZ_SLOT(34) PLZ_SLOT(35)
    PLZ_SLOT(36) PLZ_SLOT(37) PLZ_SLOT(38) PLZ_SLOT(39) PLZ_SLOT(40)
    PLZ_SLOT(41) PLZ_SLOT(42) PLZ_SLOT(43) PLZ_SLOT(44) PLZ_SLOT(45)
    PLZ_SLOT(46) PLZ_SLOT(47) PLZ_SLOT(48) PLZ_SLOT(49) PLZ_SLOT(50)
    PLZ_SLOT(51)
    // 52: the path of a named document, empty when the workspace has none.
    virtual HRESULT PLZ_STDCALL GetNamedDocumentPath(/*in*/ BSTR name, /*out*/ BSTR* path) = 0;
};

// The host's address service, reached through IClient operation 47.
struct IAddressService : IUnknown {
    PLZ_SLOT(1) PLZ_SLOT(2) PLZ_SLOT(3) PLZ_SLOT(4)
    // 5: an address's scheme and its second and third parts (for a file: its name, then the rest).
    virtual HRESULT PLZ_STDCALL SplitAddress(/*in*/ BSTR address, /*out*/ BSTR* scheme, /*out*/ BSTR* second,
                                             /*out*/ BSTR* third) = 0;
    // 6: opens an address in a new view; done nonzero when it did.
    virtual HRESULT PLZ_STDCALL OpenAddress(int32_t flags, /*in*/ BSTR address, /*out*/ IServerDocumentView** view,
                                            /*out*/ uint8_t* done) = 0;
    PLZ_SLOT(7)
    // 8: an address with the host's abbreviations expanded.
    virtual HRESULT PLZ_STDCALL ExpandAddress(/*in*/ BSTR address, /*out*/ BSTR* expanded) = 0;
};

// A browser-like document, which navigates to addresses itself.
struct INavigationDocument : IUnknown {
    // 1: done nonzero when it went there.
    virtual HRESULT PLZ_STDCALL Navigate(/*in*/ BSTR address, /*out*/ uint8_t* done) = 0;
};

// A document that knows its own address.
struct IAddressDocument : IUnknown {
    // 1: the address it shows.
    virtual HRESULT PLZ_STDCALL GetAddress(/*out*/ BSTR* address) = 0;
    PLZ_SLOT(2)
    // 3: whether it shows `address`.
    virtual HRESULT PLZ_STDCALL MatchesAddress(/*in*/ BSTR address, /*out*/ uint8_t* match) = 0;
};

// A view that can be activated within its window.
struct IViewActivation : IUnknown {
    PLZ_SLOT(1) PLZ_SLOT(2) PLZ_SLOT(3) PLZ_SLOT(4) PLZ_SLOT(5) PLZ_SLOT(6)
    PLZ_SLOT(7) PLZ_SLOT(8) PLZ_SLOT(9) PLZ_SLOT(10) PLZ_SLOT(11) PLZ_SLOT(12)
    // 13: makes it the active view.
    virtual HRESULT PLZ_STDCALL ActivateView() = 0;
};

// The host's translation manager: texts of the plug-in's forms in the host's language.
struct ITranslationManager : IUnknown {
    // 1: the translation of `key` in `context`; `found` nonzero when there is one.
    virtual HRESULT PLZ_STDCALL Translate(/*in*/ BSTR context, /*in*/ BSTR key, /*out*/ BSTR* text,
                                          /*out*/ int32_t* found) = 0;
    // 2: a form's reading starts (its name) or ends (empty).
    virtual HRESULT PLZ_STDCALL EnterForm(/*in*/ BSTR name) = 0;
    // 3: nonzero when fonts are to be adjusted for the system locale.
    virtual HRESULT PLZ_STDCALL GetFontMode(/*out*/ int32_t* value) = 0;
};

}  // namespace plz
