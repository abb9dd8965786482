// The command table with its lookup, the launch and state operations with the status refresh after
// a command, and the process-depth counter.
#include "frame/command_launcher.h"

#include <algorithm>

#include "frame/boundary_guard.h"
#include "frame/current_client.h"
#include "platform/ascii.h"
#include "platform/wide_string.h"

namespace plz {
namespace {

// Order of the table: byte-wise on ASCII-upper-cased names. Command names are ASCII, so this is
// what a locale-aware comparison without case gives for them.
bool NameBefore(const std::pair<std::string, TCommandHandler>& entry, std::string_view name) {
    return CompareIgnoringCase(entry.first, name) < 0;
}

// After a command: the current view refreshes the status bar, or the three status texts are cleared.
void RefreshHostStatus() {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return;
    ComPtr<IServerDocumentView> view;
    CheckHost(client->GetCurrentView(view.Out()));
    if (view) {
        CheckHost(view->UpdateStatusBar());
        return;
    }
    for (int32_t index = 1; index <= 3; ++index) {
        ComPtr<IGUIManager> manager;
        CheckHost(client->GetGUIManager(manager.Out()));
        if (!manager) continue;
        WideString empty("");
        CheckHost(manager->SetStatusText(index, empty.Get()));
    }
}

int32_t Wrapped(int32_t value, int32_t delta) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

}  // namespace

TCommandLauncher::TCommandLauncher(std::string serverName) : FServerName(std::move(serverName)) {}

void TCommandLauncher::RegisterCommand(std::string_view name, TLaunchProc launch, TStateProc state) {
    auto at = std::lower_bound(FCommands.begin(), FCommands.end(), name, NameBefore);
    if (at != FCommands.end() && CompareIgnoringCase(at->first, name) == 0) return;
    FCommands.insert(at, {std::string(name), TCommandHandler{launch, state}});
}

const TCommandHandler* TCommandLauncher::FindHandler(const char* name) const {
    std::string_view wanted = name ? std::string_view(name) : std::string_view();
    auto at = std::lower_bound(FCommands.begin(), FCommands.end(), wanted, NameBefore);
    if (at == FCommands.end() || CompareIgnoringCase(at->first, wanted) != 0) return nullptr;
    return &at->second;
}

HRESULT PLZ_STDCALL TCommandLauncher::LaunchCommand(const char* name, const char* parameters, int32_t,
                                                    IUnknown* context) {
    return Guard([&] {
        const TCommandHandler* handler = FindHandler(name);
        if (!handler || !handler->LaunchProc) return;
        handler->LaunchProc(context, parameters);
        RefreshHostStatus();
    });
}

HRESULT PLZ_STDCALL TCommandLauncher::GetCommandState(const char* name, const char* parameters, IUnknown* context,
                                                      int32_t* state1, int32_t* state2, int32_t* state3,
                                                      uint8_t* state4, uint8_t* state5) {
    if (state1) *state1 = -1;
    if (state2) *state2 = 0;
    if (state3) *state3 = -1;
    if (state4) *state4 = 0;
    if (state5) *state5 = 0;
    return Guard([&] {
        const TCommandHandler* handler = FindHandler(name);
        if (handler && handler->StateProc) handler->StateProc(context, parameters, state1, state2, state3, state4, state5);
    });
}

HRESULT PLZ_STDCALL TProcessControl::GetProcessDepth(int32_t* depth) {
    ClearOut(depth);
    return Guard([&] { SetOut(depth, FProcessDepth); });
}

HRESULT PLZ_STDCALL TProcessControl::EndProcess(int32_t, int32_t) {
    FProcessDepth = Wrapped(FProcessDepth, -1);
    return S_OK;
}

HRESULT PLZ_STDCALL TProcessControl::BeginProcess(int32_t, int32_t) {
    FProcessDepth = Wrapped(FProcessDepth, 1);
    return S_OK;
}

HRESULT PLZ_STDCALL TProcessControl::SetProcessDepth(int32_t depth) {
    FProcessDepth = depth;
    return S_OK;
}

}  // namespace plz
