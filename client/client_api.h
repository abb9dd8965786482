// The host executable's plain entry points: the Client API table (135 names), the virtual file
// system table (79) and the two cursor entries, each bound by name from the main program without
// loading anything; the wrappers of the entries the plug-in calls, with their defaults for a host
// that does not export them; running host processes; and the host's workspace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "client/client_api_calls.h"
#include "client/client_api_names.h"
#include "client/vfs_api_names.h"
#include "frame/host_interfaces.h"
#include "platform/abi.h"
#include "platform/com_ptr.h"

namespace plz {

// Slot indexes of the tables, in binding order: kClientAPI_GetClientInterface, ...
#define PLZ_HOST_SLOT(name) k##name,
enum ClientApiSlot : size_t { PLZ_CLIENT_API_NAMES(PLZ_HOST_SLOT) kClientApiCount };
enum VfsApiSlot : size_t { PLZ_VFS_API_NAMES(PLZ_HOST_SLOT) kVfsApiCount };
enum CursorApiSlot : size_t { PLZ_CURSOR_API_NAMES(PLZ_HOST_SLOT) kCursorApiCount };
#undef PLZ_HOST_SLOT
static_assert(kClientApiCount == 135 && kVfsApiCount == 79 && kCursorApiCount == 2);

// Binds the Client API table once; later calls do nothing. A name the host does not export stays
// none, silently.
void BindClientAPI();
// Binds the virtual-file-system table and the cursor entries (at load, each once).
void BindVfsAPI();
void BindCursorAPI();
// The load step that takes the host client: binds the table, asks ClientAPI_GetClientInterface
// and stores the client into CurrentClient without a reference of its own.
void SetCurrentClientFromHost();
// Forgets every bound entry and the host module, as before loading (tests bind other hosts).
void UnbindHostAPIs();

void* ClientApiEntry(ClientApiSlot slot);
void* VfsApiEntry(VfsApiSlot slot);
void* CursorApiEntry(CursorApiSlot slot);
// The main program's handle as taken when the Client API table was bound (none before).
ModuleHandle BoundHostModule();

// The wrappers: each calls its entry when bound, else yields the default noted.
void ClientAPI_GetClientInterface(IClient** client);  // out left unchanged
bool ClientAPI_GetPrefUseLuna();                      // false
bool ClientAPI_GetPrefHideFloatingPanels();           // false
void ClientAPI_SetPrefHideFloatingPanels(bool hide);  // nothing
bool ClientAPI_GetUseExternalWebBrowser();            // true
bool ClientAPI_GetIntegratedHelpSystem();             // false
bool ClientAPI_GetUseSystemLocaleLanguage();          // false
bool ClientAPI_GetUseLocalizedDialogs();              // false
void ClientAPI_GetTranslationManager(ITranslationManager** manager);  // cleared first; none
int32_t ClientAPI_UpdateFont(LogFontA* font);                          // 0: unchanged
void ClientAPI_SetErrorInfo(BSTR error, BSTR detail, uintptr_t address);  // nothing
void ClientAPI_ClearErrorInfo();                                          // nothing
void ClientAPI_HandleException(int32_t value);                            // nothing
// Nonzero when the host's virtual file system holds the file; 0 while unbound.
int32_t VFSAPI_VFS_FileExists(const char* path);

// Asks the host to run `process` ("Server:Process") with the parameter text in the caller's buffer
// of `size` bytes and the command's context. Without a client nothing happens; a client without a
// process runner raises "Interface not supported"; a failing process raises the host's error.
void RunProcess(const std::string& process, const char* parameters, int32_t size, IUnknown* context);

// The host's workspace, or none while "WorkspaceManager.DLL" is not loaded or lacks "GetWorkspace".
// The module is looked for, never loaded, on every call until found; its export once after that.
HRESULT GetWorkspace(IWorkspace** workspace);

// Opens the workspace's named document through the client; none when there is no workspace, no
// path for the name, or no client. Failing host calls raise.
ComPtr<IServerDocument> OpenNamedDocument(const std::string& name);

}  // namespace plz
