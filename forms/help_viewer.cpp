// The compiled-help entry's topic display and the opening of addresses in the host.
#include "forms/help_viewer.h"

#include "client/client_api.h"
#include "forms/help.h"

namespace plz::forms {

int32_t HelpViewer(WindowHandle, const std::string& helpFile, uint32_t command, const std::string& data) {
    if (command != kHelpDisplayTopic) return -1;
    static const char kShowPanel[] = "ObjectKind=Panel|Action=Show|Id=ZavuravadIduduz";
    RunProcess("Client:CustomizeResources", kShowPanel, 0, nullptr);
    ShowDynamicHelp(helpFile.substr(0, 255) + "::" + data, true);
    return 0;
}

// No document viewer is built into this plug-in yet: the address is not handed on.
bool OpenAddress(const std::string&) { return false; }

}  // namespace plz::forms
