// This plug-in's server module with its one command, and the body of the export: the one place
// where the frame meets the command it runs (part of the composition root).
#include "arranger/arrange_command.h"
#include "frame/boundary_guard.h"
#include "frame/server_module.h"

namespace plz {

ComPtr<IServerDocument> TPlznServerModule::NewDocument(int32_t, int32_t) { return {}; }

void TPlznServerModule::RegisterCommands() { FCommandLauncher->RegisterCommand("Plazen", ArrangeCommand, nullptr); }

HRESULT PLZ_STDCALL RunServerFactory(IClient* client, IServerModule** module) {
    ClearOut(module);
    return Guard([&] {
        if (!module) throw Exception("Invalid pointer");
        TServerModule* made = NewServerModule<TPlznServerModule>(client, kServerName);
        *module = made;
    });
}

}  // namespace plz
