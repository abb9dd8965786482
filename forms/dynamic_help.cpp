// The host's dynamic help panel.
#include "forms/dynamic_help.h"

#include "frame/host_interfaces.h"
#include "frame/current_client.h"
#include "frame/errors.h"

namespace plz::forms {

void ShowDynamicHelp(const std::string& address, bool force) {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return;
    ComPtr<IProcessRunner> runner;
    if (Failed(client->QueryInterface(IID_IProcessRunner, reinterpret_cast<void**>(runner.Out()))) || !runner)
        throw Exception("Interface not supported");
    std::string text = (force ? "ForceUpdate=True|Address=" : "Address=") + address;
    CheckHost(runner->LaunchProcess("HelpAdvisor:ShowDynamicHelp", text.c_str(), int32_t(text.size() + 1), nullptr));
}

}  // namespace plz::forms
