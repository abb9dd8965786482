// The server module: the plug-in's root object that the host holds. It owns the command table and
// the process-depth counter, answers the host's questions about the plug-in, and keeps the
// documents it made and the views the host added. TPlznServerModule is this plug-in's own.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "frame/command_launcher.h"
#include "frame/plugin_interfaces.h"
#include "platform/ascii.h"
#include "platform/com_ptr.h"

namespace plz {

// Reference counted; IServerModule, IOptionsPageProvider and IUnknown on one object. Made only
// through NewServerModule, which runs the construction steps that call virtual operations once the
// object is complete. Releasing the last reference destroys it.
class TServerModule : public IServerModule, public IOptionsPageProvider {
public:
    virtual ~TServerModule();

    // IUnknown
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override;
    uint32_t PLZ_STDCALL Release() override;

    // IServerModule. Those the frame lets a subclass change stay virtual; the others are final.
    HRESULT PLZ_STDCALL ApplicationIdle() override;
    HRESULT PLZ_STDCALL Notify(int32_t value) override;
    HRESULT PLZ_STDCALL CreateDocument(int32_t a, int32_t b, IServerDocument** document) override;
    HRESULT PLZ_STDCALL DestroyDocument(IServerDocument* document) override;
    HRESULT PLZ_STDCALL GetClient(IClient** client) final;
    HRESULT PLZ_STDCALL GetCommandLauncher(ICommandLauncher** launcher) override;
    HRESULT PLZ_STDCALL GetDocumentCount(int32_t* count) final;
    HRESULT PLZ_STDCALL GetDocument(int32_t index, IServerDocument** document) final;
    HRESULT PLZ_STDCALL GetInstanceHandle(ModuleHandle* instance) final;
    HRESULT PLZ_STDCALL GetModuleName(BSTR* name) final;
    HRESULT PLZ_STDCALL GetProcessControl(IProcessControl** control) final;
    HRESULT PLZ_STDCALL GetViewCount(int32_t* count) final;
    HRESULT PLZ_STDCALL GetView(int32_t index, IServerDocumentView** view) final;
    HRESULT PLZ_STDCALL CreateOptionsView(BSTR name, IDocumentOptionsView** view) final;
    HRESULT PLZ_STDCALL CreateServerView(int32_t a, IServerDocumentView** view) override;
    HRESULT PLZ_STDCALL CreateDocumentView(int32_t a, int32_t b, IServerDocumentView** view) override;
    HRESULT PLZ_STDCALL RemoveView(IServerDocumentView* view) override;
    HRESULT PLZ_STDCALL AddView(IServerDocumentView* view) override;
    HRESULT PLZ_STDCALL CreateDocumentEx(int32_t a, int32_t b, uint8_t flag, IServerDocument** document) override;

    // IOptionsPageProvider: the page of a registered options form; none for any other name.
    HRESULT PLZ_STDCALL GetOptionsPage(BSTR name, IOptionsPage** page) override;
    HRESULT PLZ_STDCALL OptionsNotify1() override;
    HRESULT PLZ_STDCALL OptionsNotify2() override;

    // The options-form registry: name -> the makers of a new options page and of a new document
    // options view (each a new form of the registered class in its wrapper; the frame knows no
    // forms, so the wrapping is the maker's). Names are looked up ignoring ASCII case. Nothing of
    // this plug-in registers a form, so the registry stays absent.
    using OptionsPageMaker = ComPtr<IOptionsPage> (*)();
    using OptionsViewMaker = ComPtr<IDocumentOptionsView> (*)();
    void RegisterOptionsForm(const std::string& name, OptionsPageMaker maker);
    void RegisterOptionsView(const std::string& name, OptionsViewMaker maker);

    TCommandLauncher* CommandLauncher() const { return FCommandLauncher.get(); }
    TProcessControl* ProcessControl() const { return FProcessControl.get(); }

protected:
    // Stores the client (also into CurrentClient, without a reference) and the server name.
    TServerModule(IClient* client, std::string name);

    // The options view of the named options form, already wrapped: the registry's view, or none.
    virtual ComPtr<IDocumentOptionsView> CreateOptionsForm(const std::string& name);
    // A new document; the frame has none to make ("Abstract Error").
    virtual ComPtr<IServerDocument> NewDocument(int32_t a, int32_t b);
    // NewDocument with the two arguments; the flag is not passed on.
    virtual ComPtr<IServerDocument> NewDocumentEx(int32_t a, int32_t b, uint8_t flag);
    // The subclass registers its commands here.
    virtual void RegisterCommands();
    // FCommandLauncher: a new launcher made with the module's name, read through GetModuleName.
    virtual void CreateCommandLauncher();
    virtual void AfterCreate();

    IClient* FClient = nullptr;  // not counted
    std::vector<ComPtr<IServerDocument>> FDocuments;
    std::string FName;
    std::vector<ComPtr<IServerDocumentView>> FViews;
    std::unique_ptr<TCommandLauncher> FCommandLauncher;
    std::unique_ptr<TProcessControl> FProcessControl;
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const { return CompareIgnoringCase(a, b) < 0; }
    };
    struct OptionsFormMakers {
        OptionsPageMaker page = nullptr;
        OptionsViewMaker view = nullptr;
    };
    std::unique_ptr<std::map<std::string, OptionsFormMakers, NameLess>> FOptionsForms;

private:
    template <typename Module, typename... Args>
    friend Module* NewServerModule(Args&&... args);
    // The construction steps that follow the constructor: launcher, process control, commands,
    // AfterCreate, and the host's window as the application window.
    void Construct();

    // One reference during construction; NewServerModule hands it to the caller.
    uint32_t refCount_ = 1;
};

// Makes a module and runs its construction; the caller receives the one reference. A failing step
// destroys the half-built module and the error propagates.
template <typename Module, typename... Args>
Module* NewServerModule(Args&&... args) {
    std::unique_ptr<Module> module(new Module(static_cast<Args&&>(args)...));
    module->Construct();
    return module.release();
}

// This plug-in's module: no documents of its own, and the one command "Plazen".
class TPlznServerModule final : public TServerModule {
public:
    TPlznServerModule(IClient* client, std::string name) : TServerModule(client, std::move(name)) {}

protected:
    ComPtr<IServerDocument> NewDocument(int32_t a, int32_t b) override;
    void RegisterCommands() override;
};

inline constexpr const char* kServerName = "Plzn";

// The body of the exported ServerFactory: a TPlznServerModule named "Plzn" for the client.
HRESULT PLZ_STDCALL RunServerFactory(IClient* client, IServerModule** module);

}  // namespace plz
