// The compiled-help entry.
#include "forms/help_viewer.h"

#include "client/client_api.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "frame/host_interfaces.h"
#include "platform/os.h"

namespace plz::forms {
namespace {

using HtmlHelpFn = WindowHandle(PLZ_STDCALL*)(WindowHandle window, const char* file, uint32_t command,
                                              uintptr_t data);

constinit ModuleHandle g_library = nullptr;
constinit HtmlHelpFn g_htmlHelp = nullptr;

constexpr uint32_t kCommandNone = 0xFFFFFFFFu;  // -1

// The host's dynamic help panel shows the address, brought up to date at once.
void ShowDynamicHelpNow(const std::string& address) {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return;
    ComPtr<IProcessRunner> runner;
    if (Failed(client->QueryInterface(IID_IProcessRunner, reinterpret_cast<void**>(runner.Out()))) || !runner)
        throw Exception("Interface not supported");
    const std::string text = "ForceUpdate=True|Address=" + address;
    CheckHost(runner->LaunchProcess("HelpAdvisor:ShowDynamicHelp", text.c_str(), int32_t(text.size() + 1), nullptr));
}

}  // namespace

int32_t HelpViewer(WindowHandle window, const std::string& helpFile, uint32_t command, uintptr_t data) {
    if (command == kHelpDisplayTopic) {
        static const char kShowPanel[] = "ObjectKind=Panel|Action=Show|Id=ZavuravadIduduz";
        RunProcess("Client:CustomizeResources", kShowPanel, 0, nullptr);
        const char* topic = reinterpret_cast<const char*>(data);
        ShowDynamicHelpNow(helpFile.substr(0, 255) + "::" + (topic ? topic : ""));
        return 0;
    }
    if (command == kCommandNone) command = kHelpDisplayTopic;
    if (!g_library) {
        // From the system folder only: a library of this name beside the host or in the current
        // folder is never loaded.
        g_library = os::calls().LoadSystemLibrary(kHtmlHelpLibrary);
        if (g_library) g_htmlHelp = reinterpret_cast<HtmlHelpFn>(os::calls().FindExport(g_library, kHtmlHelpEntry));
    }
    if (!g_htmlHelp) return -1;
    return int32_t(g_htmlHelp(window, helpFile.c_str(), command, data));
}

int32_t HelpViewer(WindowHandle window, const std::string& helpFile, uint32_t command, const std::string& data) {
    return HelpViewer(window, helpFile, command, reinterpret_cast<uintptr_t>(data.c_str()));
}

void UnloadHelpLibrary() {
    if (g_library) os::calls().CloseLibrary(g_library);
    g_library = nullptr;
    g_htmlHelp = nullptr;
}

}  // namespace plz::forms
