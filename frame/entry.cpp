// The library's one export, ServerFactory, and the hooks that run the load and unload sequences
// when the host loads and unloads the library.
#include "frame/library.h"
#include "frame/server_module.h"

PLZ_EXPORT plz::HRESULT PLZ_STDCALL ServerFactory(plz::IClient* client, plz::IServerModule** module) {
    return plz::RunServerFactory(client, module);
}

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) plz::LoadLibraryUnits();
    if (reason == DLL_PROCESS_DETACH) plz::UnloadLibraryUnits();
    return TRUE;
}
#else
__attribute__((constructor)) static void LoadPlugin() { plz::LoadLibraryUnits(); }
__attribute__((destructor)) static void UnloadPlugin() { plz::UnloadLibraryUnits(); }
#endif
