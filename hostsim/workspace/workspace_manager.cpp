// The simulated workspace manager module. Its workspace knows one named document, the host's task
// page "PickATask", whose path the client opens as a browser-like document.
#include "client/client_api_calls.h"
#include "platform/os.h"

namespace {

using namespace plz;

class Workspace final : public IWorkspace {
public:
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IWorkspace) {
            *object = static_cast<IWorkspace*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One for the module's lifetime: counting is not needed.
    uint32_t PLZ_STDCALL AddRef() override { return 2; }
    uint32_t PLZ_STDCALL Release() override { return 1; }

    HRESULT PLZ_STDCALL GetNamedDocumentPath(BSTR name, BSTR* path) override {
        if (!path) return E_POINTER;
        *path = os::NewAnsiString(os::AnsiFromString(name) == "PickATask" ? "PickATask.Tasks" : "");
        return S_OK;
    }
};

Workspace g_workspace;

}  // namespace

#define PLZ_DECLARE_EXPORT(name, result, params) PLZ_EXPORT result PLZ_STDCALL name params;
PLZ_WORKSPACE_API_CALLS(PLZ_DECLARE_EXPORT)
#undef PLZ_DECLARE_EXPORT

PLZ_EXPORT HRESULT PLZ_STDCALL GetWorkspace(IWorkspace** workspace) {
    if (!workspace) return E_POINTER;
    *workspace = &g_workspace;
    return S_OK;
}
