// Binding of the host executable's entry-point tables, the wrappers with their defaults, process
// execution through the client, and the lazily found workspace manager.
#include "client/client_api.h"

#include <iterator>

#include "frame/boundary_guard.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "platform/os.h"
#include "platform/wide_string.h"

namespace plz {
namespace {

#define PLZ_HOST_NAME(name) #name,
constexpr const char* kClientApiNames[] = {PLZ_CLIENT_API_NAMES(PLZ_HOST_NAME)};
constexpr const char* kVfsApiNames[] = {PLZ_VFS_API_NAMES(PLZ_HOST_NAME)};
constexpr const char* kCursorApiNames[] = {PLZ_CURSOR_API_NAMES(PLZ_HOST_NAME)};
#undef PLZ_HOST_NAME
static_assert(std::size(kClientApiNames) == kClientApiCount && std::size(kVfsApiNames) == kVfsApiCount &&
              std::size(kCursorApiNames) == kCursorApiCount);

// Constant-initialised: bound by the load sequence, which may run before dynamic initialisation.
constinit void* g_clientApi[kClientApiCount] = {};
constinit void* g_vfsApi[kVfsApiCount] = {};
constinit void* g_cursorApi[kCursorApiCount] = {};
constinit ModuleHandle g_hostModule = nullptr;
constinit bool g_clientApiBound = false;

constinit ModuleHandle g_workspaceModule = nullptr;
constinit GetWorkspace_Fn g_getWorkspace = nullptr;

// The one binding loop: every name looked up in the main program, none when it is absent.
template <size_t N>
void BindTable(ModuleHandle module, const char* const (&names)[N], void* (&entries)[N]) {
    for (size_t i = 0; i < N; ++i) entries[i] = module ? os::calls().FindExport(module, names[i]) : nullptr;
}

template <typename Fn>
Fn Entry(void* address) {
    return reinterpret_cast<Fn>(address);
}

#define PLZ_CLIENT_ENTRY(name) Entry<name##_Fn>(g_clientApi[k##name])

using FlagFn = uint8_t(PLZ_STDCALL*)();
bool Flag(FlagFn entry, bool fallback) { return entry ? entry() != 0 : fallback; }

}  // namespace

void BindClientAPI() {
    if (g_clientApiBound) return;
    g_hostModule = os::calls().FindLoadedModule(nullptr);
    BindTable(g_hostModule, kClientApiNames, g_clientApi);
    g_clientApiBound = true;
}

void BindVfsAPI() { BindTable(os::calls().FindLoadedModule(nullptr), kVfsApiNames, g_vfsApi); }

void BindCursorAPI() { BindTable(os::calls().FindLoadedModule(nullptr), kCursorApiNames, g_cursorApi); }

void SetCurrentClientFromHost() {
    BindClientAPI();
    ComPtr<IClient> client;
    ClientAPI_GetClientInterface(client.Out());
    SetCurrentClient(client.Get());
}

void UnbindHostAPIs() {
    for (void*& e : g_clientApi) e = nullptr;
    for (void*& e : g_vfsApi) e = nullptr;
    for (void*& e : g_cursorApi) e = nullptr;
    g_hostModule = nullptr;
    g_clientApiBound = false;
    g_workspaceModule = nullptr;
    g_getWorkspace = nullptr;
}

void* ClientApiEntry(ClientApiSlot slot) { return slot < kClientApiCount ? g_clientApi[slot] : nullptr; }
void* VfsApiEntry(VfsApiSlot slot) { return slot < kVfsApiCount ? g_vfsApi[slot] : nullptr; }
void* CursorApiEntry(CursorApiSlot slot) { return slot < kCursorApiCount ? g_cursorApi[slot] : nullptr; }
ModuleHandle BoundHostModule() { return g_hostModule; }

void ClientAPI_GetClientInterface(IClient** client) {
    if (auto entry = PLZ_CLIENT_ENTRY(ClientAPI_GetClientInterface)) entry(client);
}

bool ClientAPI_GetPrefUseLuna() { return Flag(PLZ_CLIENT_ENTRY(ClientAPI_GetPrefUseLuna), false); }

bool ClientAPI_GetPrefHideFloatingPanels() {
    return Flag(PLZ_CLIENT_ENTRY(ClientAPI_GetPrefHideFloatingPanels), false);
}

void ClientAPI_SetPrefHideFloatingPanels(bool hide) {
    if (auto entry = PLZ_CLIENT_ENTRY(ClientAPI_SetPrefHideFloatingPanels)) entry(hide ? 1 : 0);
}

bool ClientAPI_GetUseExternalWebBrowser() {
    return Flag(PLZ_CLIENT_ENTRY(ClientAPI_GetUseExternalWebBrowser), true);
}

bool ClientAPI_GetIntegratedHelpSystem() { return Flag(PLZ_CLIENT_ENTRY(ClientAPI_GetIntegratedHelpSystem), false); }

bool ClientAPI_GetUseSystemLocaleLanguage() {
    return Flag(PLZ_CLIENT_ENTRY(ClientAPI_GetUseSystemLocaleLanguage), false);
}

bool ClientAPI_GetUseLocalizedDialogs() { return Flag(PLZ_CLIENT_ENTRY(ClientAPI_GetUseLocalizedDialogs), false); }

void ClientAPI_GetTranslationManager(ITranslationManager** manager) {
    ClearOut(manager);
    if (auto entry = PLZ_CLIENT_ENTRY(ClientAPI_GetTranslationManager)) entry(manager);
}

int32_t ClientAPI_UpdateFont(LogFontA* font) {
    auto entry = PLZ_CLIENT_ENTRY(ClientAPI_UpdateFont);
    return entry ? entry(font) : 0;
}

void ClientAPI_SetErrorInfo(BSTR error, BSTR detail, uintptr_t address) {
    if (auto entry = PLZ_CLIENT_ENTRY(ClientAPI_SetErrorInfo)) entry(error, detail, address);
}

void ClientAPI_ClearErrorInfo() {
    if (auto entry = PLZ_CLIENT_ENTRY(ClientAPI_ClearErrorInfo)) entry();
}

void ClientAPI_HandleException(int32_t value) {
    if (auto entry = PLZ_CLIENT_ENTRY(ClientAPI_HandleException)) entry(value);
}

int32_t VFSAPI_VFS_FileExists(const char* path) {
    auto entry = Entry<VFSAPI_VFS_FileExists_Fn>(g_vfsApi[kVFSAPI_VFS_FileExists]);
    return entry ? entry(path) : 0;
}

void RunProcess(const std::string& process, const char* parameters, int32_t size, IUnknown* context) {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return;
    ComPtr<IProcessRunner> runner;
    if (Failed(client->QueryInterface(IID_IProcessRunner, reinterpret_cast<void**>(runner.Out()))) || !runner)
        throw Exception("Interface not supported");
    CheckHost(runner->LaunchProcess(process.c_str(), parameters, size, context));
}

HRESULT GetWorkspace(IWorkspace** workspace) {
    ClearOut(workspace);
    return Guard([&] {
        if (!g_workspaceModule) {
            g_workspaceModule = os::calls().FindLoadedModule("WorkspaceManager.DLL");
            if (g_workspaceModule)
                g_getWorkspace = Entry<GetWorkspace_Fn>(os::calls().FindExport(g_workspaceModule, "GetWorkspace"));
        }
        if (!g_getWorkspace) return;
        if (!workspace) throw Exception("Invalid pointer");
        CheckHost(g_getWorkspace(workspace));
    });
}

ComPtr<IServerDocument> OpenNamedDocument(const std::string& name) {
    ComPtr<IWorkspace> workspace;
    CheckHost(GetWorkspace(workspace.Out()));
    if (!workspace) return {};
    WideString wideName(name);
    WideString path;
    CheckHost(workspace->GetNamedDocumentPath(wideName.Get(), path.Out()));
    if (os::calls().StringLength(path.Get()) == 0) return {};
    ComPtr<IClient> client = CurrentClient();
    if (!client) return {};
    ComPtr<IServerDocument> document;
    CheckHost(client->OpenDocumentByPath(path.Get(), document.Out()));
    return document;
}

}  // namespace plz
