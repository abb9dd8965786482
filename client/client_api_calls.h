// The typed signatures of the host entry points that the plug-in calls: the 13 Client API entries,
// the one virtual-file-system entry and the workspace manager's "GetWorkspace". Declared once here
// for both sides: the plug-in casts its bound addresses to these types, and a host that exports the
// entries can check its own definitions against them.
#pragma once

#include <cstdint>

#include "client/client_api_names.h"
#include "client/vfs_api_names.h"
#include "frame/host_interfaces.h"
#include "platform/log_font.h"
#include "platform/abi.h"
#include "platform/name_lists.h"

namespace plz {


// X(name, result, parameters) for every Client API entry the plug-in calls. Flags are 8-bit
// (0 false, nonzero true); wide strings are BSTRs owned by the caller.
#define PLZ_CLIENT_API_CALLS(X)                                                                   \
    X(ClientAPI_GetClientInterface, void, (/*out*/ ::plz::IClient** client))                     \
    X(ClientAPI_GetPrefUseLuna, uint8_t, ())                                                      \
    X(ClientAPI_GetPrefHideFloatingPanels, uint8_t, ())                                           \
    X(ClientAPI_SetPrefHideFloatingPanels, void, (uint8_t hide))                                  \
    X(ClientAPI_GetUseExternalWebBrowser, uint8_t, ())                                            \
    X(ClientAPI_GetIntegratedHelpSystem, uint8_t, ())                                             \
    X(ClientAPI_GetUseSystemLocaleLanguage, uint8_t, ())                                          \
    X(ClientAPI_GetUseLocalizedDialogs, uint8_t, ())                                              \
    X(ClientAPI_GetTranslationManager, void, (/*out*/ ::plz::ITranslationManager** manager))     \
    X(ClientAPI_UpdateFont, int32_t, (/*in,out*/ ::plz::LogFontA* font))                          \
    X(ClientAPI_SetErrorInfo, void, (/*in*/ ::plz::BSTR error, /*in*/ ::plz::BSTR detail,        \
                                     uintptr_t address))                                          \
    X(ClientAPI_ClearErrorInfo, void, ())                                                         \
    X(ClientAPI_HandleException, void, (int32_t value))

// The one virtual-file-system entry the plug-in calls: nonzero when the file exists.
#define PLZ_VFS_API_CALLS(X) X(VFSAPI_VFS_FileExists, int32_t, (/*in*/ const char* path))

// "GetWorkspace", exported by "WorkspaceManager.DLL".
#define PLZ_WORKSPACE_API_CALLS(X) X(GetWorkspace, HRESULT, (/*out*/ ::plz::IWorkspace** workspace))

// One pointer type per entry: ClientAPI_GetPrefUseLuna_Fn and so on.
#define PLZ_DECLARE_HOST_FN(name, result, params) using name##_Fn = result(PLZ_STDCALL*) params;
PLZ_CLIENT_API_CALLS(PLZ_DECLARE_HOST_FN)
PLZ_VFS_API_CALLS(PLZ_DECLARE_HOST_FN)
PLZ_WORKSPACE_API_CALLS(PLZ_DECLARE_HOST_FN)

// The names marked called in the names lists are exactly the ones listed here.
static_assert(SameNameSet({PLZ_CLIENT_API_CALLS(PLZ_NAME_TEXT)}, {PLZ_CLIENT_API_ENTRIES(PLZ_NO_NAME, PLZ_NAME_TEXT)}));
static_assert(SameNameSet({PLZ_VFS_API_CALLS(PLZ_NAME_TEXT)}, {PLZ_VFS_API_ENTRIES(PLZ_NO_NAME, PLZ_NAME_TEXT)}));
#undef PLZ_DECLARE_HOST_FN

}  // namespace plz
