// The interfaces the host calls on the plug-in's objects, with their operations in fixed order.
#pragma once

#include <cstdint>

#include "frame/host_interfaces.h"
#include "platform/abi.h"

namespace plz {

struct ICommandLauncher;
struct IProcessControl;
struct IDocumentOptionsView;
struct IOptionsPage;

inline constexpr GUID IID_IServerModule = MakeGuid("CF7702C4-5044-49E3-BE46-37B9F8FB8203");
inline constexpr GUID IID_IOptionsPageProvider = MakeGuid("37898B64-0BA4-498D-8C2F-9355A98BAA40");
inline constexpr GUID IID_ICommandLauncher = MakeGuid("B3F5F50A-C728-462B-8C35-0AF07AEFE6D5");
inline constexpr GUID IID_IProcessControl = MakeGuid("BAF46BDA-19A1-4848-BFAC-2BEC078C8911");
inline constexpr GUID IID_IOptionsPage = MakeGuid("A3485CBA-742A-4E23-A4FC-DDE1923F7069");
inline constexpr GUID IID_IDocumentOptionsView = MakeGuid("7786EE64-CE9F-4D1B-8CFB-69D04D529848");

struct IServerModule : IUnknown {
    virtual HRESULT PLZ_STDCALL ApplicationIdle() = 0;                                        // 1
    virtual HRESULT PLZ_STDCALL Notify(int32_t value) = 0;                                     // 2
    virtual HRESULT PLZ_STDCALL CreateDocument(int32_t a, int32_t b,
                                               /*out*/ IServerDocument** document) = 0;       // 3
    virtual HRESULT PLZ_STDCALL DestroyDocument(/*in*/ IServerDocument* document) = 0;        // 4
    virtual HRESULT PLZ_STDCALL GetClient(/*out*/ IClient** client) = 0;                       // 5
    virtual HRESULT PLZ_STDCALL GetCommandLauncher(/*out*/ ICommandLauncher** launcher) = 0;  // 6
    virtual HRESULT PLZ_STDCALL GetDocumentCount(/*out*/ int32_t* count) = 0;                  // 7
    virtual HRESULT PLZ_STDCALL GetDocument(int32_t index, /*out*/ IServerDocument** document) = 0;  // 8
    virtual HRESULT PLZ_STDCALL GetInstanceHandle(/*out*/ ModuleHandle* instance) = 0;         // 9
    virtual HRESULT PLZ_STDCALL GetModuleName(/*out*/ BSTR* name) = 0;                         // 10
    virtual HRESULT PLZ_STDCALL GetProcessControl(/*out*/ IProcessControl** control) = 0;      // 11
    virtual HRESULT PLZ_STDCALL GetViewCount(/*out*/ int32_t* count) = 0;                      // 12
    virtual HRESULT PLZ_STDCALL GetView(int32_t index, /*out*/ IServerDocumentView** view) = 0;  // 13
    virtual HRESULT PLZ_STDCALL CreateOptionsView(/*in*/ BSTR name,
                                                  /*out*/ IDocumentOptionsView** view) = 0;   // 14
    virtual HRESULT PLZ_STDCALL CreateServerView(int32_t a, /*out*/ IServerDocumentView** view) = 0;  // 15
    virtual HRESULT PLZ_STDCALL CreateDocumentView(int32_t a, int32_t b,
                                                   /*out*/ IServerDocumentView** view) = 0;   // 16
    virtual HRESULT PLZ_STDCALL RemoveView(/*in*/ IServerDocumentView* view) = 0;              // 17
    virtual HRESULT PLZ_STDCALL AddView(/*in*/ IServerDocumentView* view) = 0;                 // 18
    virtual HRESULT PLZ_STDCALL CreateDocumentEx(int32_t a, int32_t b, uint8_t flag,
                                                 /*out*/ IServerDocument** document) = 0;     // 19
};

struct IOptionsPageProvider : IUnknown {
    virtual HRESULT PLZ_STDCALL GetOptionsPage(/*in*/ BSTR name, /*out*/ IOptionsPage** page) = 0;
    virtual HRESULT PLZ_STDCALL OptionsNotify1() = 0;
    virtual HRESULT PLZ_STDCALL OptionsNotify2() = 0;
};

struct ICommandLauncher : IUnknown {
    // `reserved` is the host's; the launcher does not use it.
    virtual HRESULT PLZ_STDCALL LaunchCommand(/*in*/ const char* name, /*in*/ const char* parameters,
                                              int32_t reserved, /*in*/ IUnknown* context) = 0;
    virtual HRESULT PLZ_STDCALL GetCommandState(/*in*/ const char* name, /*in*/ const char* parameters,
                                                /*in*/ IUnknown* context, /*out*/ int32_t* state1,
                                                /*out*/ int32_t* state2, /*out*/ int32_t* state3,
                                                /*out*/ uint8_t* state4, /*out*/ uint8_t* state5) = 0;
};

struct IProcessControl : IUnknown {
    virtual HRESULT PLZ_STDCALL GetProcessDepth(/*out*/ int32_t* depth) = 0;
    virtual HRESULT PLZ_STDCALL EndProcess(int32_t a, int32_t b) = 0;
    virtual HRESULT PLZ_STDCALL BeginProcess(int32_t a, int32_t b) = 0;
    virtual HRESULT PLZ_STDCALL SetProcessDepth(int32_t depth) = 0;
};

struct IOptionsPage : IUnknown {
    virtual HRESULT PLZ_STDCALL OptionsPage1(/*out*/ uint8_t* flag) = 0;
    virtual HRESULT PLZ_STDCALL OptionsPage2(uint8_t flag) = 0;
    virtual HRESULT PLZ_STDCALL OptionsPage3() = 0;
    virtual HRESULT PLZ_STDCALL OptionsPage4() = 0;
    virtual HRESULT PLZ_STDCALL OptionsPage5(/*out*/ int32_t* value) = 0;
    virtual HRESULT PLZ_STDCALL OptionsPage6() = 0;
    virtual HRESULT PLZ_STDCALL OptionsPage7() = 0;
};

// The 11 operations of IExternalForm, then 9 of its own; this plug-in wraps no such forms.
struct IDocumentOptionsView : IExternalForm {
    virtual HRESULT PLZ_STDCALL OptionsView1(/*in*/ BSTR name) = 0;
    virtual HRESULT PLZ_STDCALL OptionsView2(/*out*/ uint8_t* flag) = 0;
    virtual HRESULT PLZ_STDCALL OptionsView3() = 0;
    virtual HRESULT PLZ_STDCALL OptionsView4() = 0;
    virtual HRESULT PLZ_STDCALL OptionsView5(/*out*/ uint8_t* flag) = 0;
    virtual HRESULT PLZ_STDCALL OptionsView6() = 0;
    virtual HRESULT PLZ_STDCALL OptionsView7() = 0;
    virtual HRESULT PLZ_STDCALL OptionsView8(/*in*/ const char* a, /*in*/ const char* b) = 0;
    virtual HRESULT PLZ_STDCALL OptionsView9(/*in*/ const char* a, /*out*/ int32_t* value) = 0;
};

// The one export: the host's way into the plug-in.
using ServerFactoryFn = HRESULT(PLZ_STDCALL*)(/*in*/ IClient* client, /*out*/ IServerModule** module);

static_assert(sizeof(IServerModule) == sizeof(void*) && sizeof(ICommandLauncher) == sizeof(void*));

}  // namespace plz
